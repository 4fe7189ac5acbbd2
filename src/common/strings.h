#pragma once
// Text held in constexpr tables as std::string_view, turned into QString
// where a window or a line needs it. The tables hold UTF-8.

#include <QString>

#include <string_view>

namespace common {

inline QString toQString(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace common
