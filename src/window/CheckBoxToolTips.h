#pragma once

#include <QObject>

namespace window {

// A greyed check box takes no mouse input, so the pointer counts as over the
// frame and the frame's tooltip shows; an enabled box has none of its own.
// Installed on each check box, it keeps an enabled box's tooltip from showing.
class CheckBoxToolTips : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace window
