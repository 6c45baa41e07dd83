#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace window {

// Where the window's frame goes on a screen whose free area is `available`:
// centred, but never with its top-left corner outside that area, so the menu
// bar (and with it the staff exit) stays on screen when the window is larger
// than the screen.
inline QPoint centredTopLeft(const QRect &available, const QSize &frame)
{
    const QPoint centred(available.x() + (available.width() - frame.width()) / 2,
                         available.y() + (available.height() - frame.height()) / 2);
    return QPoint(qMax(centred.x(), available.left()), qMax(centred.y(), available.top()));
}

// Where the window's frame goes back to once it has left the free area
// `available`, even in part (a customer dragged it by its title bar): the
// nearest place wholly inside; a frame larger than the area keeps its top-left
// corner inside, as `centredTopLeft` places it. A frame wholly inside stays.
inline QPoint keptInside(const QRect &available, const QRect &frame)
{
    const int x = qMin(frame.x(), available.x() + available.width() - frame.width());
    const int y = qMin(frame.y(), available.y() + available.height() - frame.height());
    return QPoint(qMax(x, available.left()), qMax(y, available.top()));
}

// The largest factor by which a form of `designed` pixels can grow and still
// fit in `available`.
inline qreal fillFactor(const QSize &available, const QSize &designed)
{
    return qMin(qreal(available.width()) / designed.width(), qreal(available.height()) / designed.height());
}

} // namespace window
