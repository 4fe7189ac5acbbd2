#pragma once
// Colours as the system names them: &H00BBGGRR (blue, green, red from the high
// byte down), and the system colours &H800000xx taken from the palette.

#include <QColor>
#include <cstdint>

class QWidget;

namespace common {

namespace color {
inline constexpr std::uint32_t Yellow = 0x0000FFFF;         // chosen button of a row
inline constexpr std::uint32_t LightYellow = 0x0080FFFF;    // chosen model at start-up
inline constexpr std::uint32_t ButtonFace = 0x8000000F;     // system button face
inline constexpr std::uint32_t InfoBackground = 0x80000018; // system tool-tip background
inline constexpr std::uint32_t GridCurrent = 0x00FFFFC0;    // current cell of the pendant grids
inline constexpr std::uint32_t White = 0x00FFFFFF;
} // namespace color

QColor bgrColor(std::uint32_t bgr);

// Paints a widget's background with a colour of the system and remembers the
// value in the widget's "bgrColor" property, where tests read it back.
void setBackColor(QWidget* w, std::uint32_t bgr);
std::uint32_t backColor(const QWidget* w);

} // namespace common
