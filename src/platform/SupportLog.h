#pragma once

#include <QString>

class QDateTime;

namespace platform {

// A line on standard error for whoever looks after the kiosk that is not a
// run-time error, in the form errorLogLine() gives those:
// 2026-12-07T14:03:21+01:00 pellory: <message>
// with the characters that do not show escaped, so it is always one line.
QString supportLogLine(const QDateTime &when, const QString &message);

// Writes the line, stamped with the present time, to standard error.
void logForSupport(const QString &message);

} // namespace platform
