#pragma once

#include <QByteArray>
#include <QString>

namespace staffpassword {

// A salted Argon2id hash of the password, as libsodium writes it
// ("$argon2id$v=19$m=...,t=...,p=...$salt$hash"); empty when libsodium
// cannot work (no memory for the hash).
QByteArray hashPassword(const QString &password);

// True when `hash` has the form hashPassword() writes; damage of any kind,
// even one changed character in its parameters, makes it false.
bool isPasswordHash(const QByteArray &hash);

// True when `password` is the one `hash` was made from.
bool matchesHash(const QString &password, const QByteArray &hash);

} // namespace staffpassword
