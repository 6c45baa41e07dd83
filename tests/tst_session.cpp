#include "FileContents.h"
#include "StandardErrorCapture.h"
#include "TemporaryPriceFile.h"
#include "TemporarySettings.h"
#include "WindowDriver.h"

#include "machine/ErrorLog.h"
#include "runtime/NativePath.h"
#include "runtime/OleColor.h"
#include "runtime/RuntimeError.h"
#include "preferences/Preferences.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace testsupport;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

// A whole day's use of the window, from start to the staff exit. The price
// file is only ever read, and the settings store ends up holding the two
// preferences as last chosen and nothing else. This suite is also the session
// the memory check (scripts/checks/50-memcheck.sh) runs under valgrind.
class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void aWholeSessionLosesNoData()
    {
        TemporarySettings settings;
        settings.setValue(QStringLiteral("DateDisplay"), QStringLiteral("False"));
        settings.setValue(QStringLiteral("BackColor"), QStringLiteral("255"));
        TemporaryPriceFile priceFile;
        priceFile.write(samplePrices());
        const QByteArray prices = contentsOf(priceFile.path());
        const QString programFolder = QCoreApplication::applicationDirPath();
        const QStringList programFiles = filesIn(programFolder);

        StandardErrorCapture standardError;
        WindowDriver driver(priceFile.path());
        QSignalSpy unloaded(&driver.form(), &frmMain::unloaded);
        QVERIFY(driver.loadAndShow());
        QCOMPARE(driver.colourBehindControls(), QColor(255, 0, 0));

        driver.clickBrand(3);
        driver.tick(0);
        driver.tick(1);
        driver.choosePairs(3);
        driver.click(QStringLiteral("cmdCalculate"));
        QCOMPARE(driver.quoteText(), QStringLiteral("The cost of the selected sneaker(s) is $ 405.00"));
        QVERIFY(driver.quoteVisible());
        driver.click(QStringLiteral("cmdClearQuote"));
        driver.clickBrand(4);
        driver.click(QStringLiteral("cmdCalculate"));
        QCOMPARE(driver.quoteText(), QStringLiteral("The cost of the selected sneaker(s) is $ 37,035.00"));
        driver.click(QStringLiteral("cmdReset"));

        driver.dialogs().answerColor(std::nullopt);
        driver.trigger(QStringLiteral("mnuColorsCustom"));
        driver.dialogs().answerColor(QColor(0, 255, 0));
        driver.trigger(QStringLiteral("mnuColorsCustom"));
        driver.trigger(QStringLiteral("mnuColorsdefault"));
        driver.dialogs().answerColor(QColor(0, 0, 255));
        driver.trigger(QStringLiteral("mnuColorsCustom"));
        driver.trigger(QStringLiteral("mnuPreferencesDateandTimeOn"));
        driver.trigger(QStringLiteral("mnuPreferencesDateandTimeOff"));
        driver.trigger(QStringLiteral("mnuPreferencesDateandTimeOn"));
        driver.trigger(QStringLiteral("mnuHelpPelloryProgram"));

        driver.dialogs().answerInput(QStringLiteral("472916 "));
        driver.trigger(QStringLiteral("mnuFileExit"));
        QCOMPARE(unloaded.size(), 0);
        driver.dialogs().answerInput(QStringLiteral("472916"));
        driver.trigger(QStringLiteral("mnuFileExit"));
        QCOMPARE(unloaded.size(), 1);
        QCOMPARE(unloaded.first().first().toInt(), 0);
        QCOMPARE(driver.dialogs().messages().first(), QStringLiteral("Color change is canceled."));
        QCOMPARE(driver.dialogs().messages().last(), QStringLiteral("Thank you for using for using our program!"));

        // Nothing is written beside the program or beside the price file.
        QCOMPARE(contentsOf(priceFile.path()), prices);
        QCOMPARE(filesIn(priceFile.folder()), QStringList{QStringLiteral("BrandsPrices.txt")});
        QCOMPARE(filesIn(programFolder), programFiles);

        QCOMPARE(filesIn(QFileInfo(settings.filePath()).path()), QStringList{QStringLiteral("PELLORY.conf")});
        const QSettings store(settings.filePath(), QSettings::IniFormat);
        QCOMPARE(store.status(), QSettings::NoError);
        QCOMPARE(store.allKeys(), (QStringList{QStringLiteral("STARTUP/BackColor"), QStringLiteral("STARTUP/DateDisplay")}));
        QCOMPARE(store.value(QStringLiteral("STARTUP/BackColor")).toString(), QStringLiteral("16711680"));
        QCOMPARE(store.value(QStringLiteral("STARTUP/DateDisplay")).toString(), QStringLiteral("True"));
        QCOMPARE(standardError.text(), QByteArray());
    }

    // A kiosk's support staff may see no screen: a failed start-up leaves
    // exactly one line on standard error, and so does a price file whose
    // prices the kiosk rounds.
    void startUpLeavesOneLineOnStandardError_data()
    {
        QTest::addColumn<QByteArray>("prices");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QString>("message");

        QTest::newRow("faulty price file") << QByteArray("\"A\",1,2,3,4,5\r\n\"B\",1,2,x3,4,5\r\n") << false
                                           << "pellory: Run-time error 13: Type mismatch: PATH:2";
        QTest::newRow("prices with cents")
            << QByteArray("\"A\",1.5,2,3,4,5\r\n\"B\",1,2,\"$1,000.01\",4,5\r\n") << true
            << "pellory: 2 prices in PATH have cents and will be quoted rounded to whole dollars; run pellory "
               "--check to see which.";
    }
    void startUpLeavesOneLineOnStandardError()
    {
        QFETCH(QByteArray, prices);
        QFETCH(bool, loads);
        QFETCH(QString, message);

        TemporarySettings settings;
        TemporaryPriceFile priceFile;
        priceFile.write(prices);
        StandardErrorCapture standardError;
        {
            WindowDriver driver(priceFile.path());
            QCOMPARE(driver.loadAndShow(), loads);
        }
        const QString written = QString::fromUtf8(standardError.text());
        const QRegularExpression expected(
            QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d(Z|[+-]\d\d:\d\d) )")
            + QRegularExpression::escape(QString(message).replace(QStringLiteral("PATH"), priceFile.path()) + u'\n')
            + QStringLiteral(R"(\z)"));
        QVERIFY2(expected.match(written).hasMatch(), qPrintable(written));
    }

    // A new price file, put in place by a rename as editors and configuration
    // management do, takes effect once no brand is selected; a faulty one
    // never does, and a good one after it still does.
    void aNewPriceFileTakesEffectWhenNoBrandIsSelected_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::addColumn<bool>("messageOpen");
        QTest::newRow("the file beside the program") << false << false;
        // As installed: /opt/pellory/BrandsPrices.txt links to /etc/pellory.
        QTest::newRow("a link to a file in another folder") << true << false;
        QTest::newRow("a message box open, no brand selected") << false << true;
    }
    void aNewPriceFileTakesEffectWhenNoBrandIsSelected()
    {
        QFETCH(bool, throughLink);
        QFETCH(bool, messageOpen);
        TemporarySettings settings;
        TemporaryPriceFile priceFile;
        QTemporaryDir elsewhere;
        const QString realFile = throughLink ? elsewhere.filePath(QStringLiteral("BrandsPrices.txt")) : priceFile.path();
        const auto replaceBy = [&](const QByteArray &bytes) {
            const QString next = QFileInfo(realFile).path() + QStringLiteral("/next.txt");
            QFile file(next);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            QVERIFY(::rename(QFile::encodeName(next).constData(), QFile::encodeName(realFile).constData()) == 0);
        };
        replaceBy("\"Old\",10,20,30,40,50\r\n");
        if (throughLink)
            QVERIFY(QFile::link(realFile, priceFile.path()));
        configuration::ShopConfiguration shop;
        shop.priceFileSettling = std::chrono::milliseconds(50);
        StandardErrorCapture standardError;
        {
            WindowDriver driver(priceFile.path(), shop);
            QVERIFY(driver.loadAndShow());
            auto *list = driver.find<QListWidget>(QStringLiteral("lstBrands"));
            const auto brands = [list] {
                QStringList names;
                for (int row = 0; row < list->count(); ++row)
                    names << list->item(row)->text();
                return names;
            };
            QDialog message(&driver.form());
            message.setModal(true);
            if (messageOpen)
                message.show();
            else
                driver.clickBrand(0);
            replaceBy("\"New A\",11,21,31,41,51\r\n\"New B\",12,22,32,42,52\r\n");
            QTest::qWait(500);
            QCOMPARE(brands(), QStringList{"Old"});
            message.close();
            if (!messageOpen) {
                driver.tick(0);
                driver.choosePairs(1);
                driver.click(QStringLiteral("cmdCalculate"));
                QCOMPARE(driver.quoteText(), QStringLiteral("The cost of the selected sneaker(s) is $ 10.00"));
                driver.click(QStringLiteral("cmdReset"));
            }
            QTRY_COMPARE(brands(), (QStringList{"New A", "New B"}));
            driver.clickBrand(1);
            driver.tick(1);
            driver.choosePairs(1);
            driver.click(QStringLiteral("cmdCalculate"));
            QCOMPARE(driver.quoteText(), QStringLiteral("The cost of the selected sneaker(s) is $ 22.00"));
            driver.click(QStringLiteral("cmdReset"));

            replaceBy("\"Faulty\",1,2,3,4\r\n");
            QTest::qWait(500);
            QCOMPARE(brands(), (QStringList{"New A", "New B"}));
            replaceBy("\"Newest\",13,23,33,43,53\r\n");
            QTRY_COMPARE(brands(), QStringList{"Newest"});
        }
        const QStringList lines = QString::fromUtf8(standardError.text()).split(u'\n', Qt::SkipEmptyParts);
        QStringList messages;
        for (const QString &line : lines)
            messages << line.section(QStringLiteral(" pellory: "), 1);
        QCOMPARE(messages, (QStringList{
                               "Prices reloaded from " + priceFile.path() + ": 2 brands.",
                               "The price file changed but the kiosk keeps the prices in use: Run-time error 62: Input "
                               "past end of file: " + priceFile.path() + ":1: Line 1 has 5 fields; each line holds a "
                               "brand name and five prices, separated by commas.",
                               "Prices reloaded from " + priceFile.path() + ": 1 brand."}));
    }

    void aLogLineIsAlwaysOneLine()
    {
        // A line break in a file name must not split the line.
        const QDateTime noon(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
        QCOMPARE(machine::errorLogLine(noon, runtime::RuntimeError(runtime::ErrorNumber::FileNotFound).at("/a\nb", 0)),
                 QStringLiteral(R"(2026-12-07T12:00:00Z pellory: Run-time error 53: File not found: /a\x0ab)"));
        // Nor may characters that turn a line around or hide, or bytes of a
        // file name that are not UTF-8.
        const QString hiding = QStringLiteral("/a\u202Eb\u200B/") + runtime::pathFromNative("caf\xe9");
        QCOMPARE(machine::errorLogLine(noon, runtime::RuntimeError(runtime::ErrorNumber::FileNotFound).at(hiding, 0)),
                 QStringLiteral(R"(2026-12-07T12:00:00Z pellory: Run-time error 53: File not found: /a\u202eb\u200b/caf\xe9)"));
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
