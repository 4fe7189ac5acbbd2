#pragma once
// Small helpers the tests share: bytes as a line trace shows them, files
// read and written whole, and the text of a table's string_view.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <string_view>

namespace testsupport {

// "01 0A FF": upper-case hexadecimal bytes separated by blanks.
QString hex(const QByteArray& bytes);
QString hex(const std::uint8_t* bytes, int count);
// The bytes of such a text: "01 0A FF" (blanks and case do not matter).
QByteArray bytes(QByteArrayView hexText);

// The text of a std::string_view that a table holds (UTF-8).
QString text(std::string_view s);

// The file's bytes; "<missing>" when it cannot be read, which no expected
// content equals (not even an empty one).
QByteArray readAll(const QString& path);

// Writes `bytes` as the whole file; a test that cannot set up its file stops
// the run.
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace testsupport
