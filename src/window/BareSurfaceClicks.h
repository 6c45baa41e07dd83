#pragma once

#include <QObject>

#include <functional>

class QMouseEvent;
class QWidget;

namespace window {

// A click belongs to the window only when it both starts and ends over the
// window's own surface: a control (a label, a frame) passes its presses and
// releases on to the window, but they stay the control's. Watches the surface
// and hands on each release that ends such a click.
class BareSurfaceClicks : public QObject
{
public:
    BareSurfaceClicks(QWidget *surface, std::function<void(const QMouseEvent &)> released);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_surface;
    std::function<void(const QMouseEvent &)> m_released;
    // The mouse buttons last pressed over the bare surface, not over a control.
    Qt::MouseButtons m_pressedOnSurface;
};

} // namespace window
