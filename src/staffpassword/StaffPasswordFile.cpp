#include "staffpassword/StaffPasswordFile.h"

#include "runtime/NativePath.h"
#include "machine/ProgramFolder.h"
#include "staffpassword/PasswordHash.h"
#include "staffpassword/PasswordRule.h"

#include <QDir>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
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

StoredPassword unreadable(const QString &path)
{
    return StoredPassword{StoredPassword::Kind::Unreadable, path, {}, QStringLiteral("this account may not read it")};
}

QString octal(mode_t mode)
{
    return QStringLiteral("%1").arg(uint(mode & 07777), 4, 8, QLatin1Char('0'));
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
    case Kind::Unreadable:
    case Kind::Unusable: return false;
    }
    return false;
}

StoredPassword storedPasswordFromBytes(const QString &path, const QByteArray &bytes)
{
    QByteArray hash = bytes;
    if (hash.endsWith('\n'))
        hash.chop(1);
    switch (hashForm(hash)) {
    case HashForm::Written: return StoredPassword{StoredPassword::Kind::ShopsOwn, path, hash, {}};
    case HashForm::OtherParameters:
        return unusable(path, QStringLiteral("it is damaged: its hash has other cost parameters than the %1 that "
                                             "pellory --set-staff-password writes")
                                  .arg(QLatin1String(writtenParameters())));
    case HashForm::Damaged: break;
    }
    return unusable(path, QStringLiteral("it is damaged: it does not hold a password hash as "
                                         "pellory --set-staff-password writes one"));
}

StoredPassword readStoredPassword(const QString &path)
{
    const QByteArray native = runtime::nativePath(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0) {
        if (errno == ENOENT)
            return StoredPassword{StoredPassword::Kind::Default, path, {}, {}};
        if (errno == EACCES)
            return unreadable(path);
        return unusable(path, QStringLiteral("it cannot be looked at: %1").arg(systemError(errno)));
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM)
            return unreadable(path);
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

QString keepingProblem(const QString &path, const char *readersGroup)
{
    struct stat status {};
    if (::lstat(runtime::nativePath(path).constData(), &status) != 0)
        return {};
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("it is not a plain file");
    QStringList problems;
    if ((status.st_mode & 07777) != PasswordFileMode)
        problems << QStringLiteral("its mode is %1, not %2").arg(octal(status.st_mode), octal(PasswordFileMode));
    if (const group *readers = ::getgrnam(readersGroup); readers && status.st_gid != readers->gr_gid) {
        const group *owning = ::getgrgid(status.st_gid);
        problems << QStringLiteral("its group is %1, not %2")
                        .arg(owning ? QString::fromLocal8Bit(owning->gr_name) : QString::number(status.st_gid),
                             QLatin1String(readersGroup));
    }
    return problems.join(QStringLiteral(" and "));
}

QString storedPasswordSummary(const StoredPassword &stored, Reader reader)
{
    const QString file = runtime::displayedPath(stored.path);
    switch (stored.kind) {
    case StoredPassword::Kind::Default:
        return QStringLiteral("The staff password is the default one, which every kiosk has: set the shop's own with "
                              "'sudo pellory --set-staff-password' (it is kept in %1).")
            .arg(file);
    case StoredPassword::Kind::ShopsOwn: {
        const QString summary = QStringLiteral("The staff password is the shop's own, from %1.").arg(file);
        const QString problem = reader == Reader::Check ? keepingProblem(stored.path) : QString();
        if (problem.isEmpty())
            return summary;
        return summary
            + QStringLiteral(" But %1, so a kiosk in the group pellory may fail to read it or other accounts may read "
                             "it: set the same password again with 'sudo pellory --set-staff-password', which sets "
                             "the mode and group back.")
                  .arg(problem);
    }
    case StoredPassword::Kind::Unreadable:
        if (reader == Reader::Check)
            return QStringLiteral("The staff password file %1 cannot be read by this account, so this check cannot "
                                  "tell which password the staff exit takes: run the check as root ('sudo pellory "
                                  "--check') or as a member of the group pellory.")
                .arg(file);
        return QStringLiteral("The staff password file %1 cannot be read by this account, so the staff exit refuses "
                              "every password: add the account to the group pellory, or set the password again with "
                              "'sudo pellory --set-staff-password', which gives the file back mode 0640 and group "
                              "pellory.")
            .arg(file);
    case StoredPassword::Kind::Unusable:
        return QStringLiteral("The staff password file %1 cannot be used (%2), so the staff exit refuses every "
                              "password; set the password again with 'sudo pellory --set-staff-password'.")
            .arg(file, stored.problem);
    }
    return {};
}

} // namespace staffpassword
