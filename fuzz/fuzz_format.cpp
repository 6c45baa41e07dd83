// Format with any pattern and any Currency value, the extremes included. The
// input is an 8-byte value (little-endian ten-thousandths), one byte choosing
// the locale and the pattern in UTF-8. Checks that the output stays within a
// bound set by the pattern, and that the shop's own quote pattern shows the
// value exactly, rounded to cents half away from zero.

#include "runtime/Currency.h"
#include "runtime/Format.h"

#include <QLocale>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "format invariant broken: %s\n", what);
    std::abort();
}

QLocale localeFor(std::uint8_t choice)
{
    switch (choice % 4) {
    case 0: return QLocale::c();
    case 1: return QLocale(QLocale::English, QLocale::UnitedStates);
    case 2: return QLocale(QLocale::German, QLocale::Germany);
    default: return QLocale(QLocale::French, QLocale::France);
    }
}

void checkBounded(runtime::Currency value, const QString &pattern, const QLocale &locale)
{
    const QString out = runtime::format(value, pattern, locale);
    // Each pattern character gives at most one character, a decimal point,
    // or a digit with a group separator after it; on top of that come the
    // sign and the digits the pattern has no room for, with their separators.
    const qsizetype perChar = std::max<qsizetype>(locale.decimalPoint().size(), 1 + locale.groupSeparator().size());
    const qsizetype bound = pattern.size() * perChar + 1 + 20 * (1 + locale.groupSeparator().size());
    if (out.size() > bound)
        fail("output longer than the pattern allows");
}

// "$ ##,###.00" read back as cents must be the value rounded half away from zero.
void checkQuotePattern(std::int64_t units)
{
    const QString out = runtime::format(runtime::Currency::fromTenThousandths(units), u"$ ##,###.00",
                                         QLocale(QLocale::English, QLocale::UnitedStates));
    if (!out.startsWith(QStringLiteral("$ ")))
        fail("quote does not start with the dollar sign and a space");
    QString digits = out.mid(2);
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);
    const qsizetype point = digits.indexOf(u'.');
    if (point < 0 || digits.size() - point != 3)
        fail("quote does not have exactly two decimals");
    digits.remove(point, 1);
    digits.remove(u',');
    unsigned __int128 shown = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            fail("quote holds something other than digits, grouping and the point");
        shown = shown * 10 + (c.unicode() - u'0');
    }
    const unsigned __int128 magnitude =
        units < 0 ? (unsigned __int128)(-(__int128)units) : (unsigned __int128)units;
    const unsigned __int128 expected = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    if (shown != expected)
        fail("quote shows a different amount");
    if (negative && (expected == 0 || units >= 0))
        fail("quote carries a sign it should not");
    if (!negative && units < 0 && expected != 0)
        fail("negative quote lost its sign");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 9)
        return 0;
    std::uint64_t raw = 0;
    for (int i = 7; i >= 0; --i)
        raw = raw << 8 | data[i];
    std::int64_t units;
    std::memcpy(&units, &raw, sizeof units);
    const QLocale locale = localeFor(data[8]);
    const QString pattern = QString::fromUtf8(reinterpret_cast<const char *>(data + 9), qsizetype(size - 9));

    for (const std::int64_t value : {units, INT64_MIN, INT64_MAX, std::int64_t(0), std::int64_t(-1)})
        checkBounded(runtime::Currency::fromTenThousandths(value), pattern, locale);
    checkQuotePattern(units);
    return 0;
}
