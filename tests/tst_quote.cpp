#include "runtime/RuntimeError.h"
#include "quote/Availability.h"
#include "quote/Quote.h"

#include <QTest>

using runtime::Currency;
using quote::ItemAvailability;

Q_DECLARE_METATYPE(quote::AvailabilityRow)
using Ticks = std::array<int, 5>;
Q_DECLARE_METATYPE(Ticks)

namespace {

constexpr ItemAvailability On{true, false};
constexpr ItemAvailability Off{false, true};
constexpr ItemAvailability OnCleared{true, true};

catalogue::PriceTable pricesOf(std::initializer_list<std::array<std::int16_t, 5>> rows)
{
    catalogue::PriceTable table;
    for (const auto &row : rows)
        table.append(row);
    return table;
}

quote::Selection selection(std::array<int, 5> ticks, int pairs, int brand = 0, QString brandText = "Brand")
{
    quote::Selection s;
    s.brandIndex = brand;
    s.brandText = brandText;
    s.checkValues = ticks;
    s.pairsChosen = pairs > 0;
    s.pairs = std::int16_t(pairs);
    return s;
}

} // namespace

class TestQuote : public QObject
{
    Q_OBJECT

private slots:
    void availabilityFollowsListPosition_data()
    {
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<quote::AvailabilityRow>("row");
        const quote::AvailabilityRow all{On, On, On, On, On};
        const quote::AvailabilityRow courtAndRoad{Off, On, Off, On, Off};
        const quote::AvailabilityRow withFitness{Off, On, OnCleared, On, Off};
        const quote::AvailabilityRow withWalking{Off, On, Off, On, On};
        QTest::newRow("no selection") << -1 << all;
        QTest::newRow("position 0") << 0 << all;
        QTest::newRow("position 1") << 1 << courtAndRoad;
        QTest::newRow("position 2 clears Fitness but keeps it enabled") << 2 << withFitness;
        QTest::newRow("position 3") << 3 << all;
        QTest::newRow("position 4") << 4 << all;
        QTest::newRow("position 5") << 5 << withWalking;
        QTest::newRow("position 6") << 6 << courtAndRoad;
        QTest::newRow("position 7") << 7 << courtAndRoad;
        QTest::newRow("position 8") << 8 << withWalking;
        QTest::newRow("position 9") << 9 << withWalking;
        QTest::newRow("position 10") << 10 << all;
        QTest::newRow("last possible brand") << 32766 << all;
    }
    void availabilityFollowsListPosition()
    {
        QFETCH(int, listIndex);
        QFETCH(quote::AvailabilityRow, row);
        QCOMPARE(quote::availabilityFor(listIndex), row);
    }

    void validationMessagesComeInOrder_data()
    {
        QTest::addColumn<QString>("brand");
        QTest::addColumn<int>("ticked");
        QTest::addColumn<int>("pairs");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("priced");
        const QString noBrand = "You must select a brand of sneakers";
        const QString noItem = "You must select one or more types of sneakers.";
        const QString noPairs = " You must select at leat 1 pair of sneakers.";
        QTest::newRow("no brand, whatever else") << "" << 1 << 3 << QStringList{noBrand} << false;
        QTest::newRow("no brand, nothing else") << "" << 0 << 0 << QStringList{noBrand} << false;
        QTest::newRow("no item, pairs chosen") << "Brand" << 0 << 2 << QStringList{noItem} << true;
        QTest::newRow("no item, no pairs") << "Brand" << 0 << 0 << QStringList{noItem, noPairs} << false;
        QTest::newRow("items, no pairs") << "Brand" << 1 << 0 << QStringList{noPairs} << false;
        QTest::newRow("all chosen") << "Brand" << 1 << 1 << QStringList{} << true;
    }
    void validationMessagesComeInOrder()
    {
        QFETCH(QString, brand);
        QFETCH(int, ticked);
        QFETCH(int, pairs);
        QFETCH(QStringList, messages);
        QFETCH(bool, priced);
        const auto prices = pricesOf({{60, 75, 0, 0, 0}});
        const quote::Outcome outcome = quote::calculate(selection({ticked, 0, 0, 0, 0}, pairs, 0, brand), prices);
        QCOMPARE(outcome.messages, messages);
        QCOMPARE(outcome.total.has_value(), priced);
    }

    void totalsAddTickedItemsTimesPairs_data()
    {
        QTest::addColumn<Ticks>("ticks");
        QTest::addColumn<int>("pairs");
        QTest::addColumn<int>("brand");
        QTest::addColumn<qint64>("dollars");
        QTest::newRow("60 + 75 at three pairs") << std::array<int, 5>{1, 1, 0, 0, 0} << 3 << 0 << qint64(405);
        QTest::newRow("all five at one pair") << std::array<int, 5>{1, 1, 1, 1, 1} << 1 << 1 << qint64(150);
        QTest::newRow("unticked items cost nothing") << std::array<int, 5>{0, 0, 0, 0, 1} << 5 << 1 << qint64(250);
        QTest::newRow("a zero price gives a zero total") << std::array<int, 5>{0, 0, 1, 0, 0} << 2 << 0 << qint64(0);
        QTest::newRow("beyond 16 bits once in currency")
            << std::array<int, 5>{1, 1, 1, 1, 1} << 5 << 2 << qint64(5 * 5 * 32767);
        QTest::newRow("negative prices are summed too") << std::array<int, 5>{0, 0, 0, 1, 1} << 1 << 3 << qint64(-5);
    }
    void totalsAddTickedItemsTimesPairs()
    {
        QFETCH(Ticks, ticks);
        QFETCH(int, pairs);
        QFETCH(int, brand);
        QFETCH(qint64, dollars);
        const auto prices = pricesOf({{60, 75, 0, 0, 0}, {10, 20, 30, 40, 50}, {32767, 32767, 32767, 32767, 32767},
                                      {0, 0, 0, 5, -10}});
        const quote::Outcome outcome = quote::calculate(selection(ticks, pairs, brand), prices);
        QVERIFY(outcome.total);
        QCOMPARE(*outcome.total, Currency::fromWhole(dollars));
    }

    void faultsRaiseNumberedErrors_data()
    {
        QTest::addColumn<int>("price");
        QTest::addColumn<int>("brand");
        QTest::addColumn<int>("checkValue");
        QTest::addColumn<int>("error");
        const int subscript = int(runtime::ErrorNumber::SubscriptOutOfRange);
        const int overflow = int(runtime::ErrorNumber::Overflow);
        QTest::newRow("brand past the table") << 20000 << 1 << 1 << subscript;
        QTest::newRow("negative brand with a text") << 20000 << -1 << 1 << subscript;
        QTest::newRow("greyed check value overflows") << 20000 << 0 << 2 << overflow;
        QTest::newRow("product one past the Integer top") << 16384 << 0 << 2 << overflow;
    }
    void faultsRaiseNumberedErrors()
    {
        QFETCH(int, price);
        QFETCH(int, brand);
        QFETCH(int, checkValue);
        QFETCH(int, error);
        const auto prices = pricesOf({{std::int16_t(price), 0, 0, 0, 0}});
        try {
            quote::calculate(selection({checkValue, 0, 0, 0, 0}, 1, brand), prices);
            QFAIL("no error raised");
        } catch (const runtime::RuntimeError &raised) {
            QCOMPARE(raised.number(), error);
        }
    }

    void captionFormatsTheTotal_data()
    {
        QTest::addColumn<qint64>("dollars");
        QTest::addColumn<QString>("caption");
        const QString lead = QStringLiteral("The cost of the selected sneaker(s) is ");
        QTest::newRow("85") << qint64(85) << lead + "$ 85.00";
        QTest::newRow("405") << qint64(405) << lead + "$ 405.00";
        QTest::newRow("1234") << qint64(1234) << lead + "$ 1,234.00";
        QTest::newRow("12345") << qint64(12345) << lead + "$ 12,345.00";
        QTest::newRow("123456") << qint64(123456) << lead + "$ 123,456.00";
    }
    void captionFormatsTheTotal()
    {
        QFETCH(qint64, dollars);
        QFETCH(QString, caption);
        QCOMPARE(quote::quoteCaption(Currency::fromWhole(dollars), QLocale(QLocale::English, QLocale::UnitedStates)),
                 caption);
    }
};

QTEST_APPLESS_MAIN(TestQuote)
#include "tst_quote.moc"
