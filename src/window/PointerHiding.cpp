#include "window/PointerHiding.h"

#include "window/TouchInput.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTouchEvent>

PointerHiding::PointerHiding(bool touchScreen, QObject *parent)
    : QObject(parent)
{
    setHidden(touchScreen);
    qApp->installEventFilter(this);
}

PointerHiding::~PointerHiding()
{
    setHidden(false);
}

bool PointerHiding::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::MouseButtonPress:
        if (window::isFromTouch(static_cast<QPointerEvent *>(event)))
            setHidden(true);
        break;
    case QEvent::MouseMove:
        if (!window::isFromTouch(static_cast<QPointerEvent *>(event)))
            setHidden(false);
        break;
    default:
        break;
    }
    return false;
}

void PointerHiding::setHidden(bool hidden)
{
    if (hidden == m_hidden)
        return;
    m_hidden = hidden;
    if (hidden)
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}
