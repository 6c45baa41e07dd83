#pragma once

#include <QtGlobal>

namespace machine {

// Qt draws its own title bar on Wayland compositors that leave decorations
// to the client, and that title bar offers minimise and maximise whatever the
// window's flags say. A customer must never be able to hide the window, so
// the program goes without it: on a kiosk compositor the window then shows
// no title bar at all, as it does there through XWayland. Must run before
// the QApplication exists; a value set in the environment is left alone.
inline void switchOffQtWaylandTitleBar()
{
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
}

} // namespace machine
