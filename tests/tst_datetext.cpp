#include "runtime/DateText.h"

#include <QTest>

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void dateTimeText_data();
    void dateTimeText();
};

void TestDateText::dateTimeText_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    const QDate independenceDay(2010, 7, 4);
    const QDate newYear(2011, 1, 23);
    QTest::newRow("United States afternoon") << QDateTime(independenceDay, QTime(15, 5, 9)) << "en_US" << "7/4/2010 3:05:09 PM";
    QTest::newRow("United States morning") << QDateTime(newYear, QTime(9, 30, 0)) << "en_US" << "1/23/2011 9:30:00 AM";
    QTest::newRow("United States noon") << QDateTime(independenceDay, QTime(12, 0, 0)) << "en_US" << "7/4/2010 12:00:00 PM";
    QTest::newRow("United States just after midnight") << QDateTime(independenceDay, QTime(0, 0, 1)) << "en_US" << "7/4/2010 12:00:01 AM";
    QTest::newRow("United States midnight shows the date alone") << QDateTime(independenceDay, QTime(0, 0, 0)) << "en_US" << "7/4/2010";
    QTest::newRow("C locale") << QDateTime(independenceDay, QTime(15, 5, 9)) << "C" << "7/4/2010 3:05:09 PM";
    QTest::newRow("C locale midnight") << QDateTime(independenceDay, QTime(0, 0, 0)) << "C" << "7/4/2010";
    QTest::newRow("UTC time shows no zone") << QDateTime(independenceDay, QTime(15, 5, 9), Qt::UTC) << "en_US" << "7/4/2010 3:05:09 PM";
    QTest::newRow("German year widened") << QDateTime(independenceDay, QTime(15, 5, 9), Qt::UTC) << "de_DE" << "04.07.2010 15:05:09";
    QTest::newRow("German midnight") << QDateTime(independenceDay, QTime(0, 0, 0)) << "de_DE" << "04.07.2010";
    QTest::newRow("British") << QDateTime(independenceDay, QTime(15, 5, 9), Qt::UTC) << "en_GB" << "04/07/2010 15:05:09";
    QTest::newRow("zone in parentheses") << QDateTime(independenceDay, QTime(15, 5, 9), Qt::UTC) << "es_ES" << "4/7/2010 15:05:09";
    QTest::newRow("zone before the time") << QDateTime(independenceDay, QTime(15, 5, 9), Qt::UTC) << "zh_CN" << "2010/7/4 15:05:09";
    QTest::newRow("quoted text kept") << QDateTime(independenceDay, QTime(15, 5, 9), Qt::UTC) << "bg_BG" << QStringLiteral(u"4.07.2010 \u0433. 15:05:09 \u0447.");
    QTest::newRow("invalid") << QDateTime() << "en_US" << "";
}

void TestDateText::dateTimeText()
{
    QFETCH(QDateTime, when);
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    QCOMPARE(runtime::dateTimeText(when, QLocale(locale)), expected);
}

QTEST_APPLESS_MAIN(TestDateText)
#include "tst_datetext.moc"
