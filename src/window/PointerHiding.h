#pragma once

#include <QObject>

// Hides the mouse pointer while the last input was a finger, and shows it
// again as soon as a mouse moves: on a touch screen a pointer left in the
// middle of the screen only hides what is under it.
class PointerHiding : public QObject
{
    Q_OBJECT

public:
    // Hidden from the start when `touchScreen` is attached.
    PointerHiding(bool touchScreen, QObject *parent);
    ~PointerHiding() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setHidden(bool hidden);

    bool m_hidden = false;
};
