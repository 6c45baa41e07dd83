#pragma once

#include <QPointF>
#include <QRect>
#include <QtMath>

namespace runtime {

inline constexpr int TwipsPerInch = 1440;

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

// How a form laid out in twips is drawn: `factor` times its designed size
// (1 at the designed size, more when it fills a larger screen) on a screen of
// `logicalDpi`, with its top-left corner at `origin` on the surface that
// holds it (there to centre it).
struct FormScale
{
    qreal logicalDpi = 96.0;
    qreal factor = 1.0;
    QPoint origin;

    qreal pixelsPerInch() const { return logicalDpi * factor; }
    int pixels(int twips) const { return twipsToPixels(twips, pixelsPerInch()); }
    QRect pixels(int left, int top, int width, int height) const
    {
        return twipsToPixels(left, top, width, height, pixelsPerInch());
    }
    // A point of the holding surface in twips from the form's corner, and back.
    QPointF twipsAt(QPointF surfacePixels) const
    {
        return (surfacePixels - QPointF(origin)) * (TwipsPerInch / pixelsPerInch());
    }
    QPoint surfacePixelsAt(QPointF twips) const
    {
        return origin + QPoint(pixels(qRound(twips.x())), pixels(qRound(twips.y())));
    }
    qreal pointSize(qreal designed) const { return designed * factor; }
};

} // namespace runtime
