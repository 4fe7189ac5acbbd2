#pragma once
// The texts a module may show, taken from its own source: a message shown
// must be one of its string literals, never an empty or made-up text.

#include <QString>

namespace fuzz {

// True when `text` is, whole, a string literal of one of the source files
// (paths below the source tree, "src/programs/encoders.cpp").
bool isLiteralOf(const QString& text, const QStringList& sources);

} // namespace fuzz
