#include "staffpassword/StaffPasswordFile.h"

#include "runtime/NativePath.h"
#include "machine/ProgramFolder.h"
#include "staffpassword/PasswordHash.h"
#include "staffpassword/PasswordRule.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace staffpassword {

namespace {

// A hash is one short line; anything much longer is not a password file.
constexpr qint64 LargestPasswordFile = 1024;

const QString InstalledProgramFolder = QStringLiteral("/opt/pellory");

StoredPassword unusable(const QString &path, const QString &problem)
{
    return StoredPassword{StoredPassword::Kind::Unusable, path, {}, problem};
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString passwordFileFor(const QString &programFolder)
{
    const QString folder = QDir::cleanPath(programFolder);
    if (folder.endsWith(InstalledProgramFolder)) {
        const QString prefix = folder.chopped(InstalledProgramFolder.size());
        return prefix + QStringLiteral("/etc/pellory/") + QLatin1String(PasswordFileName);
    }
    return folder + u'/' + QLatin1String(PasswordFileName);
}

QString passwordFileBesideProgram()
{
    return passwordFileFor(machine::programFolder());
}

bool StoredPassword::accepts(const QString &typed) const
{
    switch (kind) {
    case Kind::Default: return typed == DefaultPassword;
    case Kind::ShopsOwn: return matchesHash(typed, hash);
    case Kind::Unusable: return false;
    }
    return false;
}

StoredPassword storedPasswordFromBytes(const QString &path, const QByteArray &bytes)
{
    QByteArray hash = bytes;
    if (hash.endsWith('\n'))
        hash.chop(1);
    if (!isPasswordHash(hash))
        return unusable(path, QStringLiteral("it is damaged: it does not hold a password hash as "
                                             "pellory --set-staff-password writes one"));
    return StoredPassword{StoredPassword::Kind::ShopsOwn, path, hash, {}};
}

StoredPassword readStoredPassword(const QString &path)
{
    const QByteArray native = runtime::nativePath(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0) {
        if (errno == ENOENT)
            return StoredPassword{StoredPassword::Kind::Default, path, {}, {}};
        return unusable(path, QStringLiteral("it cannot be looked at: %1").arg(systemError(errno)));
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM)
            return unusable(path, QStringLiteral("this account may not read it; add the account to the group "
                                                 "pellory"));
        return unusable(path, QStringLiteral("it cannot be opened: %1").arg(systemError(error)));
    }
    QByteArray bytes(LargestPasswordFile + 1, '\0');
    qint64 filled = 0;
    bool readable = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    while (readable && filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            readable = got == 0;
            break;
        }
        filled += got;
    }
    ::close(fd);
    if (!readable)
        return unusable(path, QStringLiteral("it is not a plain file that can be read"));
    if (filled > LargestPasswordFile)
        return unusable(path, QStringLiteral("it is far too long to hold a password hash"));
    bytes.truncate(filled);
    return storedPasswordFromBytes(path, bytes);
}

QString storedPasswordSummary(const StoredPassword &stored)
{
    const QString file = runtime::displayedPath(stored.path);
    switch (stored.kind) {
    case StoredPassword::Kind::Default:
        return QStringLiteral("The staff password is the default one, which every kiosk has: set the shop's own with "
                              "'sudo pellory --set-staff-password' (it is kept in %1).")
            .arg(file);
    case StoredPassword::Kind::ShopsOwn:
        return QStringLiteral("The staff password is the shop's own, from %1.").arg(file);
    case StoredPassword::Kind::Unusable:
        return QStringLiteral("The staff password file %1 cannot be used (%2), so the staff exit refuses every "
                              "password; set the password again with 'sudo pellory --set-staff-password'.")
            .arg(file, stored.problem);
    }
    return {};
}

} // namespace staffpassword
