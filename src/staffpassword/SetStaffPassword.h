#pragma once

#include "staffpassword/StaffPasswordFile.h"

#include <QString>
#include <QStringList>

namespace staffpassword {

// pellory --set-staff-password: reads the shop's own password (twice, hidden,
// at a terminal; once from standard input otherwise) and stores it with
// storeStaffPassword(). Reports on standard error and returns the exit
// status: 0 when the password is set, 1 when nothing was changed.
int setStaffPassword(const QString &passwordFile);

// What storing a password did: the exit status and the lines for staff.
struct StoreOutcome
{
    int status = 0;
    QStringList lines;
};

// Checks `password` against the password rule and replaces `passwordFile`
// with its hash, mode 0640 and group `readersGroup`. The same password again
// leaves a file kept that way as it is, and gives any other back that mode
// and group, so that setting it again repairs a file the kiosk cannot read.
StoreOutcome storeStaffPassword(const QString &password, const QString &passwordFile,
                                const char *readersGroup = ReadersGroup);

} // namespace staffpassword
