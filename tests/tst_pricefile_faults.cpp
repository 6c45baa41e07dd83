#include "WindowDriver.h"

#include "catalogue/PriceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace testsupport;

// What stands where the program looks for BrandsPrices.txt.
enum class Setup { File, Missing, Folder, Unreadable };
Q_DECLARE_METATYPE(Setup)

namespace {

QByteArray records(int count)
{
    QByteArray bytes;
    bytes.reserve(count * 28);
    for (int i = 0; i < count; ++i)
        bytes += "\"Brand " + QByteArray::number(i) + "\",1,2,3,4," + QByteArray::number(i % 32768) + "\r\n";
    return bytes;
}

QByteArray severalMegabytes(char c)
{
    return QByteArray(3 * 1024 * 1024, c);
}

// Whatever stands at `path`, so a test can tell that loading left it alone.
QByteArray snapshot(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QByteArrayLiteral("<folder>");
    QFile file(path);
    if (!file.exists())
        return QByteArrayLiteral("<missing>");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void clearPricePath()
{
    const QString path = priceFilePath();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

} // namespace

class TestPriceFileFaults : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearPricePath(); }
    void cleanup() { clearPricePath(); }

    // Each fault stops start-up with one report naming the error, the file
    // and the line; the window never shows, the program ends with a failure
    // status, and neither the price file nor the settings are touched.
    void faultsStopStartUpWithOneReport_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("line");

        QTest::newRow("missing file") << Setup::Missing << QByteArray() << 53 << "File not found" << 0;
        QTest::newRow("folder named like the file") << Setup::Folder << QByteArray() << 75
                                                    << "Path/File access error" << 0;
        QTest::newRow("unreadable file") << Setup::Unreadable << QByteArray("\"A\",1,2,3,4,5\r\n") << 70
                                         << "Permission denied" << 0;
        QTest::newRow("price 32768") << Setup::File << QByteArray("\"A\",1,2,3,4,5\r\n\"B\",1,32768,3,4,5\r\n") << 6
                                     << "Overflow" << 2;
        QTest::newRow("price -32769") << Setup::File << QByteArray("\"A\",-32769,2,3,4,5\r\n") << 6 << "Overflow"
                                      << 1;
        QTest::newRow("32768 records") << Setup::File << records(32768) << 6 << "Overflow" << 32768;
        QTest::newRow("number of several megabytes")
            << Setup::File << QByteArray("\"A\",1" + severalMegabytes('0') + ",2,3,4,5\r\n") << 6 << "Overflow" << 1;
        QTest::newRow("price not a number") << Setup::File << QByteArray("\"A\",1,2,3,4,5\r\n\"B\",1,2,x3,4,5\r\n")
                                            << 13 << "Type mismatch" << 2;
        QTest::newRow("record cut short") << Setup::File << QByteArray("\"A\",1,2,3,4,5\r\n\"B\",1,2,3\r\n") << 62
                                          << "Input past end of file" << 2;
        QTest::newRow("last record cut short, no final line end")
            << Setup::File << QByteArray("\"A\",1,2,3,4,5\r\n\"B\",1,2,3") << 62 << "Input past end of file" << 2;
        QTest::newRow("NUL byte in a price") << Setup::File << QByteArray("\"A\",1,2\0,3,4,5\r\n", 16) << 62
                                             << "Input past end of file" << 1;
        QTest::newRow("NUL byte in a name") << Setup::File
                                            << QByteArray("\"A\",1,2,3,4,5\r\n\r\n\"B\0\",1,2,3,4,5\r\n", 33) << 62
                                            << "Input past end of file" << 3;
        QTest::newRow("last name with no closing quote")
            << Setup::File << QByteArray("\"A\",1,2,3,4,5\r\n\"No closing quote,1,2,3,4,5\r\n") << 62
            << "Input past end of file" << 2;
        // The open name runs on to the next quote, the one that opens "C";
        // the "C" left over is then read where a price belongs.
        QTest::newRow("name with no closing quote before another record")
            << Setup::File << QByteArray("\"A\",1,2,3,4,5\r\n\"No closing quote,1,2,3,4,5\r\n\"C\",1,2,3,4,5\r\n")
            << 13 << "Type mismatch" << 3;
    }
    void faultsStopStartUpWithOneReport()
    {
        QFETCH(Setup, setup);
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(int, line);

        const QString path = priceFilePath();
        if (setup == Setup::Folder)
            QVERIFY(QDir().mkpath(path));
        if (setup == Setup::File || setup == Setup::Unreadable)
            writePriceFile(bytes);
        if (setup == Setup::Unreadable) {
            QVERIFY(QFile::setPermissions(path, {}));
            if (QFile(path).open(QIODevice::ReadOnly))
                QSKIP("file permissions do not stop this user from reading (running as root)");
        }
        const QByteArray before = snapshot(path);
        if (setup == Setup::Unreadable)
            QFile::setPermissions(path, {});

        TemporarySettings settings;
        WindowDriver driver;
        QSignalSpy unloaded(&driver.form(), &frmMain::unloaded);
        QVERIFY(!driver.loadAndShow());

        QVERIFY(!driver.form().isVisible());
        QCOMPARE(unloaded.size(), 1);
        QVERIFY(unloaded.first().first().toInt() != 0);

        const QList<platform::ScriptedDialogs::Shown> &shown = driver.dialogs().shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, platform::ScriptedDialogs::Kind::Message);
        QCOMPARE(shown[0].title, QStringLiteral("The Pellory"));
        QCOMPARE(shown[0].icon, platform::Dialogs::Icon::Critical);
        const QString report = shown[0].prompt;
        const QString ownText = number == 53 ? QStringLiteral(" A file required by the Pellory ")
                                             : QStringLiteral(" An unexpected error has occurred.");
        QVERIFY2(report.startsWith(ownText), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("Run-time error '%1':\n\n%2\n").arg(number).arg(description)),
                 qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("File: ") + QDir::toNativeSeparators(path)), qPrintable(report));
        if (line > 0)
            QVERIFY2(report.endsWith(QStringLiteral("\nLine: %1").arg(line)), qPrintable(report));
        else
            QVERIFY2(!report.contains(QStringLiteral("Line:")), qPrintable(report));

        QCOMPARE(snapshot(path), before);
        // Start-up stopped before the clock setting is written again.
        QVERIFY(!QFile::exists(settings.filePath()));
    }

    // Files at the limits of what the reader accepts load in full.
    void filesAtTheLimitsLoad_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("lastBrand");
        QTest::addColumn<QList<int>>("lastPrices");

        QTest::newRow("32767 records") << records(32767) << 32767 << "Brand 32766" << QList<int>{1, 2, 3, 4, 32766};
        QTest::newRow("prices at the 16-bit edges") << QByteArray("\"Edge\",32767,-32768,0,1,-1\r\n") << 1 << "Edge"
                                                    << QList<int>{32767, -32768, 0, 1, -1};
        QTest::newRow("line of several megabytes of blanks")
            << QByteArray("\"Wide\"," + severalMegabytes(' ') + "1,2," + severalMegabytes('\t') + "3,4,5\r\n") << 1
            << "Wide" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("invalid UTF-8 read as Windows-1252")
            << QByteArray("\"Caf\xe9 \x80 \x93Pro\x94\",1,2,3,4,5\r\n") << 1
            << QString::fromUtf8("Café € “Pro”") << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xef\xbb\xbf\"Caf\xc3\xa9\",1,2,3,4,5\r\n") << 1
                                                    << QString::fromUtf8("Café") << QList<int>{1, 2, 3, 4, 5};
    }
    void filesAtTheLimitsLoad()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(QString, lastBrand);
        QFETCH(QList<int>, lastPrices);

        writePriceFile(bytes);
        TemporarySettings settings;
        WindowDriver driver;
        QVERIFY(driver.loadAndShow());
        QVERIFY(driver.dialogs().shown().isEmpty());

        auto *list = driver.find<QListWidget>(QStringLiteral("lstBrands"));
        QCOMPARE(list->count(), count);
        QCOMPARE(list->item(count - 1)->text(), lastBrand);
        QCOMPARE(driver.form().prices.size(), count);
        for (int item = 0; item < catalogue::ItemCount; ++item)
            QCOMPARE(int(driver.form().prices.price(item, count - 1)), lastPrices[item]);
        QCOMPARE(snapshot(priceFilePath()), bytes);
    }

    // A brand name of several megabytes is kept whole; checked on the reader,
    // since the list would only lay out the text.
    void aBrandNameOfSeveralMegabytesIsKept()
    {
        const QByteArray name = severalMegabytes('x');
        writePriceFile("\"" + name + "\",1,2,3,4,5\r\n\"Next\",6,7,8,9,10\r\n");
        const catalogue::Catalogue loaded = catalogue::readPriceFile(priceFilePath());
        QCOMPARE(loaded.brands.size(), 2);
        QCOMPARE(loaded.brands[0].size(), name.size());
        QCOMPARE(loaded.brands[1], QStringLiteral("Next"));
        QCOMPARE(int(loaded.prices.price(catalogue::Walking, 1)), 10);
    }
};

QTEST_MAIN(TestPriceFileFaults)
#include "tst_pricefile_faults.moc"
