#include "staffpassword/StaffExit.h"

#include "machine/ErrorLog.h"

namespace staffpassword {

StaffExit::StaffExit(QString passwordFile, ExitLockout::Clock clock)
    : m_passwordFile(std::move(passwordFile))
    , m_lockout(std::move(clock))
{
}

bool StaffExit::tryPassword(const QString &typed)
{
    if (typed.isEmpty())
        return false;
    if (readStoredPassword(m_passwordFile).accepts(typed)) {
        m_lockout.recordRightPassword();
        return true;
    }
    m_lockout.recordWrongPassword();
    return false;
}

void reportStaffPasswordAtStartUp(const QString &passwordFile)
{
    const StoredPassword stored = readStoredPassword(passwordFile);
    if (stored.kind != StoredPassword::Kind::ShopsOwn)
        machine::logForSupport(storedPasswordSummary(stored, Reader::Kiosk));
}

} // namespace staffpassword
