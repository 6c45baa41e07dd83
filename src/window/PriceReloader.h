#pragma once

#include "catalogue/PriceTable.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace window {

// Takes a changed price file into the running kiosk. Staff change prices
// while it runs, at one kiosk or at many through configuration management;
// a customer must never be quoted a price that the file, once written, does
// not hold. So:
// - the file is read once it has settled: its writer has closed it and
//   nothing has touched it for the settling time;
// - a file that changed while it was read, or whose last line has no line
//   end yet, is taken for unfinished and not used;
// - a file that start-up would refuse never replaces the prices in use;
// - a new list waits until the window is idle, and is dropped the moment
//   the file changes again, so what takes effect is the file as it stands.
// Each new list, each refusal and each unfinished file leaves one line for
// support; a refusal told once is told again only after a good file.
class PriceReloader : public QObject
{
    Q_OBJECT

public:
    // Runs a piece of the reloader's work as the window runs its handlers.
    using Deliver = std::function<void(const std::function<void()> &work)>;
    // No customer is in the middle of something a new list would upset.
    using WindowIdle = std::function<bool()>;
    // Puts a new list and its prices, read from `bytes`, in place.
    using TakeIntoUse = std::function<void(catalogue::Catalogue &&loaded, const QByteArray &bytes)>;

    PriceReloader(const QString &priceFile, Deliver deliver, WindowIdle windowIdle, TakeIntoUse takeIntoUse,
                  QObject *parent = nullptr);

    // The bytes of the file start-up read: a file with the same bytes later
    // changes nothing. Kept as they are, since telling files apart by their
    // bytes costs start-up nothing.
    void startFrom(const QByteArray &bytesInUse) { m_bytesInUse = bytesInUse; }
    // From now on the file is read again each time it has settled.
    void watch(std::chrono::milliseconds settling);
    // Reads the file now, as when it has settled.
    void readAgain();
    // Puts a waiting list in place if the window is idle; it goes on waiting otherwise.
    void applyWhenIdle();
    bool hasWaitingPrices() const { return m_waiting.has_value(); }

private:
    void dropWaitingPrices();
    void tellOnce(const QString &refusal);

    QString m_priceFile;
    Deliver m_deliver;
    WindowIdle m_windowIdle;
    TakeIntoUse m_takeIntoUse;
    QByteArray m_bytesInUse;
    std::optional<catalogue::Catalogue> m_waiting;
    QByteArray m_waitingBytes;
    QString m_lastRefusal;
    QTimer m_idleCheck;
};

} // namespace window
