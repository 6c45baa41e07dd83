#pragma once

#include "staffpassword/ExitLockout.h"
#include "staffpassword/StaffPasswordFile.h"

#include <QString>

#include <chrono>

namespace staffpassword {

// What guards the staff exit: the password it takes, from the shop's
// password file, and how long wrong passwords keep the password box away.
class StaffExit
{
public:
    explicit StaffExit(QString passwordFile = passwordFileBesideProgram(),
                       ExitLockout::Clock clock = ExitLockout::steadyClock);

    // Zero when the password box may be offered.
    std::chrono::milliseconds waitBeforeNextTry() const { return m_lockout.waitBeforeNextTry(); }

    // True for the right password. The file is read at each try, so a
    // password set while the kiosk runs holds at once. An empty answer (the
    // box cancelled) tells nothing about the password and is not counted.
    bool tryPassword(const QString &typed);

private:
    QString m_passwordFile;
    ExitLockout m_lockout;
};

// At start-up, one line on standard error when the staff exit takes the
// default password or no password at all, for whoever installs the kiosk.
void reportStaffPasswordAtStartUp(const QString &passwordFile = passwordFileBesideProgram());

} // namespace staffpassword
