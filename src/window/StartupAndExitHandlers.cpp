#include "window/frmMain.h"

#include "catalogue/PriceFile.h"
#include "machine/ErrorLog.h"
#include "machine/FileBytes.h"
#include "runtime/RuntimeError.h"
#include "runtime/Twips.h"
#include "window/PriceReloader.h"
#include "window/StaffPasswordPrompt.h"

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
    if (m_shop.reloadPrices)
        m_priceReloader->watch(m_shop.priceFileSettling);
}

void frmMain::ReadPrices()
{
    try {
        const QByteArray bytes = machine::readWholeFile(m_priceFile, catalogue::MaxFileBytes);
        catalogue::Catalogue loaded = catalogue::parsePriceFile(bytes, m_priceFile);
        m_priceReloader->startFrom(bytes);
        prices = std::move(loaded.prices);
        // One call for the whole list: adding thousands of brands one by one is slow.
        lstBrands->addItems(loaded.brands);
        emit pricesTakenIntoUse(int(loaded.brands.size()), bytes);
        if (loaded.roundedPrices > 0)
            machine::logForSupport(catalogue::roundedPricesNote(loaded.roundedPrices, m_priceFile));
    } catch (runtime::RuntimeError &error) {
        if (error.path().isEmpty())
            error.at(m_priceFile, 0);
        const QString advice = catalogue::priceFileFailureAdvice();
        error.withDetail(error.detail().isEmpty() ? advice : error.detail() + QStringLiteral("\n\n") + advice);
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
    mnuPreferences->exec(surface->mapToGlobal(m_formScaling.scale().surfacePixelsAt(QPointF(x, y))));
}

void frmMain::guardExitWith(staffpassword::StaffExit staffExit)
{
    m_staffPassword->guardWith(std::move(staffExit));
}

void frmMain::mnuFileExit_Click()
{
    m_staffPassword->ask(window::StaffPasswordPrompt::Purpose::Exit,
                         [this](bool granted) { exitPasswordChecked(granted); });
}

void frmMain::exitPasswordChecked(bool right)
{
    // A wrong password has been told already; the window stays.
    if (!right)
        return;
    m_dialogs.messageBox(QStringLiteral("Thank you for using for using our program!"), QStringLiteral("The Pellory"));
    m_events.end(EXIT_SUCCESS);
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
