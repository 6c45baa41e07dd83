#pragma once

#include <QByteArray>
#include <QString>

namespace machine {

// Reads a whole file the shop keeps, without ever blocking: the file actually
// opened must be a regular file (a pipe or a device put in its place is
// refused, not waited on). Raises File not found, Path not found, Permission
// denied or Path/File access error when it cannot be read, and Overflow,
// before reading, when it holds more than `maxBytes` bytes (a negative
// `maxBytes` sets no limit). Each error carries the path and a sentence for
// the staff.
QByteArray readWholeFile(const QString &path, qint64 maxBytes);

} // namespace machine
