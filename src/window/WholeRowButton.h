#pragma once

#include <QPoint>

// A check box or option button that reacts to a press anywhere on its
// rectangle, as the shop's earlier controls did. Qt's react only on the box
// and the caption, which leaves the blank right part of a row dead to a finger.
template <typename Button>
class WholeRowButton : public Button
{
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint &pos) const override { return this->rect().contains(pos); }
};
