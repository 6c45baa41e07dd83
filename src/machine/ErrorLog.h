#pragma once

#include <QString>

class QDateTime;

namespace runtime {
class RuntimeError;
}

namespace machine {

// A failure also leaves one line on standard error, for whoever looks after
// an unattended kiosk: when (ISO 8601, with the offset from UTC), the
// program's name, the error's number and text, and the file and line it
// concerns. For example:
// 2026-12-07T14:03:21+01:00 pellory: Run-time error 62: Input past end of file: /opt/pellory/BrandsPrices.txt:4
// Control characters (a line break in a file name, say) are written as \xHH,
// so a failure is always exactly one line.
QString errorLogLine(const QDateTime &when, const runtime::RuntimeError &error);
// The error as that line gives it, after the program's name.
QString errorLogText(const runtime::RuntimeError &error);
// Any other line for whoever looks after the kiosk, in the same form: when,
// the program's name, then `message`, with control characters written as \xHH:
// 2026-12-07T14:03:21+01:00 pellory: <message>
QString logLine(const QDateTime &when, const QString &message);
// Writes such a line, stamped with the present time, to standard error.
void logForSupport(const QString &message);

// Writes the line and a line end to standard error at once. A line that
// cannot be written is lost; it never ends the program.
void writeToStandardError(const QString &line);

} // namespace machine
