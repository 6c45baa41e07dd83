#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "runtime/Twips.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <limits>

using runtime::ErrorNumber;
using runtime::RuntimeError;

namespace {

// The error number a conversion raised, 0 when it returned `*result`.
template<typename T>
int convert(const std::function<T(const QString &)> &conversion, const QString &text, T *result)
{
    try {
        *result = conversion(text);
        return 0;
    } catch (const RuntimeError &error) {
        return error.number();
    }
}

constexpr int TypeMismatch = int(ErrorNumber::TypeMismatch);
constexpr int Overflow = int(ErrorNumber::Overflow);

} // namespace

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void toBoolean_data();
    void toBoolean();
    void toLong_data();
    void toLong();
    void parseDecimal_data();
    void parseDecimal();
    void roundHalfEven_data();
    void roundHalfEven();
    void twipsToPixels_data();
    void twipsToPixels();
};

void TestConversions::toBoolean_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<int>("error");

    QTest::newRow("True") << "True" << true << 0;
    QTest::newRow("lower case true") << "true" << true << 0;
    QTest::newRow("upper case FALSE") << "FALSE" << false << 0;
    QTest::newRow("mixed case fAlSe") << "fAlSe" << false << 0;
    QTest::newRow("blanks around") << " \tTrue\t " << true << 0;
    QTest::newRow("#TRUE#") << "#TRUE#" << true << 0;
    QTest::newRow("#FALSE#") << "#FALSE#" << false << 0;
    QTest::newRow("#False# is case-sensitive") << "#False#" << false << TypeMismatch;
    QTest::newRow("zero") << "0" << false << 0;
    QTest::newRow("negative zero") << "-0.0" << false << 0;
    QTest::newRow("minus one") << "-1" << true << 0;
    QTest::newRow("plus one") << "+1" << true << 0;
    QTest::newRow("fraction") << "0.1" << true << 0;
    QTest::newRow("fraction rounding to zero is still true") << "0.4" << true << 0;
    QTest::newRow("number with blanks") << " 255 " << true << 0;
    QTest::newRow("beyond the Long range") << "2147483648" << true << 0;
    QTest::newRow("beyond the double range") << "1e400" << true << 0;
    QTest::newRow("trailing sign") << "5-" << true << 0;
    QTest::newRow("hexadecimal") << "&HFF" << true << 0;
    QTest::newRow("hexadecimal zero") << "&H0" << false << 0;
    QTest::newRow("hexadecimal beyond 64 bits") << "&H10000000000000000" << true << 0;
    QTest::newRow("currency sign") << "$1" << true << 0;
    QTest::newRow("thousands separator") << "1,000" << true << 0;
    QTest::newRow("zero in parentheses") << "(0)" << false << 0;
    QTest::newRow("hexadecimal without digits") << "&H" << false << TypeMismatch;
    QTest::newRow("yes") << "yes" << false << TypeMismatch;
    QTest::newRow("On") << "On" << false << TypeMismatch;
    QTest::newRow("empty") << "" << false << TypeMismatch;
    QTest::newRow("blanks only") << "  " << false << TypeMismatch;
    QTest::newRow("Truex") << "Truex" << false << TypeMismatch;
    QTest::newRow("True with inner blank") << "Tr ue" << false << TypeMismatch;
}

void TestConversions::toBoolean()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QFETCH(int, error);

    bool result = !expected;
    QCOMPARE(convert<bool>(runtime::toBoolean, text, &result), error);
    if (error == 0)
        QCOMPARE(result, expected);
}

void TestConversions::toLong_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<int>("longError");

    QTest::newRow("zero") << "0" << 0LL << 0;
    QTest::newRow("minus one") << "-1" << -1LL << 0;
    QTest::newRow("blanks around") << " \t255\t " << 255LL << 0;
    QTest::newRow("leading plus") << "+5" << 5LL << 0;
    QTest::newRow("trailing minus") << "5-" << -5LL << 0;
    QTest::newRow("trailing plus") << "5+" << 5LL << 0;
    QTest::newRow("half to even up") << "255.5" << 256LL << 0;
    QTest::newRow("0.5 to even") << "0.5" << 0LL << 0;
    QTest::newRow("1.5 to even") << "1.5" << 2LL << 0;
    QTest::newRow("-0.5 to even") << "-0.5" << 0LL << 0;
    QTest::newRow("-1.5 to even") << "-1.5" << -2LL << 0;
    QTest::newRow("59.5") << "59.5" << 60LL << 0;
    QTest::newRow("58.5") << "58.5" << 58LL << 0;
    QTest::newRow("exponent") << "1e2" << 100LL << 0;
    QTest::newRow("upper case exponent with sign") << "25E-1" << 2LL << 0;
    QTest::newRow("point first") << ".5" << 0LL << 0;
    QTest::newRow("point last") << "7." << 7LL << 0;
    QTest::newRow("Integer top") << "32767" << 32767LL << 0;
    QTest::newRow("Integer bottom") << "-32768" << -32768LL << 0;
    QTest::newRow("Integer half above top") << "32767.5" << 32768LL << 0;
    QTest::newRow("Integer half below bottom") << "-32768.5" << -32768LL << 0;
    QTest::newRow("40000") << "40000" << 40000LL << 0;
    QTest::newRow("Long top") << "2147483647" << 2147483647LL << 0;
    QTest::newRow("Long bottom") << "-2147483648" << -2147483648LL << 0;
    QTest::newRow("above Long") << "2147483648" << 0LL << Overflow;
    QTest::newRow("Long top plus a half") << "2147483647.5" << 0LL << Overflow;
    QTest::newRow("beyond the double range") << "-1e400" << 0LL << Overflow;
    QTest::newRow("tiny exponent") << "1e-400" << 0LL << 0;
    QTest::newRow("huge exponent digits") << "1e99999999999999999999" << 0LL << Overflow;
    QTest::newRow("True") << "True" << 0LL << TypeMismatch;
    QTest::newRow("abc") << "abc" << 0LL << TypeMismatch;
    QTest::newRow("empty") << "" << 0LL << TypeMismatch;
    QTest::newRow("sign alone") << "-" << 0LL << TypeMismatch;
    QTest::newRow("two signs") << "-5-" << 0LL << TypeMismatch;
    QTest::newRow("double sign") << "+-5" << 0LL << TypeMismatch;
    QTest::newRow("blank after sign") << "- 5" << 0LL << TypeMismatch;
    QTest::newRow("digits then letters") << "12abc" << 0LL << TypeMismatch;
    QTest::newRow("currency sign") << "$60" << 60LL << 0;
    QTest::newRow("currency sign after the minus") << "-$60" << -60LL << 0;
    QTest::newRow("two currency signs") << "$$60" << 0LL << TypeMismatch;
    QTest::newRow("currency sign after the digits") << "60$" << 0LL << TypeMismatch;
    QTest::newRow("thousands separator") << "1,000" << 1000LL << 0;
    QTest::newRow("separators and a fraction") << "$1,234,567.5" << 1234568LL << 0;
    QTest::newRow("groups of any size") << "1,0" << 10LL << 0;
    QTest::newRow("separator first") << ",5" << 0LL << TypeMismatch;
    QTest::newRow("separator last") << "5," << 0LL << TypeMismatch;
    QTest::newRow("separator in the fraction") << "1.000,5" << 0LL << TypeMismatch;
    QTest::newRow("parentheses") << "(5)" << -5LL << 0;
    QTest::newRow("parentheses round a currency") << "($1,000)" << -1000LL << 0;
    QTest::newRow("parentheses and a sign") << "(-5)" << 0LL << TypeMismatch;
    QTest::newRow("parentheses and a trailing sign") << "(5)-" << 0LL << TypeMismatch;
    QTest::newRow("blanks inside parentheses") << "( 5 )" << 0LL << TypeMismatch;
    QTest::newRow("hexadecimal") << "&HFF" << 255LL << 0;
    QTest::newRow("lower case hexadecimal") << " &hff\t" << 255LL << 0;
    QTest::newRow("octal") << "&O17" << 15LL << 0;
    QTest::newRow("hexadecimal all ones is minus one") << "&HFFFFFFFF" << -1LL << 0;
    QTest::newRow("hexadecimal 16 bits all ones") << "&HFFFF" << 65535LL << 0;
    QTest::newRow("hexadecimal beyond 16 bits") << "&H10000" << 65536LL << 0;
    QTest::newRow("hexadecimal button face") << "&H8000000F" << -2147483633LL << 0;
    QTest::newRow("hexadecimal leading zeros") << "&H00000000000000FF" << 255LL << 0;
    QTest::newRow("hexadecimal beyond 32 bits") << "&H100000000" << 0LL << Overflow;
    QTest::newRow("hexadecimal beyond 64 bits") << "&H1FFFFFFFFFFFFFFFF" << 0LL << Overflow;
    QTest::newRow("hexadecimal without digits") << "&H" << 0LL << TypeMismatch;
    QTest::newRow("hexadecimal digit beyond F") << "&HFG" << 0LL << TypeMismatch;
    QTest::newRow("octal digit 8") << "&O8" << 0LL << TypeMismatch;
    QTest::newRow("hexadecimal with a sign") << "-&HFF" << 0LL << TypeMismatch;
    QTest::newRow("exponent without digits") << "1e" << 0LL << TypeMismatch;
    QTest::newRow("infinity word") << "inf" << 0LL << TypeMismatch;
    QTest::newRow("not a number word") << "nan" << 0LL << TypeMismatch;
    QTest::newRow("non-ASCII digit") << QStringLiteral(u"\u0661") << 0LL << TypeMismatch;
}

void TestConversions::toLong()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    QFETCH(int, longError);

    std::int32_t asLong = 0;
    QCOMPARE(convert<std::int32_t>(runtime::toLong, text, &asLong), longError);
    if (longError == 0)
        QCOMPARE(qint64(asLong), expected);
}

void TestConversions::parseDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");

    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("whole") << "85" << true << 85.0;
    QTest::newRow("negative fraction") << "-85.25" << true << -85.25;
    QTest::newRow("leading zeros") << "007" << true << 7.0;
    QTest::newRow("sixteen digits") << "1234567890123456" << true << 1234567890123456.0;
    QTest::newRow("exponent with plus") << "1.5e+3" << true << 1500.0;
    QTest::newRow("negative exponent") << "25e-2" << true << 0.25;
    QTest::newRow("point first") << ".5" << true << 0.5;
    QTest::newRow("point last") << "5." << true << 5.0;
    QTest::newRow("overflow reads as infinity") << "-1e999" << true << -infinity;
    QTest::newRow("many digits overflow") << QString(400, u'9') << true << infinity;
    QTest::newRow("underflow reads as zero") << "1e-999" << true << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank around") << " 5" << false << 0.0;
    QTest::newRow("trailing sign") << "5-" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e+" << false << 0.0;
    QTest::newRow("exponent without mantissa") << "e5" << false << 0.0;
    QTest::newRow("thousands separator") << "1,000" << false << 0.0;
    QTest::newRow("infinity") << "infinity" << false << 0.0;
    QTest::newRow("nan") << "NaN" << false << 0.0;
    QTest::newRow("hexadecimal float") << "0x1p3" << false << 0.0;
}

void TestConversions::parseDecimal()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);

    const std::optional<double> value = runtime::parseDecimal(text);
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(*value, expected);
}

void TestConversions::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("3.5") << 3.5 << 4.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("just below half") << 2.4999999 << 2.0;
    QTest::newRow("just above half") << 2.5000001 << 3.0;
    QTest::newRow("negative above half") << -2.6 << -3.0;
    QTest::newRow("large whole") << 9007199254740993.0 << 9007199254740993.0;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << std::numeric_limits<double>::infinity();
}

void TestConversions::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);

    QCOMPARE(runtime::roundHalfEven(value), expected);
}

// The one conversion the window, the suites' px() and the real-window check
// all use: 1440 twips to the inch, edges rounded, not sizes.
void TestConversions::twipsToPixels_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<QList<int>>("twips");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("96 dpi, the list") << 96.0 << QList<int>{120, 360, 2655, 4110} << QRect(8, 24, 177, 274);
    QTest::newRow("144 dpi") << 144.0 << QList<int>{120, 360, 2655, 4110} << QRect(12, 36, 266, 411);
    QTest::newRow("edges rounded, neighbours flush") << 96.0 << QList<int>{7, 7, 7, 7} << QRect(0, 0, 1, 1);
    QTest::newRow("half pixels round up") << 120.0 << QList<int>{6, 18, 12, 12} << QRect(1, 2, 1, 1);
}

void TestConversions::twipsToPixels()
{
    QFETCH(double, dpi);
    QFETCH(QList<int>, twips);
    QFETCH(QRect, expected);

    QCOMPARE(runtime::twipsToPixels(twips[0], twips[1], twips[2], twips[3], dpi), expected);
}

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
