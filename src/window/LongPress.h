#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;

// A finger held still on a window for the system's press-and-hold time acts,
// when it lifts, as a right-button release does (as press-and-hold does on
// Windows touch screens): the window is asked what it shows for the widget
// under the finger. When it shows something (a menu, a tooltip), that lift is
// kept from the widgets, so it neither clicks nor picks what is under the
// finger; otherwise it is an ordinary, slow tap. Mouse buttons never make a
// long press.
class LongPress : public QObject
{
    Q_OBJECT

public:
    // Returns whether the window shows something for a long press on
    // `under`; it shows it once the lift is over.
    using Handler = std::function<bool(QWidget *under, QPoint globalPos)>;
    LongPress(QWidget *window, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    Handler m_handler;
    QTimer m_hold;
    QPoint m_start;
    QPointer<QWidget> m_pressed;
};
