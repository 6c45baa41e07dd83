#pragma once

#include <QPushButton>

// A push button whose caption wraps onto further lines when it is wider than
// the button, as the shop's earlier buttons did; Qt's own clips it instead.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
