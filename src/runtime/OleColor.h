#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace runtime {

// The runtime's colour values: 0x00BBGGRR for a fixed colour (red in the low
// byte, the reverse of Qt's order), or, with the top bit set, a system colour
// whose low byte is its index (0x0F the button face).
inline constexpr std::int32_t SystemButtonFace = std::int32_t(0x8000000F);

// The colour a value paints with; system colours come from `palette`.
QColor colorFromValue(std::int32_t value, const QPalette &palette);
// The fixed colour value of an RGB colour (alpha is ignored).
std::int32_t valueFromColor(const QColor &color);

} // namespace runtime
