#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;
class QWindow;

namespace window {

// Keeps the kiosk window on the screen. A desktop's window manager offers to
// minimise any window (a title-bar button, Alt+Space), whatever the window
// asks for, and another program may hide it; the window then comes back at
// once. It is on every desktop, so that a switch of desktop never hides it,
// and it comes back whole within the screen when dragged partly off it. Only
// the staff exit (or an error that ends the program) lets it go. When it
// cannot come back because another program destroyed it, the program must end
// so that whatever started it (a session manager, cage) starts it again:
// `windowLost` is called. A window that is merely hidden is asked back again
// and again, never taken for destroyed.
class KioskPresence : public QObject
{
    Q_OBJECT

public:
    KioskPresence(QWidget *window, std::function<void()> windowLost);

    // From now on the window may go: the program is ending.
    void letGo() { m_guarding = false; }

    // How long the window may stay off the screen after being brought back
    // before it counts as lost.
    static constexpr int ComeBackMilliseconds = 3000;
    // How long the window must stay where it was moved before it is put back
    // on the screen: while a drag lasts the window manager has the last word.
    static constexpr int SettleMilliseconds = 300;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchNativeWindow();
    void comeBackSoon();
    void comeBack();
    void checkBack();
    void keepWithinScreen();
    bool onScreen() const;

    QWidget *m_window;
    QPointer<QWindow> m_nativeWindow;
    std::function<void()> m_windowLost;
    QTimer m_comingBack;
    QTimer m_settling;
    bool m_guarding = true;
};

} // namespace window
