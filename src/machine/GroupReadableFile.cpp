#include "machine/GroupReadableFile.h"

#include "runtime/NativePath.h"

#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace machine {

namespace {

QString octal(mode_t mode)
{
    return QStringLiteral("%1").arg(uint(mode & 07777), 4, 8, QLatin1Char('0'));
}

int writeAll(int fd, const QByteArray &contents)
{
    for (qsizetype written = 0; written < contents.size();) {
        const ssize_t n = ::write(fd, contents.constData() + written, size_t(contents.size() - written));
        if (n < 0 && errno != EINTR)
            return errno;
        if (n > 0)
            written += n;
    }
    return 0;
}

} // namespace

QString keepingProblem(const QString &path, unsigned mode, const char *readersGroup)
{
    struct stat status {};
    if (::lstat(runtime::nativePath(path).constData(), &status) != 0)
        return {};
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("it is not a plain file");
    QStringList problems;
    if ((status.st_mode & 07777) != mode)
        problems << QStringLiteral("its mode is %1, not %2").arg(octal(status.st_mode), octal(mode));
    if (const group *readers = ::getgrnam(readersGroup); readers && status.st_gid != readers->gr_gid) {
        const group *owning = ::getgrgid(status.st_gid);
        problems << QStringLiteral("its group is %1, not %2")
                        .arg(owning ? QString::fromLocal8Bit(owning->gr_name) : QString::number(status.st_gid),
                             QLatin1String(readersGroup));
    }
    return problems.join(QStringLiteral(" and "));
}

FileReplaced replaceGroupReadableFile(const QString &path, const QByteArray &contents, unsigned mode,
                                      const char *readersGroup)
{
    const QByteArray target = runtime::nativePath(path);
    QByteArray temporary = runtime::nativePath(QFileInfo(path).path()) + "/." + QFileInfo(path).fileName().toLocal8Bit()
        + ".XXXXXX";
    FileReplaced replaced;
    int error = 0;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = errno;
    } else {
        if (::fchmod(fd, mode_t(mode)) != 0)
            error = errno;
        if (const group *readers = ::getgrnam(readersGroup); error == 0 && readers)
            replaced.readableByGroup = ::fchown(fd, uid_t(-1), readers->gr_gid) == 0;
        if (error == 0)
            error = writeAll(fd, contents);
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        if (::close(fd) != 0 && error == 0)
            error = errno;
        if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
            error = errno;
        if (error != 0)
            ::unlink(temporary.constData());
    }
    replaced.written = error == 0;
    if (error != 0) {
        replaced.failure = QString::fromLocal8Bit(std::strerror(error));
        replaced.needsRoot = (error == EACCES || error == EPERM || error == EROFS) && !runsAsRoot();
    }
    return replaced;
}

bool runsAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace machine
