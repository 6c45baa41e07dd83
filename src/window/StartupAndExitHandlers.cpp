#include "window/frmMain.h"

#include "catalogue/PriceFile.h"
#include "machine/ErrorLog.h"
#include "machine/FileBytes.h"
#include "runtime/RuntimeError.h"
#include "runtime/Twips.h"

#include <QDir>
#include <QListWidget>
#include <QMenu>

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
    watchPriceFile();
}

void frmMain::ReadPrices()
{
    try {
        const QByteArray bytes = machine::readWholeFile(m_priceFile, catalogue::MaxFileBytes);
        catalogue::Catalogue loaded = catalogue::parsePriceFile(bytes, m_priceFile);
        rememberPricesInUse(bytes);
        prices = std::move(loaded.prices);
        // One call for the whole list: adding thousands of brands one by one is slow.
        lstBrands->addItems(loaded.brands);
        emit pricesTakenIntoUse(int(loaded.brands.size()), bytes);
        if (loaded.roundedPrices > 0)
            reportRoundedPrices(loaded.roundedPrices);
    } catch (runtime::RuntimeError &error) {
        if (error.path().isEmpty())
            error.at(m_priceFile, 0);
        const QString advice = catalogue::priceFileFailureAdvice();
        error.withDetail(error.detail().isEmpty() ? advice : error.detail() + QStringLiteral("\n\n") + advice);
        throw error.explainedAs(catalogue::priceFileFailureExplanation(error.number()));
    }
}

// Customers see whole dollars whatever the file says; whoever looks after
// the kiosk learns that the file says otherwise.
void frmMain::reportRoundedPrices(int count)
{
    const QString prices = count == 1 ? QStringLiteral("1 price") : QStringLiteral("%1 prices").arg(count);
    machine::logForSupport(
        QStringLiteral("%1 in %2 %3 cents and will be quoted rounded to whole dollars; run pellory --check to see "
                       "which.")
            .arg(prices, QDir::toNativeSeparators(m_priceFile), count == 1 ? QStringLiteral("has") : QStringLiteral("have")));
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
    // After wrong passwords the box stays away for a while; the wait is said.
    if (const auto wait = m_staffExit.waitBeforeNextTry(); wait.count() > 0) {
        m_dialogs.messageBox(staffpassword::lockoutMessage(wait), QStringLiteral("Exit the Program?"));
        return;
    }
    const QString typed = m_dialogs.inputBox(QStringLiteral("Enter a password in order to exit the program"),
                                             QStringLiteral("Exit the Program?"), machine::Dialogs::Echo::Masked);
    if (m_staffExit.tryPassword(typed)) {
        m_dialogs.messageBox(QStringLiteral("Thank you for using for using our program!"),
                             QStringLiteral("The Pellory"));
        m_events.end(EXIT_SUCCESS);
        return;
    }
    m_dialogs.messageBox(QStringLiteral("Please contact one of The Pellory \r\nstaff members for assistance."),
                         QStringLiteral("OOOPS!! Incorrect Password"));
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
