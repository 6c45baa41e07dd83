#include "window/ControlColors.h"

#include <QGroupBox>
#include <QPushButton>

namespace window {

namespace {

QColor mixed(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

void paintBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void paintFrame(QGroupBox *frame, const QColor &color)
{
    // An ID selector, so nothing cascades into the frame's check boxes and options.
    const QString selector = QStringLiteral("QGroupBox#") + frame->objectName();
    frame->setStyleSheet(QStringLiteral("%1 { background-color: %2; border: 1px solid %3; border-radius: 3px;"
                                        " margin-top: 0.6em; }"
                                        "%1::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }")
                             .arg(selector, color.name(), color.darker(160).name()));
}

void paintButton(QPushButton *button, const QColor &color)
{
    // An ID selector, so nothing cascades into the button's children.
    const QString selector = QStringLiteral("QPushButton#") + button->objectName();
    const QColor light = mixed(color, Qt::white);
    const QColor dark = color.darker(170);
    button->setStyleSheet(QStringLiteral("%1 { background-color: %2; border: 2px solid;"
                                         " border-color: %3 %4 %4 %3; }"
                                         "%1:pressed { border-color: %4 %3 %3 %4; }")
                              .arg(selector, color.name(), light.name(), dark.name()));
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
