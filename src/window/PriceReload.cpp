#include "window/frmMain.h"

#include "machine/ErrorLog.h"
#include "machine/FileBytes.h"
#include "runtime/RuntimeError.h"
#include "machine/SettledFileWatcher.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTimer>

namespace {

QByteArray digestOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

// Only a kiosk that reloads its prices needs to tell a new file from the
// one it started with.
void frmMain::rememberPricesInUse(const QByteArray &bytes)
{
    if (m_shop.reloadPrices)
        m_pricesInUse = digestOf(bytes);
}

// Staff change prices while the kiosk runs, at one kiosk or at many through
// configuration management: the price file is read again once it has stayed
// unchanged for a moment, and a file that start-up would refuse never
// replaces the prices in use.
void frmMain::watchPriceFile()
{
    if (!m_shop.reloadPrices)
        return;
    auto *watcher = new machine::SettledFileWatcher(m_priceFile, m_shop.priceFileSettling, this);
    connect(watcher, &machine::SettledFileWatcher::settled, this, [this] { deliver(&frmMain::readPricesAgain); });
    m_pendingPricesCheck = new QTimer(this);
    m_pendingPricesCheck->setInterval(250);
    connect(m_pendingPricesCheck, &QTimer::timeout, this, [this] { deliver(&frmMain::applyPricesWhenIdle); });
}

void frmMain::readPricesAgain()
{
    QByteArray digest;
    try {
        const QByteArray bytes = machine::readWholeFile(m_priceFile, catalogue::MaxFileBytes);
        digest = digestOf(bytes);
        if (digest == m_pricesInUse || digest == m_pendingPricesDigest)
            return;
        m_pendingPrices = catalogue::parsePriceFile(bytes, m_priceFile);
        m_pendingPricesDigest = digest;
        m_lastRefusal.clear();
    } catch (const runtime::RuntimeError &error) {
        // The same faulty file is told once, however often its folder changes.
        QString refusal = QStringLiteral("The price file changed but the kiosk keeps the prices in use: %1")
                              .arg(machine::errorLogText(error));
        if (!error.detail().isEmpty())
            refusal += QStringLiteral(": ") + error.detail();
        if (refusal != m_lastRefusal)
            machine::logForSupport(refusal);
        m_lastRefusal = refusal;
        return;
    }
    if (m_pendingPricesCheck)
        m_pendingPricesCheck->start();
    applyPricesWhenIdle();
}

// Never under a customer's hands: the new list waits until no brand is
// selected and no message, password box or menu is open.
void frmMain::applyPricesWhenIdle()
{
    if (m_pendingPricesDigest.isEmpty())
        return;
    if (listIndex() >= 0 || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return;
    if (m_pendingPricesCheck)
        m_pendingPricesCheck->stop();
    catalogue::Catalogue loaded = std::move(m_pendingPrices);
    m_pricesInUse = std::exchange(m_pendingPricesDigest, {});
    prices = std::move(loaded.prices);
    {
        const QSignalBlocker quiet(lstBrands);
        lstBrands->clear();
        lstBrands->addItems(loaded.brands);
    }
    lstBrands->scrollToTop();
    lstBrands_Click();
    machine::logForSupport(QStringLiteral("Prices reloaded from %1: %2.")
                                .arg(QDir::toNativeSeparators(m_priceFile),
                                     loaded.brands.size() == 1 ? QStringLiteral("1 brand")
                                                               : QStringLiteral("%1 brands").arg(loaded.brands.size())));
    if (loaded.roundedPrices > 0)
        reportRoundedPrices(loaded.roundedPrices);
}
