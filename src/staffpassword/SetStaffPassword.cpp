#include "staffpassword/SetStaffPassword.h"

#include "runtime/NativePath.h"
#include "staffpassword/PasswordEntry.h"
#include "staffpassword/PasswordHash.h"
#include "staffpassword/PasswordRule.h"
#include "staffpassword/StaffPasswordFile.h"

#include <QFileInfo>

#include <optional>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace staffpassword {

namespace {

int report(const QString &text, int status)
{
    const QByteArray bytes = (QStringLiteral("pellory: ") + text + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    return status;
}

StoreOutcome outcome(int status, const QString &line)
{
    return StoreOutcome{status, {line}};
}

// The password typed, or why there is none.
struct Entry
{
    QString password;
    QString problem;
};

Entry enteredPassword()
{
    const QString nothingRead = QStringLiteral("No password was read.");
    if (!enteredAtTerminal()) {
        const std::optional<QString> line = readLineFromInput();
        return line ? Entry{*line, {}} : Entry{{}, nothingRead};
    }
    const std::optional<QString> first = readHiddenLine(QStringLiteral("New staff password (6 to 12 digits): "));
    if (!first)
        return {{}, nothingRead};
    const std::optional<QString> second = readHiddenLine(QStringLiteral("The same password again: "));
    if (!second)
        return {{}, nothingRead};
    if (*first != *second)
        return {{}, QStringLiteral("The two passwords differ.")};
    return {*first, {}};
}

QString writeFailure(const QString &passwordFile, int error)
{
    const QString problem = QStringLiteral("Could not write %1: %2.")
                                .arg(runtime::displayedPath(passwordFile), QString::fromLocal8Bit(std::strerror(error)));
    if ((error == EACCES || error == EPERM || error == EROFS) && ::geteuid() != 0)
        return problem + QStringLiteral(" Run it as root: sudo pellory --set-staff-password");
    return problem;
}

// Writes the hash to a new file beside the password file and renames it over
// that file, so that the kiosk reads the old password or the new one, never
// half of one, and a link put in the file's place is replaced, not followed.
// Returns the error number, 0 when written.
int replaceFile(const QString &passwordFile, const QByteArray &contents, const char *readersGroup,
                bool &readableByGroup)
{
    const QByteArray target = runtime::nativePath(passwordFile);
    QByteArray temporary = runtime::nativePath(QFileInfo(passwordFile).path()) + "/.staff-password.XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    int error = 0;
    readableByGroup = false;
    if (::fchmod(fd, PasswordFileMode) != 0)
        error = errno;
    if (const group *readers = ::getgrnam(readersGroup); error == 0 && readers)
        readableByGroup = ::fchown(fd, uid_t(-1), readers->gr_gid) == 0;
    for (qsizetype written = 0; error == 0 && written < contents.size();) {
        const ssize_t n = ::write(fd, contents.constData() + written, size_t(contents.size() - written));
        if (n < 0 && errno != EINTR)
            error = errno;
        else if (n > 0)
            written += n;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    return error;
}

} // namespace

int setStaffPassword(const QString &passwordFile)
{
    const Entry entry = enteredPassword();
    const StoreOutcome stored = entry.problem.isEmpty()
        ? storeStaffPassword(entry.password, passwordFile)
        : outcome(EXIT_FAILURE, entry.problem + QStringLiteral(" Nothing was changed."));
    for (const QString &line : stored.lines)
        report(line, stored.status);
    return stored.status;
}

StoreOutcome storeStaffPassword(const QString &password, const QString &passwordFile, const char *readersGroup)
{
    if (const QString problem = passwordRuleProblem(password); !problem.isEmpty())
        return outcome(EXIT_FAILURE, problem + QStringLiteral(" Nothing was changed."));
    const QString file = runtime::displayedPath(passwordFile);
    // Configuration management sets the password on every run; the same
    // password again leaves the file as it is, and says so. A file whose mode
    // or group keeps the kiosk from reading it gets the same hash again,
    // written as the kiosk can read it.
    const StoredPassword stored = readStoredPassword(passwordFile);
    QByteArray hash;
    QString repair;
    if (stored.kind == StoredPassword::Kind::ShopsOwn && matchesHash(password, stored.hash)) {
        repair = keepingProblem(passwordFile, readersGroup);
        if (repair.isEmpty())
            return outcome(EXIT_SUCCESS,
                           QStringLiteral("The shop's own staff password in %1 is already this one; nothing was "
                                          "changed.")
                               .arg(file));
        hash = stored.hash;
    } else {
        hash = hashPassword(password);
    }
    if (hash.isEmpty())
        return outcome(EXIT_FAILURE,
                       QStringLiteral("The password could not be hashed (too little memory?); nothing was changed."));
    bool readableByGroup = false;
    if (const int error = replaceFile(passwordFile, hash + '\n', readersGroup, readableByGroup); error != 0)
        return outcome(EXIT_FAILURE, writeFailure(passwordFile, error) + QStringLiteral(" Nothing was changed."));

    StoreOutcome done = outcome(
        EXIT_SUCCESS,
        repair.isEmpty()
            ? QStringLiteral("The shop's own staff password is set in %1; the staff exit takes it from now on.").arg(file)
            : QStringLiteral("The shop's own staff password in %1 is already this one, but %2: the file was written "
                             "again with mode 0640%3, so the kiosk can read it.")
                  .arg(file, repair,
                       readableByGroup ? QStringLiteral(" and group %1").arg(QLatin1String(readersGroup)) : QString()));
    if (!readableByGroup && ::geteuid() == 0)
        done.lines << QStringLiteral("There is no group %1, so only root may read the password: a kiosk under another "
                                     "account refuses every password. Create the group (groupadd --system %1), add "
                                     "that account to it, and set the password again.")
                          .arg(QLatin1String(readersGroup));
    return done;
}

} // namespace staffpassword
