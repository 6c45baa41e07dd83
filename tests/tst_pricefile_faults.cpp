#include "FileContents.h"
#include "TemporaryPriceFile.h"
#include "TemporarySettings.h"
#include "WindowDriver.h"

#include "catalogue/PriceFile.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
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
const QByteArray Heading = "Brand,Cross Trainers,Basketball,Fitness,Running,Walking\r\n";

// A spreadsheet's "Unicode text": UTF-16 with a byte-order mark.
QByteArray utf16(const QString &text, QSysInfo::Endian order)
{
    QByteArray bytes = order == QSysInfo::LittleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(order == QSysInfo::LittleEndian ? low : high).append(order == QSysInfo::LittleEndian ? high : low);
    }
    return bytes;
}

// An export the spreadsheet programs wrote, committed with the script that made them.
QByteArray exported(const QString &name)
{
    QFile file(QStringLiteral(PELLORY_SPREADSHEET_EXPORTS "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
        const QString order = QStringLiteral("Cross Trainers, Basketball, Fitness, Running, Walking");
        QTest::newRow("heading naming the items in another order")
            << Setup::File << QByteArray("Brand,Basketball,Cross Trainers,Fitness,Running,Walking\r\n" + GoodLine)
            << 13 << "Type mismatch" << 1
            << "Line 1 is a heading row that names the items in another order; the kiosk reads the prices in the "
               "order " + order + ": put the columns in that order.";
        QTest::newRow("first line of words that is no heading")
            << Setup::File << QByteArray("\r\nName,Price 1,Price 2,Price 3,Price 4,Price 5\r\n" + GoodLine) << 13
            << "Type mismatch" << 2
            << "Line 2: \"Price\" is not a whole number of dollars. If line 2 is a heading row, it must name the five "
               "items in the order " + order + ", or be deleted.";
        QTest::newRow("semicolons between the fields")
            << Setup::File << QByteArray("Stridewell;65,50;80;55;90;60\r\n") << 13 << "Type mismatch" << 1
            << "Line 1 separates its fields with semicolons, where the kiosk needs commas; export the price list "
               "again with a comma as the field delimiter.";
        QTest::newRow("semicolons between the fields, as many decimal commas")
            << Setup::File << QByteArray("Stridewell;65,50;80,00;55,00;90,00;60,00\r\n") << 13 << "Type mismatch" << 1
            << "Line 1 separates its fields with semicolons, where the kiosk needs commas; export the price list "
               "again with a comma as the field delimiter.";
        QTest::newRow("prices but no name")
            << Setup::File << QByteArray(GoodLine + ",,,,,\r\n,0,95,0,85,0\r\n") << 13 << "Type mismatch" << 3
            << "Line 3 has prices but no brand name; write the brand's name before its prices, or delete the line.";
        QTest::newRow("tab-separated line cut short")
            << Setup::File << QByteArray("A\t1\t2\t3\t4\t5\r\nHarrow, Vane & Co.\t0\t120\r\n") << 62
            << "Input past end of file" << 2
            << "Line 2 has 3 fields; each line holds a brand name and five prices, separated by tabs.";
        QTest::newRow("comma in a quoted price that is no thousands separator")
            << Setup::File << QByteArray(GoodLine + "\"B\",\"65,50\",2,3,4,5\r\n") << 13 << "Type mismatch" << 2
            << "Line 2: \"65,50\" is not a whole number of dollars.";
        QTest::newRow("quoted price with a thousands separator out of place")
            << Setup::File << QByteArray(GoodLine + "\"B\",\"1,5000\",2,3,4,5\r\n") << 13 << "Type mismatch" << 2
            << "Line 2: \"1,5000\" is not a whole number of dollars.";
        QTest::newRow("dollar amount with a decimal comma")
            << Setup::File << QByteArray(GoodLine + "\"B\",\"$65,50\",2,3,4,5\r\n") << 13 << "Type mismatch" << 2
            << "Line 2: \"$65,50\" is not a whole number of dollars.";
        QTest::newRow("dollar amount above the highest price")
            << Setup::File << QByteArray("\"A\",\"$40,000.00\",2,3,4,5\r\n") << 6 << "Overflow" << 1
            << "Line 1: $40,000.00 is above the highest price, 32767.";
        QTest::newRow("name of 1001 characters outside the basic plane")
            << Setup::File << QByteArray("\"" + QByteArray("\xF0\x9F\x91\x9F").repeated(1001) + "\",1,2,3,4,5\r\n")
            << 6 << "Overflow" << 1 << "Line 1: the brand name is 1,001 characters long; a name may have at most 1,000.";
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
        const QByteArray before = snapshotOf(path);

        TemporarySettings settings;
        WindowDriver driver(path);
        QSignalSpy unloaded(&driver.form(), &frmMain::unloaded);
        QVERIFY(!driver.loadAndShow());

        QVERIFY(!driver.form().isVisible());
        QCOMPARE(unloaded.size(), 1);
        QVERIFY(unloaded.first().first().toInt() != 0);

        const QList<machine::ScriptedDialogs::Shown> &shown = driver.dialogs().shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, machine::ScriptedDialogs::Kind::Message);
        QCOMPARE(shown[0].title, QStringLiteral("The Pellory"));
        QCOMPARE(shown[0].icon, machine::Dialogs::Icon::Critical);
        const QString report = shown[0].prompt;
        const QString ownText = number == 53 ? QStringLiteral(" A file required by the Pellory ")
                                             : QStringLiteral(" An unexpected error has occurred.");
        QVERIFY2(report.startsWith(ownText), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("Run-time error '%1':\n\n%2\n").arg(number).arg(description)),
                 qPrintable(report));
        const QString where = QStringLiteral("\nFile: ") + QDir::toNativeSeparators(path)
            + (line > 0 ? QStringLiteral("\nLine: %1").arg(line) : QString());
        QVERIFY2(report.endsWith(where + QStringLiteral("\n\n") + sentence
                                 + QStringLiteral("\n\nTo list every faulty line of the price file, run pellory "
                                                  "--check in a terminal.")),
                 qPrintable(report));

        QCOMPARE(snapshotOf(path), before);
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
        QTest::newRow("brand name of 1000 characters outside the basic plane")
            << QByteArray(QByteArray("\xF0\x9F\x91\x9F").repeated(1000) + ",1,2,3,4,5\r\n") << 1
            << QString::fromUtf8(QByteArray("\xF0\x9F\x91\x9F").repeated(1000)) << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("spreadsheet \"Unicode text\": UTF-16 LE, heading, tabs, CR LF")
            << utf16(QStringLiteral("Brand\tCross Trainers\tBasketball\tFitness\tRunning\tWalking\r\n"
                                    "Harrow, Vane & Co.\t0\t120\t0\t105\t75\r\n"
                                    "\"The \"\"Best\"\" Shoe Co.\"\t84\t96\t62\t88\t57\r\n"
                                    "\t\t\t\t\t\r\n"
                                    "Grand Atelier\t$1,234.00\t\"$1,480.00\"\t990\t$ 1,100\t1050\r\n"),
                     QSysInfo::LittleEndian)
            << 3 << "Grand Atelier" << QList<int>{1234, 1480, 990, 1100, 1050};
        QTest::newRow("UTF-16 BE with byte-order mark")
            << utf16(QStringLiteral("\"Caf\u00e9\",1,2,3,4,5\n"), QSysInfo::BigEndian) << 1
            << QString::fromUtf8("Café") << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("spreadsheet CSV in UTF-8: byte-order mark, heading, currency, empty rows")
            << QByteArray("\xEF\xBB\xBF" + Heading + "\"Harrow, Vane & Co.\",0,120,0,105,75\r\n"
                          "Caf\xC3\xA9 \xC3\x89lan,$65.00,\"$1,480.00\",$ 60,-$0.40,\" 55.00 \"\r\n,,,,,\r\n,,,,,\r\n")
            << 2 << QString::fromUtf8("Café Élan") << QList<int>{65, 1480, 60, 0, 55};
        QTest::newRow("spreadsheet CSV in Windows-1252")
            << QByteArray(Heading + "Caf\xE9 \xC9lan,75,86,60,82,55\r\n") << 1 << QString::fromUtf8("Café Élan")
            << QList<int>{75, 86, 60, 82, 55};
        QTest::newRow("quote marks written twice inside a quoted name")
            << QByteArray(GoodLine + "\"The \"\"Best\"\" Shoe Co.\",84,96,62,88,57\r\n") << 2
            << "The \"Best\" Shoe Co." << QList<int>{84, 96, 62, 88, 57};
        QTest::newRow("quoted price with a thousands separator and cents")
            << QByteArray(GoodLine + "\"B\",\"1,480.00\",2,3,4,5\r\n") << 2 << "B" << QList<int>{1480, 2, 3, 4, 5};
        QTest::newRow("heading row in capitals")
            << QByteArray("BRAND,CROSS TRAINERS,BASKETBALL,FITNESS,RUNNING,WALKING\r\n" + GoodLine) << 1 << "A"
            << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("tab-separated, four thousands separators on the first line")
            << QByteArray("Grand Atelier\t$1,234.00\t$1,480.00\t$1,990\t$1,100\t1050\r\n") << 1 << "Grand Atelier"
            << QList<int>{1234, 1480, 1990, 1100, 1050};
        QTest::newRow("tab-separated, an empty row of fewer tabs")
            << QByteArray("A\t1\t2\t3\t4\t5\r\n\t\t\t\r\nB\t6\t7\t8\t9\t10\r\n") << 2 << "B"
            << QList<int>{6, 7, 8, 9, 10};
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
        QCOMPARE(driver.form().pricesInUse().size(), count);
        for (int item = 0; item < catalogue::ItemCount; ++item)
            QCOMPARE(int(driver.form().pricesInUse().price(item, count - 1)), lastPrices[item]);
        QCOMPARE(snapshotOf(priceFile->path()), bytes);
    }

    // The price list exported by the spreadsheet programs themselves loads
    // with the names and prices the spreadsheet holds. Prices the file
    // writes with cents are rounded, half to even, and each is reported.
    void spreadsheetExportsLoad_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("brands");
        QTest::addColumn<QStringList>("roundedPrices");
        QTest::addColumn<bool>("readAsWindows1252");

        // Line 12 of the spreadsheet is empty and takes no position.
        const QStringList asShown{
            "Stridewell 65 80 55 90 60",           "Kestrel Court 0 95 0 85 0",
            "Marlowe & Finch 0 110 70 99 0",       "Ottoline 72 88 64 79 58",
            "Bramblefoot 60 74 49 69 52",          "Harrow, Vane & Co. 0 120 0 105 75",
            "Quillback 0 89 0 92 0",               "Tessaro 0 99 0 89 0",
            "Northwind Runners 0 78 0 115 66",     "Lumen Sport 0 92 0 97 71",
            "The \"Best\" Shoe Co. 84 96 62 88 57", "Fenwick Athletic 69 83 59 94 63",
            "Caf\u00e9 \u00c9lan 75 86 60 82 55",   "Grand Atelier 1234 1480 990 1100 1050",
        };
        // Saved as values, the Fitness price the spreadsheet shows as 59 is 58.5.
        QStringList asValues = asShown;
        asValues[11] = QStringLiteral("Fenwick Athletic 69 83 58 94 63");
        const QStringList cents{"6: Cross Trainers 59.99 as 60"};
        const QStringList bothHalves{"6: Cross Trainers 59.99 as 60", "14: Fitness 58.5 as 58"};

        QTest::newRow("Calc, default settings") << "calc-default.csv" << asValues << bothHalves << true;
        QTest::newRow("Calc, recommended settings") << "calc-recommended.csv" << asShown << cents << false;
        QTest::newRow("Calc, tab-separated") << "calc-tab.txt" << asShown << cents << false;
        QTest::newRow("Calc, UTF-16 tab-separated") << "calc-unicode.txt" << asShown << cents << false;
        QTest::newRow("Gnumeric, default settings") << "gnumeric-default.csv" << asValues << bothHalves << false;
        QTest::newRow("Gnumeric, recommended settings") << "gnumeric-recommended.csv" << asShown << cents << false;
        QTest::newRow("Gnumeric, tab-separated") << "gnumeric-tab.txt" << asShown << cents << false;
    }
    void spreadsheetExportsLoad()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, brands);
        QFETCH(QStringList, roundedPrices);
        QFETCH(bool, readAsWindows1252);

        const QByteArray bytes = exported(file);
        QVERIFY2(!bytes.isEmpty(), qPrintable(file));
        const catalogue::PriceFileCheck check = catalogue::checkPriceFileBytes(bytes, file);
        QCOMPARE(check.faults.size(), 0);
        QCOMPARE(check.headingLine, 1);
        QCOMPARE(check.readAsWindows1252, readAsWindows1252);
        QStringList read;
        QStringList rounded;
        for (const catalogue::PriceRecord &record : check.records) {
            QString row = record.brand;
            for (const std::int16_t price : record.prices)
                row += u' ' + QString::number(price);
            read << row;
            for (const catalogue::PriceRecord::RoundedPrice &price : record.rounded)
                rounded << QStringLiteral("%1: %2 %3 as %4")
                               .arg(record.line)
                               .arg(catalogue::ItemNames[price.item], price.written)
                               .arg(record.prices[price.item]);
        }
        QCOMPARE(read, brands);
        QCOMPARE(rounded, roundedPrices);
        QCOMPARE(catalogue::parsePriceFile(bytes, file).roundedPrices, roundedPrices.size());
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
        QTest::newRow("Calc export with semicolons as field delimiter")
            << exported(QStringLiteral("calc-semicolon.csv"))
            << QStringList{"1: 62 Line 1 separates its fields with semicolons, where the kiosk needs commas; export "
                           "the price list again with a comma as the field delimiter."}
            << 16 << false << QList<int>{};
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
        } catch (const runtime::RuntimeError &error) {
            QVERIFY(!check.faults.isEmpty());
            QCOMPARE(error.line(), check.faults.first().line);
            QCOMPARE(error.number(), check.faults.first().errorNumber);
        }
    }
};

QTEST_MAIN(TestPriceFileFaults)
#include "tst_pricefile_faults.moc"
