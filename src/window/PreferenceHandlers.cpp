#include "window/frmMain.h"

#include "runtime/DateText.h"
#include "runtime/OleColor.h"
#include "runtime/RuntimeError.h"
#include "preferences/Preferences.h"
#include "preferences/ReadableColor.h"
#include "window/ControlColors.h"
#include "window/StaffPasswordPrompt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

QColor colorOf(std::int32_t value)
{
    return runtime::colorFromValue(value, QApplication::palette());
}

} // namespace

void frmMain::ReadTheRegistry()
{
    const preferences::StoredPreferences stored = preferences::readPreferences();
    blnDateDisplay = stored.dateDisplay;
    lngBackColor = stored.backColor;
    // A colour stored before dark ones were refused must not leave the
    // captions unreadable for good.
    if (!preferences::keepsBlackCaptionsReadable(colorOf(lngBackColor)))
        lngBackColor = runtime::SystemButtonFace;
}

void frmMain::changePreferencesForStaff(void (frmMain::*change)())
{
    if (!m_shop.staffOnlyPreferences) {
        (this->*change)();
        return;
    }
    m_staffPassword->ask(window::StaffPasswordPrompt::Purpose::Preferences, [this, change](bool granted) {
        if (granted)
            (this->*change)();
        else
            keepClockItemsAsTheyAre();
    });
}

// Choosing a clock item has already moved its check mark.
void frmMain::keepClockItemsAsTheyAre()
{
    mnuPreferencesDateandTimeOn->setChecked(blnDateDisplay);
    mnuPreferencesDateandTimeOff->setChecked(!blnDateDisplay);
}

void frmMain::setBackColor(std::int32_t color)
{
    lngBackColor = color;
    window::paintBackground(surface, colorOf(color));
}

void frmMain::SetAllOtherBackColor()
{
    const QColor color = colorOf(lngBackColor);
    for (QGroupBox *frame : {fraSneakerItems, fraPairs})
        window::paintFrame(frame, color);
    for (QRadioButton *option : pairOptions())
        window::paintBackground(option, color);
    for (QCheckBox *box : chkSneakerItem)
        window::paintBackground(box, color);
    for (QPushButton *button : {cmdCalculate, cmdReset, cmdClearQuote})
        window::paintButton(button, color);
}

void frmMain::mnuColorsCustom_Click()
{
    try {
        const std::optional<QColor> chosen = m_dialogs.chooseColor(colorOf(lngBackColor));
        if (!chosen)
            runtime::raise(runtime::ErrorNumber::ColorChooserCancelled);
        if (!preferences::keepsBlackCaptionsReadable(*chosen)) {
            m_dialogs.messageBox(QStringLiteral("That color is too dark to read the black captions on. "
                                                "Please choose a lighter color."));
            return;
        }
        setBackColor(runtime::valueFromColor(*chosen));
        preferences::saveBackColor(lngBackColor);
        SetAllOtherBackColor();
    } catch (const runtime::RuntimeError &error) {
        if (error.number() == int(runtime::ErrorNumber::ColorChooserCancelled))
            m_dialogs.messageBox(QStringLiteral("Color change is canceled."));
        else
            m_dialogs.messageBox(QStringLiteral("An unexpected error has occurred \r\n"
                                                "Please contact a member of the \r\n"
                                                "Pellory staff."));
    }
}

void frmMain::mnuColorsdefault_Click()
{
    setBackColor(runtime::SystemButtonFace);
    // Stored too, so the next start keeps the default the shop went back to.
    preferences::saveBackColor(lngBackColor);
    SetAllOtherBackColor();
}

void frmMain::mnuPreferencesDateandTimeOn_Click()
{
    mnuPreferencesDateandTimeOff->setChecked(false);
    mnuPreferencesDateandTimeOn->setChecked(true);
    if (!tmrSneakers->isActive())
        tmrSneakers->start();
    lblDateTime->setVisible(true);
    blnDateDisplay = true;
    preferences::saveDateDisplay(true);
}

void frmMain::mnuPreferencesDateandTimeOff_Click()
{
    mnuPreferencesDateandTimeOff->setChecked(true);
    mnuPreferencesDateandTimeOn->setChecked(false);
    tmrSneakers->stop();
    lblDateTime->setVisible(false);
    blnDateDisplay = false;
    preferences::saveDateDisplay(false);
}

void frmMain::tmrSneakers_Timer()
{
    lblDateTime->setText(runtime::dateTimeText(QDateTime::currentDateTime()));
    lblDateTime->adjustSize();
}
