#include "staffpassword/SetStaffPassword.h"

#include "machine/GroupReadableFile.h"
#include "machine/TerminalInput.h"
#include "runtime/NativePath.h"
#include "staffpassword/PasswordHash.h"
#include "staffpassword/PasswordRule.h"
#include "staffpassword/StaffPasswordFile.h"

#include <optional>

#include <cstdio>
#include <cstdlib>

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
    if (!machine::enteredAtTerminal()) {
        const std::optional<QString> line = machine::readLineFromInput();
        return line ? Entry{*line, {}} : Entry{{}, nothingRead};
    }
    const std::optional<QString> first = machine::readHiddenLine(QStringLiteral("New staff password (6 to 12 digits): "));
    if (!first)
        return {{}, nothingRead};
    const std::optional<QString> second = machine::readHiddenLine(QStringLiteral("The same password again: "));
    if (!second)
        return {{}, nothingRead};
    if (*first != *second)
        return {{}, QStringLiteral("The two passwords differ.")};
    return {*first, {}};
}

QString writeFailure(const QString &passwordFile, const machine::FileReplaced &replaced)
{
    const QString problem =
        QStringLiteral("Could not write %1: %2.").arg(runtime::displayedPath(passwordFile), replaced.failure);
    if (replaced.needsRoot)
        return problem + QStringLiteral(" Run it as root: sudo pellory --set-staff-password");
    return problem;
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
    const machine::FileReplaced replaced =
        machine::replaceGroupReadableFile(passwordFile, hash + '\n', PasswordFileMode, readersGroup);
    if (!replaced.written)
        return outcome(EXIT_FAILURE, writeFailure(passwordFile, replaced) + QStringLiteral(" Nothing was changed."));
    const bool readableByGroup = replaced.readableByGroup;

    StoreOutcome done = outcome(
        EXIT_SUCCESS,
        repair.isEmpty()
            ? QStringLiteral("The shop's own staff password is set in %1; the staff exit takes it from now on.").arg(file)
            : QStringLiteral("The shop's own staff password in %1 is already this one, but %2: the file was written "
                             "again with mode 0640%3, so the kiosk can read it.")
                  .arg(file, repair,
                       readableByGroup ? QStringLiteral(" and group %1").arg(QLatin1String(readersGroup)) : QString()));
    if (!readableByGroup && machine::runsAsRoot())
        done.lines << QStringLiteral("There is no group %1, so only root may read the password: a kiosk under another "
                                     "account refuses every password. Create the group (groupadd --system %1), add "
                                     "that account to it, and set the password again.")
                          .arg(QLatin1String(readersGroup));
    return done;
}

} // namespace staffpassword
