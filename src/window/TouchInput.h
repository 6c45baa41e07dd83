#pragma once

#include <QMouseEvent>
#include <QPointingDevice>

namespace window {

// Whether a pointer event comes from a finger: a touch itself, or one of the
// mouse events Qt makes from a touch that no widget took as such.
inline bool isFromTouch(const QPointerEvent *event)
{
    return event->pointingDevice() && event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}

// Whether a touch screen is attached (the window system lists one).
inline bool touchScreenAttached()
{
    for (const QInputDevice *device : QInputDevice::devices()) {
        if (device->type() == QInputDevice::DeviceType::TouchScreen)
            return true;
    }
    return false;
}

} // namespace window
