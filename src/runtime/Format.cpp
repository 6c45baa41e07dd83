#include "runtime/Format.h"

#include <QList>

#include <cstdint>

namespace runtime {

namespace {

constexpr int StoredDecimals = 4;

enum class TokenKind { Literal, Digit, Point, Group };

struct Token
{
    TokenKind kind;
    QStringView text;     // the literal's text
    bool zero = false;    // a `0` placeholder rather than a `#`
};

struct Pattern
{
    QList<Token> tokens;
    qsizetype integerPlaceholders = 0;
    qsizetype fractionPlaceholders = 0;
    bool hasPoint = false;
    bool grouped = false;
};

Pattern tokenize(QStringView pattern)
{
    Pattern result;
    QList<Token> &tokens = result.tokens;
    tokens.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && i + 1 < pattern.size()) {
            tokens.append({TokenKind::Literal, pattern.sliced(i + 1, 1)});
            ++i;
        } else if (c == u'"') {
            const qsizetype close = pattern.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            tokens.append({TokenKind::Literal, pattern.sliced(i + 1, end - i - 1)});
            i = end;
        } else if (c == u'0' || c == u'#') {
            tokens.append({TokenKind::Digit, {}, c == u'0'});
            if (result.hasPoint)
                ++result.fractionPlaceholders;
            else
                ++result.integerPlaceholders;
        } else if (c == u'.' && !result.hasPoint) {
            tokens.append({TokenKind::Point, {}});
            result.hasPoint = true;
        } else if (c == u',' && !result.hasPoint) {
            tokens.append({TokenKind::Group, {}});
        } else {
            tokens.append({TokenKind::Literal, pattern.sliced(i, 1)});
        }
    }

    // A comma groups only when integer placeholders stand on both sides of
    // it; anywhere else it is plain text.
    qsizetype placeholdersBefore = 0;
    for (Token &token : tokens) {
        if (token.kind == TokenKind::Point)
            break;
        if (token.kind == TokenKind::Digit) {
            ++placeholdersBefore;
        } else if (token.kind == TokenKind::Group) {
            if (placeholdersBefore > 0 && placeholdersBefore < result.integerPlaceholders) {
                result.grouped = true;
            } else {
                token.kind = TokenKind::Literal;
                token.text = u",";
            }
        }
    }
    return result;
}

// Digits of the magnitude, most significant first; zero has none, so that a
// `#` placeholder shows nothing for it.
QString integerDigits(std::uint64_t value)
{
    QString digits;
    while (value > 0) {
        digits.prepend(QChar(u'0' + int(value % 10)));
        value /= 10;
    }
    return digits;
}

struct Rounded
{
    std::uint64_t whole = 0;
    QString fraction; // exactly as many digits as the pattern asks for
};

// Currency is exact to four decimals, so rounding to fewer is integer
// arithmetic on the magnitude, half away from zero; more decimals are zeros.
Rounded roundMagnitude(std::uint64_t magnitude, qsizetype decimals)
{
    Rounded result;
    if (decimals >= StoredDecimals) {
        result.whole = magnitude / 10000;
        result.fraction = QString::number(magnitude % 10000).rightJustified(StoredDecimals, u'0');
        result.fraction.append(QString(decimals - StoredDecimals, u'0'));
        return result;
    }
    std::uint64_t divisor = 1;
    for (qsizetype i = decimals; i < StoredDecimals; ++i)
        divisor *= 10;
    std::uint64_t kept = magnitude / divisor;
    if ((magnitude % divisor) * 2 >= divisor)
        ++kept;
    std::uint64_t fractionScale = 1;
    for (qsizetype i = 0; i < decimals; ++i)
        fractionScale *= 10;
    result.whole = kept / fractionScale;
    if (decimals > 0)
        result.fraction = QString::number(kept % fractionScale).rightJustified(decimals, u'0');
    return result;
}

// The runtime's text for a value given no pattern: no trailing zeros.
QString plainText(bool negative, std::uint64_t magnitude, const QLocale &locale)
{
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 10000);
    QString fraction = QString::number(magnitude % 10000).rightJustified(StoredDecimals, u'0');
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return text;
}

} // namespace

QString format(Currency value, QStringView pattern, const QLocale &locale)
{
    const std::int64_t units = value.tenThousandths();
    bool negative = units < 0;
    // Negating in unsigned arithmetic keeps the most negative value exact.
    const std::uint64_t magnitude = negative ? std::uint64_t(0) - std::uint64_t(units) : std::uint64_t(units);
    if (pattern.isEmpty())
        return plainText(negative, magnitude, locale);

    const Pattern parsed = tokenize(pattern);
    const Rounded rounded = roundMagnitude(magnitude, parsed.fractionPlaceholders);
    // A value that rounds to zero shows no sign: "-.00" would read as a debt.
    if (rounded.whole == 0 && rounded.fraction.count(u'0') == rounded.fraction.size())
        negative = false;

    // Each integer placeholder takes one digit counted from the right; the
    // leftmost one also takes every digit the pattern has no room for.
    const QString digits = integerDigits(rounded.whole);
    const qsizetype placeholders = parsed.integerPlaceholders;
    const qsizetype overflowDigits = digits.size() > placeholders ? digits.size() - placeholders : 0;

    // The last fraction position that must be shown: a `0` placeholder or a
    // non-zero digit; trailing `#` positions holding zeros show nothing.
    qsizetype lastFractionShown = -1;
    {
        qsizetype position = 0;
        bool pastPoint = false;
        for (const Token &token : parsed.tokens) {
            if (token.kind == TokenKind::Point)
                pastPoint = true;
            if (token.kind != TokenKind::Digit || !pastPoint)
                continue;
            if (token.zero || rounded.fraction.at(position) != u'0')
                lastFractionShown = position;
            ++position;
        }
    }

    const QString groupSeparator = locale.groupSeparator();
    QString out;
    out.reserve(pattern.size() + digits.size() * 2 + 2);
    bool signWritten = !negative;
    bool anyIntegerDigitWritten = false;
    qsizetype integerPlaceholder = 0;
    qsizetype fractionPosition = 0;
    bool afterPoint = false;

    auto writeIntegerDigit = [&](QChar digit, qsizetype digitsToTheRight) {
        if (!signWritten) {
            out += u'-';
            signWritten = true;
        }
        if (parsed.grouped && anyIntegerDigitWritten && (digitsToTheRight + 1) % 3 == 0)
            out += groupSeparator;
        out += digit;
        anyIntegerDigitWritten = true;
    };

    for (const Token &token : parsed.tokens) {
        switch (token.kind) {
        case TokenKind::Literal:
            out += token.text;
            break;
        case TokenKind::Group:
            break;
        case TokenKind::Point:
            // With no integer placeholder the whole part goes before the point.
            if (placeholders == 0) {
                for (qsizetype i = 0; i < digits.size(); ++i)
                    writeIntegerDigit(digits.at(i), digits.size() - 1 - i);
            }
            if (!signWritten) {
                out += u'-';
                signWritten = true;
            }
            out += locale.decimalPoint();
            afterPoint = true;
            break;
        case TokenKind::Digit:
            if (afterPoint) {
                if (fractionPosition <= lastFractionShown)
                    out += rounded.fraction.at(fractionPosition);
                ++fractionPosition;
                break;
            }
            {
                // Position of this placeholder's digit counted from the right
                // end of the integer part, 0 for the units.
                const qsizetype fromRight = placeholders - 1 - integerPlaceholder;
                if (integerPlaceholder == 0) {
                    for (qsizetype i = 0; i < overflowDigits; ++i)
                        writeIntegerDigit(digits.at(i), digits.size() - 1 - i);
                }
                if (fromRight < digits.size())
                    writeIntegerDigit(digits.at(digits.size() - 1 - fromRight), fromRight);
                else if (token.zero)
                    writeIntegerDigit(u'0', fromRight);
                ++integerPlaceholder;
            }
            break;
        }
    }

    return out;
}

} // namespace runtime
