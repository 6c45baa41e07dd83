#pragma once

#include "platform/Dialogs.h"

#include <QPointer>
#include <QWidget>

namespace platform {

class QtDialogs : public Dialogs
{
public:
    // Dialogs are centred over `parent` when it is set.
    void setParent(QWidget *parent) { m_parent = parent; }

    void messageBox(const QString &prompt, const QString &title, Icon icon) override;
    QString inputBox(const QString &prompt, const QString &title, Echo echo) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace platform
