#include "staffpassword/PasswordHash.h"

#include <sodium.h>

#include <array>

namespace staffpassword {

namespace {

bool sodiumReady()
{
    static const bool ready = ::sodium_init() >= 0;
    return ready;
}

// The hash as libsodium reads it: text ending in a NUL within its buffer.
std::array<char, crypto_pwhash_STRBYTES> terminated(const QByteArray &hash)
{
    std::array<char, crypto_pwhash_STRBYTES> text{};
    std::copy(hash.cbegin(), hash.cbegin() + qMin(hash.size(), qsizetype(text.size() - 1)), text.begin());
    return text;
}

} // namespace

QByteArray hashPassword(const QString &password)
{
    if (!sodiumReady())
        return {};
    const QByteArray bytes = password.toUtf8();
    std::array<char, crypto_pwhash_STRBYTES> hash{};
    // The interactive limits (64 MiB, two passes) keep a check at the staff
    // exit well under a second on a shop's computer.
    if (::crypto_pwhash_str_alg(hash.data(), bytes.constData(), quint64(bytes.size()),
                                crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                                crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return {};
    return QByteArray(hash.data());
}

bool isPasswordHash(const QByteArray &hash)
{
    if (!sodiumReady() || !hash.startsWith(crypto_pwhash_argon2id_STRPREFIX)
        || hash.size() >= qsizetype(crypto_pwhash_STRBYTES) || hash.contains('\0'))
        return false;
    return ::crypto_pwhash_str_needs_rehash(terminated(hash).data(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                            crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != -1;
}

bool matchesHash(const QString &password, const QByteArray &hash)
{
    if (!isPasswordHash(hash))
        return false;
    const QByteArray bytes = password.toUtf8();
    return ::crypto_pwhash_str_verify(terminated(hash).data(), bytes.constData(), quint64(bytes.size())) == 0;
}

} // namespace staffpassword
