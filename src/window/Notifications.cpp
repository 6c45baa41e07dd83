#include "window/Notifications.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace window {

namespace {

const char *const SpokenWhenShown = "pelloryNotification";

QAccessibleInterface *notificationAccessible(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || !widget->property(SpokenWhenShown).toBool())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Notification);
}

} // namespace

void speakWhenShown(QWidget *widget)
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(notificationAccessible), true);
    widget->setProperty(SpokenWhenShown, true);
}

void showAndSpeak(QWidget *widget)
{
    // Showing a hidden widget tells assistive technology by itself.
    if (widget->isHidden()) {
        widget->setVisible(true);
        return;
    }
    QAccessibleEvent shown(widget, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace window
