#include "runtime/TextDecoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace runtime {

namespace {

// 0x80-0x9F as Windows-1252 has them. The five bytes the code page leaves
// undefined keep their C1 control code point, as Windows itself decodes them,
// so no byte is ever lost or turned into a replacement character.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool startsWithByteOrderMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

// Two bytes a unit; an odd last byte is half a character and is kept as a
// replacement character rather than dropped unseen.
QString decodeUtf16(const QByteArray &bytes, ShopTextEncoding byteOrder)
{
    const bool little = byteOrder == ShopTextEncoding::Utf16LittleEndian;
    QString text(bytes.size() / 2, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        out[i / 2] = little ? char16_t(in[i] | in[i + 1] << 8) : char16_t(in[i] << 8 | in[i + 1]);
    if (bytes.size() % 2 != 0)
        text += QChar::ReplacementCharacter;
    return text;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF and
// no sequence cut off at the end. Shop files are mostly ASCII, so eight bytes
// at a time are checked for a high bit before looking at single bytes; the
// check stops at the first fault, which for a Windows-1252 file is usually
// its first accented letter.
bool isValidUtf8(const char *p, const char *end)
{
    while (p < end) {
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const auto lead = static_cast<unsigned char>(*p);
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int continuation = 0;
        char32_t codePoint = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuation = 1;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuation = 2;
            codePoint = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuation = 3;
            codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (end - p <= continuation)
            return false;
        for (int k = 1; k <= continuation; ++k) {
            const auto byte = static_cast<unsigned char>(p[k]);
            if ((byte & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (byte & 0x3F);
        }
        if (continuation == 2 && (codePoint < 0x800 || (codePoint >= 0xD800 && codePoint <= 0xDFFF)))
            return false;
        if (continuation == 3 && (codePoint < 0x10000 || codePoint > 0x10FFFF))
            return false;
        p += continuation + 1;
    }
    return true;
}

} // namespace

QString decodeWindows1252(const QByteArray &bytes)
{
    // Latin-1 conversion is vectorised; only the 0x80-0x9F bytes differ.
    QString text = QString::fromLatin1(bytes);
    const char *in = bytes.constData();
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0, size = bytes.size(); i < size; ++i) {
        const unsigned offset = static_cast<unsigned char>(in[i]) - 0x80u;
        if (offset < HighControlRange.size())
            out[i] = HighControlRange[offset];
    }
    return text;
}

QString decodeShopText(const QByteArray &bytes, ShopTextEncoding *encoding)
{
    // No text a shop writes starts with the bytes FF FE or FE FF in UTF-8 or
    // Windows-1252 (they would read "ÿþ"), so they always mean UTF-16.
    ShopTextEncoding found = ShopTextEncoding::Utf8;
    if (bytes.startsWith("\xFF\xFE"))
        found = ShopTextEncoding::Utf16LittleEndian;
    else if (bytes.startsWith("\xFE\xFF"))
        found = ShopTextEncoding::Utf16BigEndian;
    if (encoding)
        *encoding = found;
    if (found != ShopTextEncoding::Utf8)
        return decodeUtf16(bytes.sliced(2), found);

    // A UTF-8 byte-order mark is only ever written by an editor saving UTF-8,
    // so it is dropped even when the bytes after it turn out not to be UTF-8.
    const QByteArray body = startsWithByteOrderMark(bytes) ? bytes.sliced(3) : bytes;
    const bool utf8 = isValidUtf8(body.constData(), body.constData() + body.size());
    if (encoding && !utf8)
        *encoding = ShopTextEncoding::Windows1252;
    return utf8 ? QString::fromUtf8(body) : decodeWindows1252(body);
}

} // namespace runtime
