#include "window/IdleReset.h"

#include <QApplication>
#include <QEvent>

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}

} // namespace

IdleReset::IdleReset(std::chrono::milliseconds idle, QObject *parent)
    : QObject(parent)
{
    if (idle.count() <= 0)
        return;
    m_timer.setSingleShot(true);
    m_timer.setInterval(idle);
    connect(&m_timer, &QTimer::timeout, this, &IdleReset::timeUp);
    qApp->installEventFilter(this);
    m_timer.start();
}

void IdleReset::stop()
{
    qApp->removeEventFilter(this);
    m_timer.stop();
}

bool IdleReset::eventFilter(QObject *, QEvent *event)
{
    if (isInput(event->type()))
        m_timer.start();
    return false;
}

void IdleReset::timeUp()
{
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_timer.start();
        return;
    }
    emit idleTimeOver();
    m_timer.start();
}
