#pragma once

#include <QPushButton>

// A command button as the shop's earlier buttons were: its caption wraps onto
// further lines when it is wider than the button (Qt's own clips it), Return
// and Enter press it as Space does, and focus shows as a dotted outline that
// leaves the face in the button's own colour, except after a tap: a finger
// has no use for it, and it would stay on the button for the next customer.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    bool m_tapped = false;
};
