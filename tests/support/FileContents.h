#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// The bytes of the file at `path`, or a marker no file of a test holds when
// it cannot be read, so a comparison shows what was missing.
QByteArray contentsOf(const QString &path);

} // namespace testsupport
