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

} // namespace window
