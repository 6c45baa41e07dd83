#pragma once

#include <QString>

namespace staffpassword {

// pellory --set-staff-password: reads the shop's own password (twice, hidden,
// at a terminal; once from standard input otherwise), checks it against the
// password rule, and replaces `passwordFile` with its hash, readable by its
// owner and the group pellory only. Reports on standard error and returns
// the exit status: 0 when the password is set, 1 when nothing was changed.
int setStaffPassword(const QString &passwordFile);

} // namespace staffpassword
