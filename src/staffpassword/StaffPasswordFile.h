#pragma once

#include <QByteArray>
#include <QString>

namespace staffpassword {

inline constexpr auto PasswordFileName = "staff-password";

// Where the shop's own staff password is kept for a program in
// `programFolder`: an installed program (in /opt/pellory, or PREFIX/opt/pellory)
// keeps it with its configuration, in /etc/pellory (PREFIX/etc/pellory); a
// program that is not installed keeps it beside itself.
QString passwordFileFor(const QString &programFolder);
QString passwordFileBesideProgram();

// What the staff exit compares a typed password with.
struct StoredPassword
{
    enum class Kind {
        Default,    // no file: the password every kiosk starts with
        ShopsOwn,   // the file holds the hash of the shop's own password
        Unusable,   // a file is there but cannot be read or is damaged
    };
    Kind kind = Kind::Default;
    QString path;
    QByteArray hash;
    // Why an unusable file cannot be used, as a sentence for whoever
    // looks after the kiosk.
    QString problem;

    // A file that cannot be used never lets the default in: it refuses
    // every password, so a damaged or unreadable file cannot open the kiosk.
    bool accepts(const QString &typed) const;
};

// Reads the file at `path` without ever blocking on it (a pipe or a device
// there is refused, not waited on).
StoredPassword readStoredPassword(const QString &path);

// The stored password that a file holding `bytes` gives.
StoredPassword storedPasswordFromBytes(const QString &path, const QByteArray &bytes);

// One sentence on which password the staff exit takes, for the start-up line
// and for pellory --check.
QString storedPasswordSummary(const StoredPassword &stored);

} // namespace staffpassword
