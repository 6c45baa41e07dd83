#include "window/CheckBoxToolTips.h"

#include <QCheckBox>
#include <QEvent>

namespace window {

bool CheckBoxToolTips::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip && qobject_cast<QCheckBox *>(watched))
        return static_cast<QWidget *>(watched)->isEnabled();
    return false;
}

} // namespace window
