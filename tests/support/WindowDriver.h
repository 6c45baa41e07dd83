#pragma once

#include "machine/ScriptedDialogs.h"
#include "window/frmMain.h"

#include <QString>

#include <memory>

class QAbstractButton;
class QAction;

namespace testsupport {

// A real frmMain with scripted dialogs, reading `priceFile` and following
// `shop`, driven through its widgets.
class WindowDriver
{
public:
    explicit WindowDriver(const QString &priceFile, const configuration::ShopConfiguration &shop = {});
    ~WindowDriver();

    frmMain &form() { return *m_form; }
    machine::ScriptedDialogs &dialogs() { return m_dialogs; }
    bool loadAndShow();

    template <typename Widget>
    Widget *find(const QString &name) const
    {
        return m_form->findChild<Widget *>(name);
    }
    QAction *action(const QString &name) const;

    void clickBrand(int row);
    void tick(int item);
    void choosePairs(int pairs);
    void click(const QString &buttonName);
    void trigger(const QString &actionName);

    bool itemChecked(int item) const;
    bool itemEnabled(int item) const;
    QString quoteText() const;
    bool quoteVisible() const;
    // The colour a customer sees on the bare window below the controls.
    QColor colourBehindControls() const;
    // The system's button face, which the window shows until a colour is chosen.
    static QColor buttonFace();

private:
    machine::ScriptedDialogs m_dialogs;
    std::unique_ptr<frmMain> m_form;
};

// Clicks the indicator of a check box or option: a centre click misses a box
// wider than its caption.
void clickIndicator(QAbstractButton *button);

} // namespace testsupport
