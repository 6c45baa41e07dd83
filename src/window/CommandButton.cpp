#include "window/CommandButton.h"

#include "window/TouchInput.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

bool isReturnKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The same key event as if Space had been pressed or released.
QKeyEvent asSpace(const QKeyEvent *event)
{
    return QKeyEvent(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "), event->isAutoRepeat());
}

} // namespace

void CommandButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    // Some styles tint the whole face of a focused button.
    const bool focused = option.state & QStyle::State_HasFocus;
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange);
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown())
        contents.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(contents, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
    if (focused && !m_tapped) {
        // Just inside the raised border, clear of the caption.
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void CommandButton::mousePressEvent(QMouseEvent *event)
{
    m_tapped = window::isFromTouch(event);
    QPushButton::mousePressEvent(event);
}

void CommandButton::focusInEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::MouseFocusReason)
        m_tapped = false;
    QPushButton::focusInEvent(event);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    m_tapped = false;
    if (isReturnKey(event)) {
        QKeyEvent space = asSpace(event);
        QPushButton::keyPressEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::keyReleaseEvent(QKeyEvent *event)
{
    if (isReturnKey(event)) {
        QKeyEvent space = asSpace(event);
        QPushButton::keyReleaseEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QPushButton::keyReleaseEvent(event);
}
