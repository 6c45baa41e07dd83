#include "window/BareSurfaceClicks.h"

#include <QMouseEvent>
#include <QWidget>

namespace window {

BareSurfaceClicks::BareSurfaceClicks(QWidget *surface, std::function<void(const QMouseEvent &)> released)
    : QObject(surface)
    , m_surface(surface)
    , m_released(std::move(released))
{
    surface->installEventFilter(this);
}

bool BareSurfaceClicks::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_surface)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_pressedOnSurface.setFlag(mouse->button(), m_surface->childAt(mouse->position().toPoint()) == nullptr);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool pressedHere = m_pressedOnSurface.testFlag(mouse->button());
        m_pressedOnSurface.setFlag(mouse->button(), false);
        if (pressedHere && m_surface->childAt(mouse->position().toPoint()) == nullptr)
            m_released(*mouse);
    }
    return false;
}

} // namespace window
