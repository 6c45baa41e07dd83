#include "window/frmMain.h"

#include "quote/Availability.h"
#include "quote/Quote.h"
#include "window/Notifications.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

int frmMain::listIndex() const
{
    return lstBrands->listIndex();
}

void frmMain::setListIndex(int index)
{
    {
        const QSignalBlocker quiet(lstBrands);
        // No current row either, so the keys and the focus outline start
        // again from the top.
        if (index < 0)
            lstBrands->setCurrentRow(-1);
        else
            lstBrands->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
    // Setting the list index raises the click handler, as a user's click does.
    lstBrands_Click();
}

void frmMain::lstBrands_Click()
{
    const quote::AvailabilityRow row = quote::availabilityFor(listIndex());
    for (int item = 0; item < catalogue::ItemCount; ++item) {
        chkSneakerItem[item]->setEnabled(row[item].enabled);
        if (row[item].clearTick)
            chkSneakerItem[item]->setChecked(false);
    }
}

void frmMain::optPair_Click(std::int16_t index)
{
    intPairs = index;
}

void frmMain::cmdCalculate_Click()
{
    quote::Selection selection;
    const int brand = listIndex();
    selection.brandIndex = brand;
    selection.brandText = brand < 0 ? QString() : lstBrands->item(brand)->text();
    for (int item = 0; item < catalogue::ItemCount; ++item)
        selection.checkValues[item] = chkSneakerItem[item]->isChecked() ? 1 : 0;
    selection.pairsChosen = intPairs != 0;
    selection.pairs = intPairs;

    const quote::Outcome outcome = quote::calculate(selection, prices);
    for (const QString &message : outcome.messages)
        m_dialogs.messageBox(message);
    // A total of $0 or less quotes nothing. No earlier quote can be showing:
    // it went when the selection changed.
    if (!outcome.total || *outcome.total <= runtime::Currency())
        return;
    const QString quote = quote::quoteCaption(*outcome.total);
    lblPriceQuote->setText(quote);
    lblPriceQuote->adjustSize();
    lblPriceQuote->setAccessibleName(quote);
    window::showAndSpeak(lblPriceQuote);
}

void frmMain::cmdClearQuote_Click()
{
    setListIndex(-1);
    lblPriceQuote->setVisible(false);
}

void frmMain::cmdReset_Click()
{
    setListIndex(-1);
    for (QCheckBox *box : chkSneakerItem)
        box->setChecked(false);
    for (QRadioButton *option : pairOptions()) {
        // Qt keeps one option of an exclusive group selected; lift the rule
        // while clearing them all.
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    intPairs = 0;
    lblPriceQuote->setVisible(false);
}

void frmMain::hideStaleQuote()
{
    // A quote shows only while it describes the selection: a price left on
    // screen after the brand, a tick or the pairs changed would be wrong.
    lblPriceQuote->setVisible(false);
}

void frmMain::resetForNextCustomer()
{
    // The next customer finds the window as it opened; the preferences are the shop's.
    cmdReset_Click();
    lstBrands->scrollToTop();
}
