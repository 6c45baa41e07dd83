#pragma once

#include "runtime/Twips.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace testsupport {

// Where the window is expected to put a distance given in twips, at the
// primary screen's logical resolution; tst_conversions holds the conversion
// itself to values written out.
inline int px(int twips)
{
    return runtime::twipsToPixels(twips, QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

// A rectangle given in twips; its edges are converted, not its size.
inline QRect pxRect(int left, int top, int width, int height)
{
    return runtime::twipsToPixels(left, top, width, height, QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

} // namespace testsupport
