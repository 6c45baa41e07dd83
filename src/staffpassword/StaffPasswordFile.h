#pragma once

#include <QByteArray>
#include <QString>

namespace staffpassword {

inline constexpr auto PasswordFileName = "staff-password";

// The group whose members, the kiosk's account among them, may read the hash,
// and the file's mode: read and written by its owner, read by that group, by
// nobody else.
inline constexpr auto ReadersGroup = "pellory";
inline constexpr unsigned PasswordFileMode = 0640;

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
        Unreadable, // a file is there but this account may not read it
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
    // The shop's own password takes as long to check as to hash.
    bool accepts(const QString &typed) const;
    bool needsHashing() const { return kind == Kind::ShopsOwn; }
};

// Reads the file at `path` without ever blocking on it (a pipe or a device
// there is refused, not waited on).
StoredPassword readStoredPassword(const QString &path);

// The stored password that a file holding `bytes` gives.
StoredPassword storedPasswordFromBytes(const QString &path, const QByteArray &bytes);

// How the file at `path` differs from the way pellory --set-staff-password
// leaves it (a plain file, mode 0640, group `readersGroup` where that group
// exists), in words for whoever looks after the kiosk; empty when it does not
// or when there is no file.
QString keepingProblem(const QString &path, const char *readersGroup = ReadersGroup);

// Who reads the password file: the kiosk, which refuses every password when
// it cannot, or pellory --check, which may run under another account.
enum class Reader { Kiosk, Check };

// One sentence on which password the staff exit takes, for the start-up line
// and for pellory --check.
QString storedPasswordSummary(const StoredPassword &stored, Reader reader);

} // namespace staffpassword
