#include "machine/DesktopWindowManager.h"

#include <QGuiApplication>
#include <QWindow>

#ifdef PELLORY_WITH_XCB
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace machine {

#ifdef PELLORY_WITH_XCB
namespace {

// What the desktop number means in the window-manager conventions (EWMH).
constexpr std::uint32_t EveryDesktop = 0xFFFFFFFF;
constexpr std::uint32_t AskedByAnApplication = 1;

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t *x11Connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atomNamed(xcb_connection_t *connection, const char *name)
{
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Sends the window manager a request about the window (on the window's root,
// as the conventions ask).
void askWindowManager(xcb_connection_t *connection, xcb_window_t id, xcb_atom_t request,
                      std::initializer_list<std::uint32_t> data)
{
    const Owned<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), &std::free);
    if (!geometry || request == XCB_ATOM_NONE)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

} // namespace

void showOnEveryDesktop(QWindow &window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t desktop = atomNamed(connection, "_NET_WM_DESKTOP");
    if (desktop == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32, 1, &EveryDesktop);
    askWindowManager(connection, id, desktop, {EveryDesktop, AskedByAnApplication});
}

std::optional<bool> nativeWindowExists(QWindow &window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return std::nullopt;
    xcb_generic_error_t *error = nullptr;
    const Owned<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, xcb_window_t(window.winId())),
                                        &error),
        &std::free);
    std::free(error);
    return attributes != nullptr;
}
#else
void showOnEveryDesktop(QWindow &)
{
}

std::optional<bool> nativeWindowExists(QWindow &)
{
    return std::nullopt;
}
#endif

} // namespace machine
