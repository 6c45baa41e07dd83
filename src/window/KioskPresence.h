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
// once. Only the staff exit (or an error that ends the program) lets it go.
// When it cannot come back, because another program destroyed it, the
// program must end so that whatever started it (a session manager, cage)
// starts it again: `windowLost` is called.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchNativeWindow();
    void comeBackSoon();
    void comeBack();
    void checkBack();
    bool onScreen() const;

    QWidget *m_window;
    QPointer<QWindow> m_nativeWindow;
    std::function<void()> m_windowLost;
    QTimer m_comingBack;
    bool m_guarding = true;
};

} // namespace window
