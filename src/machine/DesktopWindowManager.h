#pragma once

#include <optional>

class QWindow;

namespace machine {

// What the program asks of, and learns from, an X11 desktop's window
// manager. Elsewhere (Wayland, offscreen) there are no desktops to switch and
// no other program can destroy the window: the first does nothing and the
// second cannot tell.

// Puts the window on every desktop, so that switching desktops (or sending
// the window to one) never hides it. Asked before the window is mapped, as
// the window manager reads it then, and of the window manager once it is.
void showOnEveryDesktop(QWindow &window);

// Whether the X server still holds the window: false only once another
// program has destroyed it; nothing where the program cannot ask.
std::optional<bool> nativeWindowExists(QWindow &window);

} // namespace machine
