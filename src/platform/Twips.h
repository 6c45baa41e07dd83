#pragma once

#include <QRect>
#include <QtMath>

namespace platform {

inline constexpr int TwipsPerInch = 1440;

// The primary screen's logical resolution, by which twips become pixels; 96
// while there is no screen.
qreal logicalDpi();

// Twips to device-independent pixels at the screen's logical resolution, so
// the window scales with the screen.
inline int twipsToPixels(int twips, qreal logicalDpi)
{
    return qRound(twips * logicalDpi / TwipsPerInch);
}

// Converts the edges rather than the size, so neighbours stay flush after rounding.
inline QRect twipsToPixels(int left, int top, int width, int height, qreal logicalDpi)
{
    const int x = twipsToPixels(left, logicalDpi);
    const int y = twipsToPixels(top, logicalDpi);
    return QRect(QPoint(x, y), QPoint(twipsToPixels(left + width, logicalDpi) - 1,
                                      twipsToPixels(top + height, logicalDpi) - 1));
}

} // namespace platform
