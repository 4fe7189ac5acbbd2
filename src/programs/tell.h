#pragma once
// Where the program language's file work tells the operator something: one
// call for each message, in order; the work goes on once the call returns.

#include <QString>

#include <functional>

namespace programs {

using Tell = std::function<void(const QString& text)>;

} // namespace programs
