#include "window/frmMain.h"

#include "catalogue/PriceFile.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include <QListWidget>
#include <QMenu>

namespace {

const QString ExitPassword = QStringLiteral("472916");

} // namespace

void frmMain::Form_Load()
{
    ReadTheRegistry();
    ReadPrices();
    SetAllOtherBackColor();
    if (blnDateDisplay)
        mnuPreferencesDateandTimeOn_Click();
    else
        mnuPreferencesDateandTimeOff_Click();
    setBackColor(lngBackColor);
}

void frmMain::ReadPrices()
{
    try {
        catalogue::Catalogue loaded = catalogue::readPriceFile(m_priceFile);
        prices = std::move(loaded.prices);
        // One call for the whole list: adding thousands of brands one by one is slow.
        lstBrands->addItems(loaded.brands);
    } catch (platform::RuntimeError &error) {
        if (error.path().isEmpty())
            error.at(m_priceFile, 0);
        throw error.explainedAs(catalogue::priceFileFailureExplanation(error.number()));
    }
}

void frmMain::Form_GotFocus()
{
    lstBrands->setFocus(Qt::OtherFocusReason);
}

void frmMain::Form_MouseUp(std::int16_t button, std::int16_t, float x, float y)
{
    if (button != 2)
        return;
    // The pop-up opens with its corner at the pointer, where the button was released.
    mnuPreferences->exec(surface->mapToGlobal(m_scale.surfacePixelsAt(QPointF(x, y))));
}

void frmMain::mnuFileExit_Click()
{
    const QString typed = m_dialogs.inputBox(QStringLiteral("Enter a password in order to exit the program"),
                                             QStringLiteral("Exit the Program?"), platform::Dialogs::Echo::Masked);
    if (isStaffPassword(typed)) {
        m_dialogs.messageBox(QStringLiteral("Thank you for using for using our program!"),
                             QStringLiteral("The Pellory"));
        m_events.end(EXIT_SUCCESS);
        return;
    }
    m_dialogs.messageBox(QStringLiteral("Please contact one of The Pellory \r\nstaff members for assistance."),
                         QStringLiteral("OOOPS!! Incorrect Password"));
}

bool frmMain::isStaffPassword(const QString &typed) const
{
    return typed == ExitPassword;
}

void frmMain::mnuHelpPelloryProgram_Click()
{
    const QStringList lines{
        QStringLiteral("This program was developed by Quarlow for "),
        QStringLiteral("your use while shopping in The Pellory. "),
        QStringLiteral("We hope your visit with us was pleasant and "),
        QStringLiteral("productive.  If you have unanswered questions, "),
        QStringLiteral("please ask one of our staff.  Have a great day!!"),
    };
    m_dialogs.messageBox(lines.join(QStringLiteral("\r\n")), QStringLiteral("Brought to You by The Pellory"));
}
