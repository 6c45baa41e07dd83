#include "preferences/ReadableColor.h"

#include <QColor>

#include <cmath>

namespace preferences {

namespace {

constexpr double LeastReadableLuminance = 0.05;

double linearChannel(int value)
{
    const double channel = value / 255.0;
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linearChannel(rgb.red()) + 0.7152 * linearChannel(rgb.green())
        + 0.0722 * linearChannel(rgb.blue());
}

bool keepsBlackCaptionsReadable(const QColor &color)
{
    return relativeLuminance(color) >= LeastReadableLuminance;
}

} // namespace preferences
