#include "window/LongPress.h"

#include "window/TouchInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>

LongPress::LongPress(QWidget *window, Handler handler)
    : QObject(window)
    , m_window(window)
    , m_handler(std::move(handler))
{
    m_hold.setSingleShot(true);
    m_hold.setInterval(QGuiApplication::styleHints()->mousePressAndHoldInterval());
    qApp->installEventFilter(this);
}

bool LongPress::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease)
        return false;
    // Widgets only: the window system's window passes the lift on to them
    // and must see it, or it keeps sending the next touch to this widget.
    auto *widget = qobject_cast<QWidget *>(watched);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (!widget || !window::isFromTouch(mouse))
        return false;
    const QPoint at = mouse->globalPosition().toPoint();
    switch (type) {
    // A touch on the spot of the one before, however much later, may come as
    // a double click instead of a press: it is held the same.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Each widget a press passes on to sees it; the first is the one under the finger.
        if (!m_pressed && widget->window() == m_window) {
            m_start = at;
            m_pressed = widget;
            m_hold.start();
        }
        return false;
    case QEvent::MouseMove:
        if ((at - m_start).manhattanLength() >= QApplication::startDragDistance())
            m_hold.stop();
        return false;
    default:
        break;
    }
    const bool held = m_pressed && !m_hold.isActive();
    QPointer<QWidget> pressed = m_pressed;
    m_pressed.clear();
    m_hold.stop();
    QWidget *under = QApplication::widgetAt(m_start);
    if (!held || !under || under->window() != m_window || !m_handler(under, m_start))
        return false;
    // The lift is kept from a button that went down under the finger.
    if (auto *button = qobject_cast<QAbstractButton *>(pressed.data()))
        button->setDown(false);
    return true;
}
