#include "window/frmMain.h"

#include "window/PriceReloader.h"

#include <QApplication>
#include <QListWidget>
#include <QSignalBlocker>

// Staff change prices while the kiosk runs; the reloader decides when a new
// file may take effect, the window only puts it in place.
void frmMain::createPriceReloader()
{
    m_priceReloader = new window::PriceReloader(
        m_priceFile, [this](const std::function<void()> &work) { deliver(work); },
        [this] { return windowIsIdle(); },
        [this](catalogue::Catalogue &&loaded, const QByteArray &bytes) { takeNewPrices(std::move(loaded), bytes); },
        this);
}

void frmMain::readPricesAgain()
{
    m_priceReloader->readAgain();
}

// Never under a customer's hands: no brand is selected and no message,
// password box or menu is open.
bool frmMain::windowIsIdle() const
{
    return listIndex() < 0 && !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}

void frmMain::takeNewPrices(catalogue::Catalogue &&loaded, const QByteArray &bytes)
{
    const int brandCount = int(loaded.brands.size());
    prices = std::move(loaded.prices);
    {
        const QSignalBlocker quiet(lstBrands);
        lstBrands->clear();
        lstBrands->addItems(loaded.brands);
    }
    lstBrands->scrollToTop();
    lstBrands_Click();
    emit pricesTakenIntoUse(brandCount, bytes);
}
