#include "runtime/Format.h"

#include <QTest>

#include <limits>

using runtime::Currency;

namespace {

constexpr auto PricePattern = "$ ##,###.00";

} // namespace

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    void format_data();
    void format();
    void anyPatternTerminates_data();
    void anyPatternTerminates();
};

void TestFormat::format_data()
{
    QTest::addColumn<qint64>("tenThousandths");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    const QString price = QString::fromLatin1(PricePattern);
    const QString us = QStringLiteral("en_US");
    QTest::newRow("zero") << 0LL << price << us << "$ .00";
    QTest::newRow("half a dollar") << 5000LL << price << us << "$ .50";
    QTest::newRow("half a cent rounds up") << 50LL << price << us << "$ .01";
    QTest::newRow("just under half a cent rounds down") << 49LL << price << us << "$ .00";
    QTest::newRow("85") << 850000LL << price << us << "$ 85.00";
    QTest::newRow("85.125 rounds away from zero") << 851250LL << price << us << "$ 85.13";
    QTest::newRow("85.135 rounds away from zero, not to even") << 851350LL << price << us << "$ 85.14";
    QTest::newRow("99.995 carries into the whole part") << 999950LL << price << us << "$ 100.00";
    QTest::newRow("1234") << 12340000LL << price << us << "$ 1,234.00";
    QTest::newRow("12345") << 123450000LL << price << us << "$ 12,345.00";
    QTest::newRow("123456 beyond the placeholders") << 1234560000LL << price << us << "$ 123,456.00";
    QTest::newRow("1234567 grouped throughout") << 12345670000LL << price << us << "$ 1,234,567.00";
    QTest::newRow("negative") << -850000LL << price << us << "$ -85.00";
    QTest::newRow("negative below one") << -5000LL << price << us << "$ -.50";
    QTest::newRow("negative grouped") << -12340000LL << price << us << "$ -1,234.00";
    QTest::newRow("negative half cent rounds away from zero") << -50LL << price << us << "$ -.01";
    QTest::newRow("negative rounding to zero has no sign") << -49LL << price << us << "$ .00";
    QTest::newRow("German separators") << 12340000LL << price << "de_DE" << "$ 1.234,00";
    QTest::newRow("German below one") << 5000LL << price << "de_DE" << "$ ,50";
    QTest::newRow("French group separator") << 12340000LL << price << "fr_FR" << QStringLiteral(u"$ 1\u202F234,00");
    QTest::newRow("C locale") << 12345670000LL << price << "C" << "$ 1,234,567.00";
    QTest::newRow("most negative currency") << std::numeric_limits<qint64>::min() << price << us << "$ -922,337,203,685,477.58";
    QTest::newRow("most positive currency") << std::numeric_limits<qint64>::max() << "#,##0.0000" << us << "922,337,203,685,477.5807";
    QTest::newRow("zero placeholders pad") << 50000LL << "000.0" << us << "005.0";
    QTest::newRow("zero placeholders grouped") << 50000LL << "0,000" << us << "0,005";
    QTest::newRow("hash shows nothing for zero") << 0LL << "#" << us << "";
    QTest::newRow("hash fraction drops trailing zeros") << 1000LL << "#.##" << us << ".1";
    QTest::newRow("no fraction placeholders keeps the point") << 12345LL << "#,#." << us << "1.";
    QTest::newRow("no integer placeholder") << 851250LL << ".00" << us << "85.13";
    QTest::newRow("more decimals than stored") << 12345LL << "0.000000" << us << "1.234500";
    QTest::newRow("rounded to whole") << 25000LL << "0" << us << "3";
    QTest::newRow("comma not between placeholders is text") << 10000000LL << "#," << us << "1000,";
    QTest::newRow("escaped and quoted text") << 850000LL << "\\#\"#0 \"#" << us << "##0 85";
    QTest::newRow("literal inside the digits") << 12345670000LL << "#-###" << us << "1234-567";
    QTest::newRow("second point is text") << 850000LL << "#.0.0" << us << "85.0.0";
    QTest::newRow("no placeholders") << 850000LL << "abc" << us << "abc";
    QTest::newRow("empty pattern") << -851250LL << "" << us << "-85.125";
}

void TestFormat::format()
{
    QFETCH(qint64, tenThousandths);
    QFETCH(QString, pattern);
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    QCOMPARE(runtime::format(Currency::fromTenThousandths(tenThousandths), pattern, QLocale(locale)), expected);
}

// Patterns and values a fuzzer would try first: the output must come back at
// once and stay within the size the pattern and the digits allow.
void TestFormat::anyPatternTerminates_data()
{
    QTest::addColumn<QString>("pattern");

    QTest::newRow("unterminated quote") << "\"abc";
    QTest::newRow("lone backslash") << "\\";
    QTest::newRow("only commas") << ",,,,";
    QTest::newRow("only points") << "....";
    QTest::newRow("many integer placeholders") << QString(5000, u'0');
    QTest::newRow("many fraction placeholders") << "." + QString(5000, u'#');
    QTest::newRow("grouping everywhere") << QStringLiteral("#,").repeated(2000) + "#";
    QTest::newRow("lone surrogate") << QStringLiteral(u"#\xD800.0");
}

void TestFormat::anyPatternTerminates()
{
    QFETCH(QString, pattern);

    for (const qint64 value : {std::numeric_limits<qint64>::min(), qint64(-1), qint64(0), std::numeric_limits<qint64>::max()}) {
        const QString text = runtime::format(Currency::fromTenThousandths(value), pattern, QLocale(QLocale::English));
        QVERIFY(text.size() <= 2 * pattern.size() + 64);
    }
}

QTEST_APPLESS_MAIN(TestFormat)
#include "tst_format.moc"
