#include "window/PriceReloader.h"

#include "catalogue/PriceFile.h"
#include "machine/ErrorLog.h"
#include "machine/FileBytes.h"
#include "machine/FileStamp.h"
#include "machine/SettledFileWatcher.h"
#include "runtime/RuntimeError.h"

#include <QDir>

namespace window {

namespace {

QString brandCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 brand") : QStringLiteral("%1 brands").arg(count);
}

} // namespace

PriceReloader::PriceReloader(const QString &priceFile, Deliver deliver, WindowIdle windowIdle,
                             TakeIntoUse takeIntoUse, QObject *parent)
    : QObject(parent)
    , m_priceFile(priceFile)
    , m_deliver(std::move(deliver))
    , m_windowIdle(std::move(windowIdle))
    , m_takeIntoUse(std::move(takeIntoUse))
{
    m_idleCheck.setInterval(250);
    connect(&m_idleCheck, &QTimer::timeout, this, [this] { m_deliver([this] { applyWhenIdle(); }); });
}

void PriceReloader::watch(std::chrono::milliseconds settling)
{
    auto *watcher = new machine::SettledFileWatcher(m_priceFile, settling, this);
    connect(watcher, &machine::SettledFileWatcher::changed, this, &PriceReloader::dropWaitingPrices);
    connect(watcher, &machine::SettledFileWatcher::settled, this, [this] { m_deliver([this] { readAgain(); }); });
}

void PriceReloader::readAgain()
{
    const machine::FileStamp before = machine::fileStampOf(m_priceFile);
    QByteArray bytes;
    catalogue::Catalogue loaded;
    try {
        bytes = machine::readWholeFile(m_priceFile, catalogue::MaxFileBytes);
        // Written to while it was read: the writer's next close brings another reading.
        if (machine::fileStampOf(m_priceFile) != before)
            return;
        if (!catalogue::lastLineIsFinished(bytes)) {
            dropWaitingPrices();
            tellOnce(QStringLiteral("The price file changed but its last line has no line end yet, so it may still be "
                                    "being written; the kiosk keeps the prices in use until it has one: %1")
                         .arg(QDir::toNativeSeparators(m_priceFile)));
            return;
        }
        if (bytes == m_bytesInUse) {
            dropWaitingPrices();
            m_lastRefusal.clear();
            return;
        }
        if (m_waiting && bytes == m_waitingBytes)
            return;
        loaded = catalogue::parsePriceFile(bytes, m_priceFile);
    } catch (const runtime::RuntimeError &error) {
        dropWaitingPrices();
        QString refusal = QStringLiteral("The price file changed but the kiosk keeps the prices in use: %1")
                              .arg(machine::errorLogText(error));
        if (!error.detail().isEmpty())
            refusal += QStringLiteral(": ") + error.detail();
        tellOnce(refusal);
        return;
    }
    m_lastRefusal.clear();
    m_waiting = std::move(loaded);
    m_waitingBytes = bytes;
    m_idleCheck.start();
    applyWhenIdle();
}

void PriceReloader::applyWhenIdle()
{
    if (!m_waiting || !m_windowIdle())
        return;
    m_idleCheck.stop();
    catalogue::Catalogue loaded = std::move(*m_waiting);
    m_waiting.reset();
    m_bytesInUse = std::exchange(m_waitingBytes, {});
    const qsizetype brands = loaded.brands.size();
    const int rounded = loaded.roundedPrices;
    m_takeIntoUse(std::move(loaded), m_bytesInUse);
    machine::logForSupport(QStringLiteral("Prices reloaded from %1: %2.")
                               .arg(QDir::toNativeSeparators(m_priceFile), brandCount(brands)));
    if (rounded > 0)
        machine::logForSupport(catalogue::roundedPricesNote(rounded, m_priceFile));
}

// The list waiting is what the file held; once the file changes it may hold
// something else, or nothing the kiosk could use.
void PriceReloader::dropWaitingPrices()
{
    m_idleCheck.stop();
    m_waiting.reset();
    m_waitingBytes.clear();
}

// The same refusal is told once, however often the file's folder changes; a
// good file in between makes the next one news again.
void PriceReloader::tellOnce(const QString &refusal)
{
    if (refusal != m_lastRefusal)
        machine::logForSupport(refusal);
    m_lastRefusal = refusal;
}

} // namespace window
