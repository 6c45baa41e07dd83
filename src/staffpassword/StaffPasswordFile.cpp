#include "staffpassword/StaffPasswordFile.h"

#include "machine/FileBytes.h"
#include "machine/GroupReadableFile.h"
#include "machine/ProgramFolder.h"
#include "runtime/NativePath.h"
#include "runtime/ProgramFacts.h"
#include "staffpassword/PasswordHash.h"
#include "staffpassword/PasswordRule.h"

#include <QDir>

namespace staffpassword {

namespace {

// A hash is one short line; anything much longer is not a password file.
constexpr qint64 LargestPasswordFile = 1024;

const QString InstalledProgramFolder = u'/' + QLatin1String(runtime::facts::ProgramFolder);

StoredPassword unusable(const QString &path, const QString &problem)
{
    return StoredPassword{StoredPassword::Kind::Unusable, path, {}, problem};
}

StoredPassword unreadable(const QString &path)
{
    return StoredPassword{StoredPassword::Kind::Unreadable, path, {}, QStringLiteral("this account may not read it")};
}

} // namespace

QString passwordFileFor(const QString &programFolder)
{
    const QString folder = QDir::cleanPath(programFolder);
    if (folder.endsWith(InstalledProgramFolder)) {
        const QString prefix = folder.chopped(InstalledProgramFolder.size());
        return prefix + u'/' + QLatin1String(runtime::facts::ConfigurationFolder) + u'/'
            + QLatin1String(PasswordFileName);
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
    using Outcome = machine::FileRead::Outcome;
    const machine::FileRead read = machine::readRegularFile(path, LargestPasswordFile);
    switch (read.outcome) {
    case Outcome::Read: return storedPasswordFromBytes(path, read.bytes);
    case Outcome::Missing: return StoredPassword{StoredPassword::Kind::Default, path, {}, {}};
    case Outcome::Forbidden: return unreadable(path);
    case Outcome::BrokenLink:
    case Outcome::PathBlocked:
    case Outcome::Failed: return unusable(path, QStringLiteral("it cannot be opened: %1").arg(read.error));
    case Outcome::Folder:
    case Outcome::NotAFile: break;
    case Outcome::TooLarge: return unusable(path, QStringLiteral("it is far too long to hold a password hash"));
    }
    return unusable(path, QStringLiteral("it is not a plain file that can be read"));
}

QString keepingProblem(const QString &path, const char *readersGroup)
{
    return machine::keepingProblem(path, PasswordFileMode, readersGroup);
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
