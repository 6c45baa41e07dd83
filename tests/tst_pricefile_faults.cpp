#include "TemporaryPriceFile.h"
#include "TemporarySettings.h"
#include "WindowDriver.h"

#include "catalogue/PriceFile.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace testsupport;

// What stands where the program looks for BrandsPrices.txt.
enum class Setup { File, Missing, Folder, Unreadable, Oversized, LinkToPipe };
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

const QByteArray GoodLine = "\"A\",1,2,3,4,5\r\n";

// Whatever stands at `path`, so a test can tell that loading left it alone.
QByteArray snapshot(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "<link to " + info.symLinkTarget().toUtf8() + ">";
    if (info.size() > 32 * 1024 * 1024)
        return "<" + QByteArray::number(info.size()) + " bytes>";
    if (info.isDir())
        return QByteArrayLiteral("<folder>");
    QFile file(path);
    if (!file.exists())
        return QByteArrayLiteral("<missing>");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

class TestPriceFileFaults : public QObject
{
    Q_OBJECT

    // A fresh folder for each test: whatever a test leaves at the price
    // file's place goes with it.
    std::unique_ptr<TemporaryPriceFile> priceFile;

private slots:
    void init() { priceFile = std::make_unique<TemporaryPriceFile>(); }
    void cleanup() { priceFile.reset(); }

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
        QTest::addColumn<QString>("sentence");

        const QString layout = QStringLiteral("each line holds a brand name and five prices, separated by commas.");
        QTest::newRow("missing file") << Setup::Missing << QByteArray() << 53 << "File not found" << 0
                                      << "There is no file named BrandsPrices.txt in that folder.";
        QTest::newRow("folder named like the file") << Setup::Folder << QByteArray() << 75 << "Path/File access error"
                                                    << 0 << "BrandsPrices.txt is a folder; it must be a plain text file.";
        QTest::newRow("link to a named pipe")
            << Setup::LinkToPipe << QByteArray() << 75 << "Path/File access error" << 0
            << "BrandsPrices.txt is a device or a pipe, not a file; it must be a plain text file.";
        QTest::newRow("unreadable file") << Setup::Unreadable << GoodLine << 70 << "Permission denied" << 0
                                         << "This user may not read BrandsPrices.txt; let every user read it.";
        QTest::newRow("file over 64 MiB")
            << Setup::Oversized << QByteArray() << 6 << "Overflow" << 0
            << "BrandsPrices.txt is 67,108,865 bytes long; the largest file that is read is 64 MB (67,108,864 bytes).";
        QTest::newRow("price 32768") << Setup::File << QByteArray(GoodLine + "\"B\",1,32768,3,4,5\r\n") << 6
                                     << "Overflow" << 2 << "Line 2: 32768 is above the highest price, 32767.";
        QTest::newRow("price -32769") << Setup::File << QByteArray("\"A\",-32769,2,3,4,5\r\n") << 6 << "Overflow" << 1
                                      << "Line 1: -32769 is below the lowest price, -32768.";
        QTest::newRow("32768 records") << Setup::File << records(32768) << 6 << "Overflow" << 32768
                                       << "Line 32768 holds brand number 32,768; a price file may hold at most 32,767 brands.";
        QTest::newRow("32767 records and a short 32768th")
            << Setup::File << QByteArray(records(32767) + "\"Short\",1,2\r\n") << 62 << "Input past end of file"
            << 32768 << "Line 32768 has 3 fields; " + layout;
        QTest::newRow("number of several megabytes")
            << Setup::File << QByteArray("\"A\",1" + severalMegabytes('0') + ",2,3,4,5\r\n") << 6 << "Overflow" << 1
            << "Line 1: 1000000000000000000000000000000000000000... is above the highest price, 32767.";
        QTest::newRow("price not a number") << Setup::File << QByteArray(GoodLine + "\"B\",1,2,7O,4,5\r\n") << 13
                                            << "Type mismatch" << 2 << "Line 2: \"7O\" is not a whole number of dollars.";
        QTest::newRow("short line in the middle")
            << Setup::File << QByteArray(GoodLine + GoodLine + GoodLine + "\"D\",1,2,3,4\r\n" + GoodLine) << 62
            << "Input past end of file" << 4 << "Line 4 has 5 fields; " + layout;
        QTest::newRow("last line cut short, no final line end") << Setup::File << QByteArray(GoodLine + "\"B\",1,2,3")
                                                                << 62 << "Input past end of file" << 2
                                                                << "Line 2 has 4 fields; " + layout;
        QTest::newRow("seven fields in the middle")
            << Setup::File << QByteArray(GoodLine + "\"B\",1,2,3,4,5,6\r\n" + GoodLine) << 13 << "Type mismatch" << 2
            << "Line 2 has 7 fields; " + layout;
        QTest::newRow("trailing comma in the middle")
            << Setup::File << QByteArray(GoodLine + "\"B\",1,2,3,4,5,\r\n" + GoodLine) << 13 << "Type mismatch" << 2
            << "Line 2 ends with a comma, which starts a seventh field; " + layout;
        QTest::newRow("trailing comma on the last line")
            << Setup::File << QByteArray(GoodLine + "\"B\",1,2,3,4,5,\r\n") << 13 << "Type mismatch" << 2
            << "Line 2 ends with a comma, which starts a seventh field; " + layout;
        QTest::newRow("fault after a bare CR inside a quoted name")
            << Setup::File << QByteArray("\"A\rB\",1,2,3,4,5\r\n\"C\",1,2,x,4,5\r\n") << 13 << "Type mismatch" << 3
            << "Line 3: \"x\" is not a whole number of dollars.";
        QTest::newRow("brand name of 1001 characters")
            << Setup::File << QByteArray(GoodLine + "\"" + QByteArray(1001, 'n') + "\",1,2,3,4,5\r\n") << 6
            << "Overflow" << 2 << "Line 2: the brand name is 1,001 characters long; a name may have at most 1,000.";
        QTest::newRow("brand name of several megabytes")
            << Setup::File << QByteArray(severalMegabytes('n') + ",1,2,3,4,5\r\n") << 6 << "Overflow" << 1
            << "Line 1: the brand name is 3,145,728 characters long; a name may have at most 1,000.";
        QTest::newRow("Ctrl-Z followed by a record")
            << Setup::File << QByteArray(GoodLine + "\x1A\"B\",1,2,3,4,5\r\n") << 62 << "Input past end of file" << 2
            << "Line 2 holds an end-of-file mark (Ctrl-Z) with more text after it; delete the mark so that what "
               "follows it is read.";
        QTest::newRow("NUL byte in a price") << Setup::File << QByteArray("\"A\",1,2\0,3,4,5\r\n", 16) << 62
                                             << "Input past end of file" << 1
                                             << "Line 1 holds a NUL byte; save the file as plain text (UTF-8 or "
                                                "Windows-1252), not UTF-16.";
        QTest::newRow("last name with no closing quote")
            << Setup::File << QByteArray(GoodLine + "\"No closing quote,1,2,3,4,5\r\n") << 62 << "Input past end of file"
            << 2 << "Line 2: a double quote opens a field but nothing closes it; end the field with a second double "
                    "quote.";
        // The open name runs on to the next quote, the one that opens "C";
        // the C left over is then read where a price belongs.
        QTest::newRow("name with no closing quote before another record")
            << Setup::File << QByteArray(GoodLine + "\"No closing quote,1,2,3,4,5\r\n\"C\",1,2,3,4,5\r\n") << 13
            << "Type mismatch" << 3
            << "Line 3: \"C\"\" is not a whole number of dollars; note that the brand name that starts on line 2 "
               "runs on to this line inside its double quotes.";
    }
    void faultsStopStartUpWithOneReport()
    {
        QFETCH(Setup, setup);
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(int, line);
        QFETCH(QString, sentence);

        const QString path = priceFile->path();
        QTemporaryDir pipeFolder;
        if (setup == Setup::LinkToPipe) {
            const QString pipe = pipeFolder.filePath(QStringLiteral("prices.pipe"));
            QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
            QVERIFY(QFile::link(pipe, path));
        }
        if (setup == Setup::Oversized) {
            QFile oversized(path);
            QVERIFY(oversized.open(QIODevice::WriteOnly));
            QVERIFY(oversized.resize(64 * 1024 * 1024 + 1));
        }
        if (setup == Setup::Folder)
            QVERIFY(QDir().mkpath(path));
        if (setup == Setup::File || setup == Setup::Unreadable)
            priceFile->write(bytes);
        if (setup == Setup::Unreadable) {
            QVERIFY(QFile::setPermissions(path, {}));
            if (QFile(path).open(QIODevice::ReadOnly))
                QSKIP("file permissions do not stop this user from reading (running as root)");
        }
        const QByteArray before = snapshot(path);
        if (setup == Setup::Unreadable)
            QFile::setPermissions(path, {});

        TemporarySettings settings;
        WindowDriver driver(path);
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
        const QString where = QStringLiteral("\nFile: ") + QDir::toNativeSeparators(path)
            + (line > 0 ? QStringLiteral("\nLine: %1").arg(line) : QString());
        QVERIFY2(report.endsWith(where + QStringLiteral("\n\n") + sentence), qPrintable(report));

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
        QTest::newRow("brand name of 1000 characters") << QByteArray(QByteArray(1000, 'n') + ",1,2,3,4,5\r\n") << 1
                                                       << QString(1000, u'n') << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("Ctrl-Z followed by blanks and line ends")
            << QByteArray(GoodLine + "\x1A \t\r\n\r\n") << 1 << "A" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("fifth price left empty, no final line end") << QByteArray(GoodLine + "\"B\",1,2,3,4,") << 2
                                                                   << "B" << QList<int>{1, 2, 3, 4, 0};
    }
    void filesAtTheLimitsLoad()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(QString, lastBrand);
        QFETCH(QList<int>, lastPrices);

        priceFile->write(bytes);
        TemporarySettings settings;
        WindowDriver driver(priceFile->path());
        QVERIFY(driver.loadAndShow());
        QVERIFY(driver.dialogs().shown().isEmpty());

        auto *list = driver.find<QListWidget>(QStringLiteral("lstBrands"));
        QCOMPARE(list->count(), count);
        QCOMPARE(list->item(count - 1)->text(), lastBrand);
        QCOMPARE(driver.form().prices.size(), count);
        for (int item = 0; item < catalogue::ItemCount; ++item)
            QCOMPARE(int(driver.form().prices.price(item, count - 1)), lastPrices[item]);
        QCOMPARE(snapshot(priceFile->path()), bytes);
    }

    // The staff's check reads with the window's reader, goes on after each
    // faulty line and agrees with the window on the first fault.
    void checkListsEveryFaultyLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("firstFaults");
        QTest::addColumn<int>("faultCount");
        QTest::addColumn<bool>("moreFaults");
        QTest::addColumn<QList<int>>("recordLines");

        QTest::newRow("loadable, a name over two lines and a blank line")
            << QByteArray("\"A\rB\",1,2,3,4,5\r\n\r\nC,1,2,3,4,5") << QStringList() << 0 << false << QList<int>{1, 4};
        QTest::newRow("two faulty lines")
            << QByteArray(GoodLine + "B,1,2,3,4\r\n" + GoodLine + "D,1,x,3,4,5,6\r\nE,1,2,3,4,5")
            << QStringList{"2: 62 Line 2 has 5 fields; each line holds a brand name and five prices, separated by commas.",
                           "4: 13 Line 4: \"x\" is not a whole number of dollars."}
            << 2 << false << QList<int>{1, 3, 5};
        QTest::newRow("a NUL inside a quoted name over two lines")
            << QByteArray("\"A\r\n\0B\",1,2,3,4,5\r\nC,1,2,3,4,5\r\n", 32)
            << QStringList{"2: 62 Line 2 holds a NUL byte; save the file as plain text (UTF-8 or Windows-1252), not UTF-16."}
            << 1 << false << QList<int>{3};
        QTest::newRow("more than a hundred faulty lines")
            << QByteArray("x\r\n").repeated(150) << QStringList{
                   "1: 62 Line 1 has 1 field; each line holds a brand name and five prices, separated by commas."}
            << 100 << true << QList<int>{};
    }
    void checkListsEveryFaultyLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, firstFaults);
        QFETCH(int, faultCount);
        QFETCH(bool, moreFaults);
        QFETCH(QList<int>, recordLines);

        const catalogue::PriceFileCheck check = catalogue::checkPriceFileBytes(bytes, QStringLiteral("p.txt"));
        QStringList faults;
        for (const catalogue::LineFault &fault : check.faults)
            faults << QStringLiteral("%1: %2 %3").arg(fault.line).arg(fault.errorNumber).arg(fault.sentence);
        QCOMPARE(faults.mid(0, firstFaults.size()), firstFaults);
        QCOMPARE(faults.size(), faultCount);
        QCOMPARE(check.moreFaults, moreFaults);
        QList<int> lines;
        for (const catalogue::PriceRecord &record : check.records)
            lines << record.line;
        QCOMPARE(lines, recordLines);

        try {
            catalogue::parsePriceFile(bytes, QStringLiteral("p.txt"));
            QVERIFY(firstFaults.isEmpty());
        } catch (const platform::RuntimeError &error) {
            QVERIFY(!check.faults.isEmpty());
            QCOMPARE(error.line(), check.faults.first().line);
            QCOMPARE(error.number(), check.faults.first().errorNumber);
        }
    }
};

QTEST_MAIN(TestPriceFileFaults)
#include "tst_pricefile_faults.moc"
