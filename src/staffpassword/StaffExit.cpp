#include "staffpassword/StaffExit.h"

#include "machine/ErrorLog.h"

#include <QFuture>
#include <QPromise>
#include <QThreadPool>

namespace staffpassword {

StaffExit::StaffExit(QString passwordFile, ExitLockout::Clock clock)
    : m_passwordFile(std::move(passwordFile))
    , m_tries(std::make_shared<Tries>(Tries{ExitLockout(std::move(clock))}))
{
}

void StaffExit::Tries::record(bool right)
{
    if (right)
        lockout.recordRightPassword();
    else
        lockout.recordWrongPassword();
}

void StaffExit::tryPassword(const QString &typed, QObject *context, Answer answered)
{
    if (m_tries->checking)
        return;
    if (typed.isEmpty()) {
        answered(false);
        return;
    }
    const StoredPassword stored = readStoredPassword(m_passwordFile);
    if (!stored.needsHashing()) {
        const bool right = stored.accepts(typed);
        m_tries->record(right);
        answered(right);
        return;
    }
    // The window goes on drawing and counting its idle time while the hash
    // is worked out on a thread of the pool.
    m_tries->checking = true;
    auto promise = std::make_shared<QPromise<bool>>();
    promise->future().then(context, [tries = m_tries, answered = std::move(answered)](bool right) {
        tries->checking = false;
        tries->record(right);
        answered(right);
    });
    promise->start();
    QThreadPool::globalInstance()->start([promise, stored, typed] {
        promise->addResult(stored.accepts(typed));
        promise->finish();
    });
}

void reportStaffPasswordAtStartUp(const QString &passwordFile)
{
    const StoredPassword stored = readStoredPassword(passwordFile);
    if (stored.kind != StoredPassword::Kind::ShopsOwn)
        machine::logForSupport(storedPasswordSummary(stored, Reader::Kiosk));
}

} // namespace staffpassword
