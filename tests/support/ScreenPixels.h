#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QtMath>

namespace testsupport {

// Where the window is expected to put a distance given in twips: 1440 twips
// to the inch, at the primary screen's logical resolution.
inline int px(int twips)
{
    return qRound(twips * QGuiApplication::primaryScreen()->logicalDotsPerInch() / 1440);
}

// A rectangle given in twips; its edges are converted, not its size.
inline QRect pxRect(int left, int top, int width, int height)
{
    return QRect(QPoint(px(left), px(top)), QPoint(px(left + width) - 1, px(top + height) - 1));
}

} // namespace testsupport
