#pragma once

#include "machine/Dialogs.h"

#include <QPointer>
#include <QWidget>

namespace machine {

class QtDialogs : public Dialogs
{
public:
    // Dialogs are centred over `parent` when it is set.
    void setParent(QWidget *parent) { m_parent = parent; }
    // Message and input boxes are drawn `factor` times their usual size, as
    // the window is when it fills the screen, with finger-sized buttons.
    void setScale(qreal factor) { m_scale = factor; }
    // The password box (a masked input box) offers an on-screen digit pad.
    void setDigitPad(bool offered) { m_digitPad = offered; }

    void messageBox(const QString &prompt, const QString &title, Icon icon) override;
    QString inputBox(const QString &prompt, const QString &title, Echo echo) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;

private:
    void scale(QDialog *dialog) const;
    int keySize() const;

    QPointer<QWidget> m_parent;
    qreal m_scale = 1.0;
    bool m_digitPad = false;
};

} // namespace machine
