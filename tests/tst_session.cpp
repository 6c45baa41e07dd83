#include "WindowDriver.h"

#include "platform/OleColor.h"
#include "preferences/Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace testsupport;

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
        {
            QSettings store(settings.filePath(), QSettings::IniFormat);
            store.setValue(QStringLiteral("STARTUP/DateDisplay"), QStringLiteral("False"));
            store.setValue(QStringLiteral("STARTUP/BackColor"), QStringLiteral("255"));
        }
        writePriceFile(samplePrices());
        const QByteArray prices = contentsOf(priceFilePath());
        const QString programFolder = QCoreApplication::applicationDirPath();
        const QStringList programFiles = filesIn(programFolder);

        WindowDriver driver;
        QSignalSpy unloaded(&driver.form(), &frmMain::unloaded);
        QVERIFY(driver.loadAndShow());
        QCOMPARE(driver.form().lngBackColor, 255);

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

        QCOMPARE(contentsOf(priceFilePath()), prices);
        QCOMPARE(filesIn(programFolder), programFiles);

        QCOMPARE(filesIn(QFileInfo(settings.filePath()).path()), QStringList{QStringLiteral("PELLORY.conf")});
        const QSettings store(settings.filePath(), QSettings::IniFormat);
        QCOMPARE(store.status(), QSettings::NoError);
        QCOMPARE(store.allKeys(), (QStringList{QStringLiteral("STARTUP/BackColor"), QStringLiteral("STARTUP/DateDisplay")}));
        QCOMPARE(store.value(QStringLiteral("STARTUP/BackColor")).toString(), QStringLiteral("16711680"));
        QCOMPARE(store.value(QStringLiteral("STARTUP/DateDisplay")).toString(), QStringLiteral("True"));
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
