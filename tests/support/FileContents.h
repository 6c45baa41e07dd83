#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// The bytes of the file at `path`, or a marker no file of a test holds when
// it cannot be read, so a comparison shows what was missing.
QByteArray contentsOf(const QString &path);

// `bytes`, in place of whatever the file at `path` held; false when they
// could not all be written.
bool writeFile(const QString &path, const QByteArray &bytes);

// Whatever stands at `path`, so a test can tell that the program left it
// alone: a link with what it points to, a folder, a pipe or device by its
// mode, a very large file by its size, any other file by its bytes, read even
// when its mode forbids (the mode is given back). Nothing but a regular file
// is opened, since opening a named pipe would block.
QByteArray snapshotOf(const QString &path);

} // namespace testsupport
