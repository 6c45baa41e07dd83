#pragma once

#include "staffpassword/ExitLockout.h"
#include "staffpassword/StaffPasswordFile.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QObject;

namespace staffpassword {

// What guards the staff exit: the password it takes, from the shop's
// password file, and how long wrong passwords keep the password box away.
class StaffExit
{
public:
    using Answer = std::function<void(bool right)>;

    explicit StaffExit(QString passwordFile = passwordFileBesideProgram(),
                       ExitLockout::Clock clock = ExitLockout::steadyClock);

    // Zero when the password box may be offered.
    std::chrono::milliseconds waitBeforeNextTry() const { return m_tries->lockout.waitBeforeNextTry(); }

    // Checks `typed` and calls `answered` with true for the right password.
    // The file is read at each try, so a password set while the kiosk runs
    // holds at once. An empty answer (the box cancelled) tells nothing about
    // the password and is not counted. Checking the shop's own password takes
    // as long as hashing it, a good part of a second, so that check runs off
    // the calling thread and `answered` comes later on `context`'s thread (and
    // not at all once `context` is gone); any other answer comes at once.
    void tryPassword(const QString &typed, QObject *context, Answer answered);

    // True while a typed password is being checked; a try meanwhile is ignored.
    bool isChecking() const { return m_tries->checking; }

private:
    // Shared with a check still running when the guard is replaced.
    struct Tries
    {
        ExitLockout lockout;
        bool checking = false;

        void record(bool right);
    };

    QString m_passwordFile;
    std::shared_ptr<Tries> m_tries;
};

// At start-up, one line on standard error when the staff exit takes the
// default password or no password at all, for whoever installs the kiosk.
void reportStaffPasswordAtStartUp(const QString &passwordFile = passwordFileBesideProgram());

} // namespace staffpassword
