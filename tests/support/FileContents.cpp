#include "FileContents.h"

#include <QFile>

namespace testsupport {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<unreadable or missing>");
    return file.readAll();
}

} // namespace testsupport
