#include "runtime/NativePath.h"

namespace runtime {

namespace {

constexpr char16_t FirstByteEscape = 0xDC80;
constexpr char16_t LastByteEscape = 0xDCFF;

// The length of the valid UTF-8 sequence at the start of `bytes` and the code
// point it encodes; length 0 when the sequence is not valid UTF-8 (overlong,
// an encoded surrogate, beyond U+10FFFF, cut short).
std::pair<qsizetype, char32_t> utf8Sequence(QByteArrayView bytes)
{
    const auto lead = static_cast<unsigned char>(bytes.front());
    qsizetype length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if (lead < 0x80)
        return {1, lead};
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return {0, 0};
    }
    if (bytes.size() < length)
        return {0, 0};
    for (qsizetype i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80)
            return {0, 0};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return {0, 0};
    return {length, codePoint};
}

// True when the character at `i` keeps an undecodable byte: the second half
// of a surrogate pair (a character beyond U+FFFF) is no such character.
bool keepsByteAt(QStringView path, qsizetype i)
{
    return isUndecodableByte(path[i]) && !(i > 0 && path[i - 1].isHighSurrogate());
}

} // namespace

bool isUndecodableByte(QChar c)
{
    return c.unicode() >= FirstByteEscape && c.unicode() <= LastByteEscape;
}

QString pathFromNative(QByteArrayView bytes)
{
    QString path;
    path.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        const auto [length, codePoint] = utf8Sequence(bytes);
        if (length == 0) {
            path += QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes.front())));
            bytes = bytes.sliced(1);
            continue;
        }
        path += QString::fromUcs4(&codePoint, 1);
        bytes = bytes.sliced(length);
    }
    return path;
}

QByteArray nativePath(QStringView path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype from = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !keepsByteAt(path, i))
            continue;
        bytes += path.sliced(from, i - from).toUtf8();
        if (i < path.size())
            bytes += char(path[i].unicode() - 0xDC00);
        from = i + 1;
    }
    return bytes;
}

QString displayedPath(QStringView path)
{
    QString shown;
    shown.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (keepsByteAt(path, i))
            shown += QStringLiteral("\\x%1").arg(path[i].unicode() - 0xDC00, 2, 16, QLatin1Char('0'));
        else
            shown += path[i];
    }
    return shown;
}

} // namespace runtime
