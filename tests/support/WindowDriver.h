#pragma once

#include "TemporaryPriceFile.h"

#include "platform/ScriptedDialogs.h"
#include "window/frmMain.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>

class QAbstractButton;
class QAction;

namespace testsupport {

// Points the settings store at a fresh temporary folder for one test, by
// setting XDG_CONFIG_HOME, which the store reads each time it opens, and puts
// the variable back as it was afterwards.
class TemporarySettings
{
public:
    TemporarySettings();
    ~TemporarySettings();
    TemporarySettings(const TemporarySettings &) = delete;
    TemporarySettings &operator=(const TemporarySettings &) = delete;

    QString filePath() const;
    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &text);

private:
    QTemporaryDir m_dir;
    std::optional<QByteArray> m_previousConfigHome;
};

// A real frmMain with scripted dialogs, reading `priceFile`, driven through
// its widgets.
class WindowDriver
{
public:
    explicit WindowDriver(const QString &priceFile);
    ~WindowDriver();

    frmMain &form() { return *m_form; }
    platform::ScriptedDialogs &dialogs() { return m_dialogs; }
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

private:
    platform::ScriptedDialogs m_dialogs;
    std::unique_ptr<frmMain> m_form;
};

// Clicks the indicator of a check box or option: a centre click misses a box
// wider than its caption.
void clickIndicator(QAbstractButton *button);

} // namespace testsupport
