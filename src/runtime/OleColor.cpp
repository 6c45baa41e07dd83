#include "runtime/OleColor.h"

namespace runtime {

namespace {

// The nearest palette role for each system colour index.
QColor systemColor(int index, const QPalette &palette)
{
    switch (index) {
    case 0x05: return palette.color(QPalette::Base);
    case 0x07:
    case 0x08: return palette.color(QPalette::WindowText);
    case 0x09:
    case 0x0E: return palette.color(QPalette::HighlightedText);
    case 0x02:
    case 0x0D: return palette.color(QPalette::Highlight);
    case 0x03:
    case 0x0C: return palette.color(QPalette::Dark);
    case 0x10: return palette.color(QPalette::Mid);
    case 0x11: return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x12: return palette.color(QPalette::ButtonText);
    case 0x14: return palette.color(QPalette::Light);
    case 0x15: return palette.color(QPalette::Shadow);
    case 0x16: return palette.color(QPalette::Midlight);
    case 0x17: return palette.color(QPalette::ToolTipText);
    case 0x18: return palette.color(QPalette::ToolTipBase);
    case 0x04: return palette.color(QPalette::Window);
    }
    return palette.color(QPalette::Button);
}

bool isSystemColor(std::int32_t value)
{
    return (std::uint32_t(value) & 0x80000000u) != 0;
}

} // namespace

QColor colorFromValue(std::int32_t value, const QPalette &palette)
{
    const auto bits = std::uint32_t(value);
    if (isSystemColor(value))
        return systemColor(int(bits & 0xFF), palette);
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

std::int32_t valueFromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return std::int32_t(std::uint32_t(rgb.red()) | std::uint32_t(rgb.green()) << 8 | std::uint32_t(rgb.blue()) << 16);
}

} // namespace runtime
