#include "runtime/Conversions.h"

#include "runtime/RuntimeError.h"

#include <QLocale>
#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

namespace runtime {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isSign(QChar c)
{
    return c == u'+' || c == u'-';
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// from_chars leaves the value untouched when it is out of a double's range,
// so the direction is worked out from the text: where the first significant
// digit sits, moved by the exponent. The exponent saturates, so a text with
// thousands of exponent digits cannot overflow the arithmetic.
double outOfRangeValue(QStringView mantissa, QStringView exponent, bool negative)
{
    long long scale = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    for (const QChar c : mantissa) {
        if (c == u'.') {
            seenPoint = true;
        } else if (!seenSignificant && c == u'0') {
            if (seenPoint)
                --scale;
        } else {
            seenSignificant = true;
            if (!seenPoint)
                ++scale;
        }
    }
    constexpr long long Saturation = 1'000'000'000;
    long long exponentValue = 0;
    bool exponentNegative = false;
    for (const QChar c : exponent) {
        if (c == u'-')
            exponentNegative = true;
        else if (isDigit(c) && exponentValue < Saturation)
            exponentValue = exponentValue * 10 + (c.unicode() - u'0');
    }
    scale += exponentNegative ? -exponentValue : exponentValue;
    const double magnitude = scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

// A number as the text-to-number conversions read it. A hexadecimal or
// octal text is a bit pattern: it fills the target type from its lowest bit,
// so "&HFFFFFFFF" is -1 as a Long and "&HFFFF" is -1 as an Integer.
struct ParsedNumber
{
    double value = 0;
    bool bitPattern = false;
};

int radixDigit(QChar c, int radix)
{
    int digit = radix;
    if (isDigit(c))
        digit = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        digit = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        digit = c.unicode() - u'A' + 10;
    return digit < radix ? digit : -1;
}

// "&H" and "&O" numbers: digits only, no sign, fraction or separator. A
// value beyond 64 bits reads as infinity, which no target can hold.
std::optional<ParsedNumber> parseRadixNumber(QStringView digits, int radix)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    bool beyond64Bits = false;
    for (const QChar c : digits) {
        const int digit = radixDigit(c, radix);
        if (digit < 0)
            return std::nullopt;
        if (value > (std::numeric_limits<std::uint64_t>::max() - std::uint64_t(digit)) / std::uint64_t(radix))
            beyond64Bits = true;
        else
            value = value * std::uint64_t(radix) + std::uint64_t(digit);
    }
    return ParsedNumber{beyond64Bits ? std::numeric_limits<double>::infinity() : double(value), true};
}

// Thousands separators may stand between any two digits before the decimal
// point; the runtime does not check the size of the groups, so "1,0" is 10.
// Returns the text without them, or nothing when one stands anywhere else.
std::optional<QString> withoutThousandsSeparators(QStringView number)
{
    QString plain;
    plain.reserve(number.size());
    bool integerPart = true;
    for (qsizetype i = 0; i < number.size(); ++i) {
        const QChar c = number[i];
        if (c == u',') {
            if (!integerPart || i == 0 || !isDigit(number[i - 1]) || i + 1 == number.size() || !isDigit(number[i + 1]))
                return std::nullopt;
            continue;
        }
        if (!isDigit(c))
            integerPart = false;
        plain += c;
    }
    return plain;
}

// The number parser every text-to-number conversion shares: blanks around;
// "&H" hexadecimal or "&O" octal; otherwise a decimal number with one sign
// either before or after the digits ("5-"), or in parentheses for a negative
// number ("(5)"), a dollar sign in front ("$60", "-$60") and thousands
// separators ("1,000"). Separators and signs follow the English (United
// States) conventions whatever the user's locale, as the decimal point does.
std::optional<ParsedNumber> parseNumber(QStringView text)
{
    QStringView body = trimBlanks(text);
    if (body.size() >= 2 && body.front() == u'&') {
        const QChar kind = body[1].toUpper();
        if (kind == u'H')
            return parseRadixNumber(body.sliced(2), 16);
        if (kind == u'O')
            return parseRadixNumber(body.sliced(2), 8);
        return std::nullopt;
    }

    bool negative = false;
    const bool parenthesised = body.size() >= 2 && body.front() == u'(' && body.back() == u')';
    if (parenthesised) {
        negative = true;
        body = body.sliced(1, body.size() - 2);
    }
    bool currency = false;
    const auto takeCurrencySign = [&] {
        if (!currency && !body.isEmpty() && body.front() == u'$') {
            currency = true;
            body = body.sliced(1);
        }
    };
    takeCurrencySign();
    if (!parenthesised && !body.isEmpty()) {
        if (isSign(body.front())) {
            negative = body.front() == u'-';
            body = body.sliced(1);
            takeCurrencySign();
        } else if (isSign(body.back())) {
            negative = body.back() == u'-';
            body.chop(1);
        }
    }
    if (body.isEmpty() || isSign(body.front()))
        return std::nullopt;

    std::optional<double> value;
    if (body.contains(u',')) {
        const std::optional<QString> plain = withoutThousandsSeparators(body);
        if (!plain)
            return std::nullopt;
        value = parseDecimal(*plain);
    } else {
        value = parseDecimal(body);
    }
    if (!value)
        return std::nullopt;
    return ParsedNumber{negative ? -*value : *value, false};
}

template<typename Int>
Int toRange(const QString &text)
{
    const std::optional<ParsedNumber> number = parseNumber(text);
    if (!number)
        raise(ErrorNumber::TypeMismatch);
    if (number->bitPattern) {
        using Bits = std::make_unsigned_t<Int>;
        if (!(number->value <= double(std::numeric_limits<Bits>::max())))
            raise(ErrorNumber::Overflow);
        return static_cast<Int>(static_cast<Bits>(number->value));
    }
    const double rounded = roundHalfEven(number->value);
    if (!(rounded >= double(std::numeric_limits<Int>::min()) && rounded <= double(std::numeric_limits<Int>::max())))
        raise(ErrorNumber::Overflow);
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<double> parseDecimal(QStringView text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    bool negative = false;
    if (i < size && isSign(text[i])) {
        negative = text[i] == u'-';
        ++i;
    }
    const qsizetype mantissaStart = i;
    qsizetype integerDigits = 0;
    while (i < size && isDigit(text[i])) {
        ++i;
        ++integerDigits;
    }
    qsizetype fractionDigits = 0;
    if (i < size && text[i] == u'.') {
        ++i;
        while (i < size && isDigit(text[i])) {
            ++i;
            ++fractionDigits;
        }
    }
    if (integerDigits + fractionDigits == 0)
        return std::nullopt;
    const qsizetype mantissaEnd = i;
    if (i < size && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < size && isSign(text[i]))
            ++i;
        const qsizetype exponentDigitsStart = i;
        while (i < size && isDigit(text[i]))
            ++i;
        if (i == exponentDigitsStart)
            return std::nullopt;
    }
    if (i != size)
        return std::nullopt;

    // Whole numbers of up to 15 digits are exact in a double; price files
    // hold nothing else, so they skip the general conversion.
    if (mantissaEnd == size && fractionDigits == 0 && mantissaEnd - mantissaStart == integerDigits && integerDigits <= 15) {
        double whole = 0;
        for (qsizetype d = mantissaStart; d < mantissaEnd; ++d)
            whole = whole * 10 + (text[d].unicode() - u'0');
        return negative ? -whole : whole;
    }

    QVarLengthArray<char, 64> latin1;
    latin1.reserve(size - mantissaStart);
    for (qsizetype c = mantissaStart; c < size; ++c)
        latin1.append(char(text[c].unicode()));
    double value = 0;
    const auto [end, error] = std::from_chars(latin1.data(), latin1.data() + latin1.size(), value);
    if (error == std::errc::result_out_of_range)
        return outOfRangeValue(text.sliced(mantissaStart, mantissaEnd - mantissaStart), text.sliced(mantissaEnd), negative);
    if (error != std::errc() || end != latin1.data() + latin1.size())
        return std::nullopt;
    return negative ? -value : value;
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double excess = value - below;
    if (excess < 0.5)
        return below;
    if (excess > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

bool toBoolean(const QString &text)
{
    const QStringView word = trimBlanks(text);
    if (word.compare(u"True", Qt::CaseInsensitive) == 0 || word == u"#TRUE#")
        return true;
    if (word.compare(u"False", Qt::CaseInsensitive) == 0 || word == u"#FALSE#")
        return false;
    const std::optional<ParsedNumber> number = parseNumber(word);
    if (!number)
        raise(ErrorNumber::TypeMismatch);
    return number->value != 0;
}

std::int32_t toLong(const QString &text)
{
    return toRange<std::int32_t>(text);
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString integerText(std::int64_t value)
{
    return QString::number(value);
}

QString groupedIntegerText(std::int64_t value)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(qlonglong(value));
}

} // namespace runtime
