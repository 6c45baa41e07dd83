#include "window/frmMain.h"

#include "window/LongPress.h"
#include "window/PointerHiding.h"
#include "window/TouchInput.h"

#include <QCheckBox>
#include <QTimer>
#include <QToolTip>

void frmMain::watchForTouch()
{
    new PointerHiding(window::touchScreenAttached(), this);
    new LongPress(this, [this](QWidget *under, QPoint globalPos) { return showForLongPress(under, globalPos); });
}

bool frmMain::showForLongPress(QWidget *under, QPoint globalPos)
{
    if (under == surface) {
        // As a right-button release over the bare window.
        const QPointF at = m_formScaling.scale().twipsAt(surface->mapFromGlobal(globalPos));
        QTimer::singleShot(0, this, [this, at] {
            deliver([this, at] { Form_MouseUp(2, 0, float(at.x()), float(at.y())); });
        });
        return true;
    }
    // The tooltip the pointer would show there: a control's own, or a
    // frame's over its bare part and over its greyed items.
    QWidget *holder = under;
    while (holder != surface && holder->toolTip().isEmpty()) {
        if (qobject_cast<QCheckBox *>(holder) && holder->isEnabled())
            return false;
        holder = holder->parentWidget();
        if (!holder)
            return false;
    }
    if (holder == surface)
        return false;
    const QString explanation = holder->toolTip();
    QTimer::singleShot(0, holder, [holder, globalPos, explanation] { QToolTip::showText(globalPos, explanation, holder); });
    return true;
}
