#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

// Watches the whole program's input for the kiosk's idle reset: after `idle`
// without a touch, click, key or wheel turn it reports that the time is over,
// unless a dialog, menu or pop-up is open (staff may be typing the password,
// a customer reading a message), in which case it waits another `idle`.
// Zero never reports.
class IdleReset : public QObject
{
    Q_OBJECT

public:
    IdleReset(std::chrono::milliseconds idle, QObject *parent);

    void stop();

signals:
    void idleTimeOver();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void timeUp();

    QTimer m_timer;
};
