#include "staffpassword/PasswordHash.h"

#include <QRegularExpression>

#include <sodium.h>

#include <array>

namespace staffpassword {

namespace {

// The interactive limits (64 MiB, two passes, one lane) keep a check at the
// staff exit under a second on a shop's computer. A hash with any other costs
// was not written by this program: higher ones would make every try at the
// exit wait for seconds.
constexpr unsigned long long WrittenPasses = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t WrittenMemory = crypto_pwhash_MEMLIMIT_INTERACTIVE;

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

QByteArray writtenPrefix()
{
    return QByteArray(crypto_pwhash_argon2id_STRPREFIX) + "v=19$" + writtenParameters() + '$';
}

// After the prefix: a 16-byte salt and a 32-byte digest in unpadded Base64,
// as libsodium writes them.
bool hasWrittenSaltAndDigest(const QByteArray &hash)
{
    static const QRegularExpression saltAndDigest(QStringLiteral("^[A-Za-z0-9+/]{22}\\$[A-Za-z0-9+/]{43}$"));
    return saltAndDigest.match(QString::fromLatin1(hash.mid(writtenPrefix().size()))).hasMatch();
}

} // namespace

QByteArray writtenParameters()
{
    return QByteArrayLiteral("m=%1,t=%2,p=1")
        .replace("%1", QByteArray::number(quint64(WrittenMemory / 1024)))
        .replace("%2", QByteArray::number(WrittenPasses));
}

QByteArray hashPassword(const QString &password)
{
    if (!sodiumReady())
        return {};
    const QByteArray bytes = password.toUtf8();
    std::array<char, crypto_pwhash_STRBYTES> hash{};
    if (::crypto_pwhash_str_alg(hash.data(), bytes.constData(), quint64(bytes.size()), WrittenPasses, WrittenMemory,
                                crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return {};
    return QByteArray(hash.data());
}

HashForm hashForm(const QByteArray &hash)
{
    if (!sodiumReady() || !hash.startsWith(crypto_pwhash_argon2id_STRPREFIX)
        || hash.size() >= qsizetype(crypto_pwhash_STRBYTES) || hash.contains('\0'))
        return HashForm::Damaged;
    if (hash.startsWith(writtenPrefix()))
        return hasWrittenSaltAndDigest(hash) ? HashForm::Written : HashForm::Damaged;
    // libsodium's own test passes hashes whose lanes (p=) differ, so the
    // parameters are compared as written.
    if (::crypto_pwhash_str_needs_rehash(terminated(hash).data(), WrittenPasses, WrittenMemory) == -1)
        return HashForm::Damaged;
    return HashForm::OtherParameters;
}

bool isPasswordHash(const QByteArray &hash)
{
    return hashForm(hash) == HashForm::Written;
}

bool matchesHash(const QString &password, const QByteArray &hash)
{
    if (!isPasswordHash(hash))
        return false;
    const QByteArray bytes = password.toUtf8();
    return ::crypto_pwhash_str_verify(terminated(hash).data(), bytes.constData(), quint64(bytes.size())) == 0;
}

} // namespace staffpassword
