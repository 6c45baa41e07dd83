#include "window/KioskPresence.h"

#include "machine/DesktopWindowManager.h"
#include "window/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace window {

KioskPresence::KioskPresence(QWidget *window, std::function<void()> windowLost)
    : QObject(window)
    , m_window(window)
    , m_windowLost(std::move(windowLost))
{
    m_comingBack.setSingleShot(true);
    m_comingBack.setInterval(ComeBackMilliseconds);
    connect(&m_comingBack, &QTimer::timeout, this, &KioskPresence::checkBack);
    m_settling.setSingleShot(true);
    m_settling.setInterval(SettleMilliseconds);
    connect(&m_settling, &QTimer::timeout, this, &KioskPresence::keepWithinScreen);
    m_window->installEventFilter(this);
    watchNativeWindow();
}

void KioskPresence::watchNativeWindow()
{
    QWindow *native = m_window->windowHandle();
    if (!native || native == m_nativeWindow)
        return;
    m_nativeWindow = native;
    native->installEventFilter(this);
}

bool KioskPresence::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_guarding)
        return false;
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            // Before the window is mapped: a window manager that takes a
            // withdrawn window on again forgets its desktops.
            watchNativeWindow();
            if (m_nativeWindow)
                machine::showOnEveryDesktop(*m_nativeWindow);
            break;
        case QEvent::WinIdChange:
            watchNativeWindow();
            break;
        case QEvent::Move:
            m_settling.start();
            break;
        case QEvent::Hide:
            comeBackSoon();
            break;
        case QEvent::WindowStateChange:
            if (m_window->isMinimized())
                comeBackSoon();
            break;
        default:
            break;
        }
    } else if (watched == m_nativeWindow && event->type() == QEvent::Expose) {
        // A window that is unmapped, iconified or destroyed is no longer
        // exposed; one that is covered still is.
        if (m_nativeWindow->isExposed()) {
            // Back, perhaps taken on anew by a window manager that forgot its
            // desktops after the program asked for them.
            if (m_comingBack.isActive())
                machine::showOnEveryDesktop(*m_nativeWindow);
            m_comingBack.stop();
        } else {
            comeBackSoon();
        }
    }
    return false;
}

void KioskPresence::comeBackSoon()
{
    // After the event that took it away is done with.
    QTimer::singleShot(0, this, &KioskPresence::comeBack);
}

bool KioskPresence::onScreen() const
{
    return m_window->isVisible() && !m_window->isMinimized() && m_nativeWindow && m_nativeWindow->isExposed();
}

void KioskPresence::comeBack()
{
    // Once asked to come back, the window is given its time before it is
    // asked again, so that its own unmapping does not ask once more.
    if (!m_guarding || onScreen() || m_comingBack.isActive())
        return;
    m_comingBack.start();
    // A window sent to another desktop is hidden there, and a window manager
    // takes no request to show it from the desktop it is not on.
    if (m_nativeWindow)
        machine::showOnEveryDesktop(*m_nativeWindow);
    if (m_window->isMinimized()) {
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    } else if (m_window->isVisible() && m_nativeWindow && !m_nativeWindow->isExposed()) {
        // Unmapped behind the program's back: Qt still takes it as shown, so
        // it is mapped again by hiding and showing it.
        m_window->hide();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void KioskPresence::checkBack()
{
    if (!m_guarding || onScreen())
        return;
    // Only a window the window system no longer holds is lost; one that is
    // still there, only hidden, is asked back again.
    if (m_nativeWindow && machine::nativeWindowExists(*m_nativeWindow).value_or(false))
        comeBack();
    else
        m_windowLost();
}

void KioskPresence::keepWithinScreen()
{
    if (!m_guarding || !onScreen() || m_window->isFullScreen())
        return;
    const QRect frame = m_window->frameGeometry();
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = m_window->screen();
    const QPoint inside = keptInside(screen->availableGeometry(), frame);
    if (inside != frame.topLeft())
        m_window->move(inside);
}

} // namespace window
