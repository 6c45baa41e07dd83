#include "window/ControlColors.h"

#include <QPushButton>

namespace window {

void paintBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void paintButton(QPushButton *button, const QColor &color, bool systemColor)
{
    if (systemColor) {
        button->setStyleSheet(QString());
        paintBackground(button, color);
        return;
    }
    // An ID selector, so nothing cascades into the button's children.
    const QString selector = QStringLiteral("QPushButton#") + button->objectName();
    button->setStyleSheet(QStringLiteral("%1 { background-color: %2; border: 2px outset %3; }"
                                         "%1:pressed { border-style: inset; }"
                                         "%1:focus { border-color: %4; }")
                              .arg(selector, color.name(), color.darker(150).name(),
                                   button->palette().color(QPalette::Highlight).name()));
}

void keepOwnColors(QWidget *widget)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base}) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, role, palette.color(group, role));
    }
    widget->setPalette(palette);
}

} // namespace window
