#pragma once

#include <QByteArray>
#include <QString>

namespace staffpassword {

// A salted Argon2id hash of the password, as libsodium writes it
// ("$argon2id$v=19$m=65536,t=2,p=1$salt$hash"); empty when libsodium
// cannot work (no memory for the hash).
QByteArray hashPassword(const QString &password);

// How a stored hash compares with the ones hashPassword() writes.
enum class HashForm {
    Written,         // the form and the cost parameters hashPassword() writes
    OtherParameters, // an Argon2id hash with other costs: a damaged or foreign file
    Damaged,         // not an Argon2id hash at all
};
HashForm hashForm(const QByteArray &hash);

// The cost parameters hashPassword() writes, as the hash spells them.
QByteArray writtenParameters();

// True when `hash` has the form hashPassword() writes; damage of any kind,
// even one changed character in its parameters, makes it false.
bool isPasswordHash(const QByteArray &hash);

// True when `password` is the one `hash` was made from. Verifying takes as
// long as hashing, a good part of a second on a shop's computer: the window
// calls it off its own thread.
bool matchesHash(const QString &password, const QByteArray &hash);

} // namespace staffpassword
