#include "FileContents.h"

#include <QFile>

#include <sys/stat.h>

namespace testsupport {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<unreadable or missing>");
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray snapshotOf(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0)
        return QByteArrayLiteral("<missing>");
    if (S_ISLNK(status.st_mode))
        return "<link to " + QFile::symLinkTarget(path).toUtf8() + ">: " + snapshotOf(QFile::symLinkTarget(path));
    if (S_ISDIR(status.st_mode))
        return QByteArrayLiteral("<folder>");
    if (!S_ISREG(status.st_mode))
        return "<mode " + QByteArray::number(status.st_mode, 8) + ", device " + QByteArray::number(quint64(status.st_rdev))
            + ">";
    if (status.st_size > 32 * 1024 * 1024)
        return "<" + QByteArray::number(qint64(status.st_size)) + " bytes>";
    ::chmod(native.constData(), (status.st_mode & 07777) | S_IRUSR);
    const QByteArray bytes = contentsOf(path);
    ::chmod(native.constData(), status.st_mode & 07777);
    return bytes;
}

} // namespace testsupport
