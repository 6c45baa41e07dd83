#include "StandardErrorCapture.h"
#include "TemporaryPriceFile.h"

#include "catalogue/PriceTable.h"
#include "window/PriceReloader.h"

#include <QFile>
#include <QTest>

#include <cstdio>

using namespace testsupport;

namespace {

constexpr std::chrono::milliseconds Settling(100);

const QByteArray TwoBrands = "\"A1\",10,20,30,40,50\r\n\"A2\",11,21,31,41,51\r\n";
const QByteArray ThreeBrands = "\"B1\",65,80,55,90,75\r\n\"B2\",66,81,56,91,76\r\n\"B3\",67,82,57,92,77\r\n";
const QByteArray Faulty = "\"F\",1,2,3,4\r\n";

QByteArray contentsNamed(const QString &name)
{
    if (name == u"two")
        return TwoBrands;
    if (name == u"three")
        return ThreeBrands;
    return Faulty;
}

void writeTo(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    QVERIFY(file.open(mode));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

// A changed price file on the running kiosk, as staff, editors, copies and
// configuration management write it. The prices a customer can be quoted
// are always those of a file as its writer finished it.
class TestPriceReload : public QObject
{
    Q_OBJECT

private slots:
    void onlyAFinishedFileTakesEffect_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("takenIntoUse");
        QTest::addColumn<QStringList>("logged");

        const QString reloaded3 = QStringLiteral("Prices reloaded from %1: 3 brands.");
        const QString refusedFaulty = QStringLiteral(
            "The price file changed but the kiosk keeps the prices in use: Run-time error 62: Input past end of "
            "file: %1:1: Line 1 has 5 fields; each line holds a brand name and five prices, separated by commas.");
        const QString unfinished = QStringLiteral(
            "The price file changed but its last line has no line end yet, so it may still be being written; the "
            "kiosk keeps the prices in use until it has one: %1");

        QTest::newRow("a new file waits for an idle window")
            << QStringList{"busy", "rename three", "wait", "idle", "wait"} << QStringList{"B1 B2 B3"}
            << QStringList{reloaded3};
        // "glance" lets the change be noticed before the file settles, "read"
        // reads the file before the change is even noticed, and "apply" is
        // the idle window's next look for a waiting list.
        QTest::newRow("a waiting list goes once the file goes back to the prices in use")
            << QStringList{"busy", "rename three", "wait", "rename two", "glance", "apply", "wait"} << QStringList{}
            << QStringList{};
        QTest::newRow("a waiting list goes when a reading finds the prices in use")
            << QStringList{"busy", "rename three", "wait", "rename two", "read", "apply"} << QStringList{}
            << QStringList{};
        QTest::newRow("a waiting list goes when the file turns faulty")
            << QStringList{"busy", "rename three", "wait", "rename faulty", "read", "apply", "wait"} << QStringList{}
            << QStringList{refusedFaulty};
        QTest::newRow("a waiting list goes when the file is deleted")
            << QStringList{"busy", "rename three", "wait", "delete", "glance", "apply", "wait"} << QStringList{}
            << QStringList{"The price file changed but the kiosk keeps the prices in use: Run-time error 53: File "
                           "not found: %1: There is no file named BrandsPrices.txt in that folder."};
        QTest::newRow("a writer pausing in the middle of a line")
            << QStringList{"begin three", "wait", "wait", "end three", "wait"} << QStringList{"B1 B2 B3"}
            << QStringList{reloaded3};
        QTest::newRow("a writer that stopped in the middle of a line")
            << QStringList{"cut three", "wait", "wait", "rest three", "wait"} << QStringList{"B1 B2 B3"}
            << QStringList{unfinished, reloaded3};
        QTest::newRow("a whole file renamed over one a writer left open")
            << QStringList{"begin three", "wait", "rename three", "wait"} << QStringList{"B1 B2 B3"}
            << QStringList{reloaded3};
        QTest::newRow("pieces each within the settling time are read once")
            << QStringList{"pieces three", "wait"} << QStringList{"B1 B2 B3"} << QStringList{reloaded3};
        QTest::newRow("the same bytes written again")
            << QStringList{"write two", "wait"} << QStringList{} << QStringList{};
        QTest::newRow("another file changing in the folder")
            << QStringList{"neighbour", "wait"} << QStringList{} << QStringList{};
        QTest::newRow("a fault that comes back is told again")
            << QStringList{"rename faulty", "wait", "rename faulty", "wait", "rename three", "wait", "rename faulty",
                           "wait"}
            << QStringList{"B1 B2 B3"} << QStringList{refusedFaulty, reloaded3, refusedFaulty};
    }
    void onlyAFinishedFileTakesEffect()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, takenIntoUse);
        QFETCH(QStringList, logged);
        TemporaryPriceFile priceFile;
        const QString path = priceFile.path();
        priceFile.write(TwoBrands);
        bool idle = true;
        QStringList taken;
        StandardErrorCapture standardError;
        {
            window::PriceReloader reloader(
                path, [](const std::function<void()> &work) { work(); }, [&idle] { return idle; },
                [&taken](catalogue::Catalogue &&loaded, const QByteArray &) { taken << loaded.brands.join(u' '); });
            reloader.startFrom(TwoBrands);
            reloader.watch(Settling);
            QFile open(path);
            for (const QString &step : std::as_const(steps)) {
                const QString verb = step.section(u' ', 0, 0);
                const QByteArray bytes = contentsNamed(step.section(u' ', 1));
                // Cut where the last price of the last line is half written.
                const qsizetype cut = bytes.size() - 3;
                if (verb == u"busy" || verb == u"idle") {
                    idle = verb == u"idle";
                } else if (verb == u"wait") {
                    QTest::qWait(int(Settling.count()) * 4);
                } else if (verb == u"glance") {
                    QTest::qWait(int(Settling.count()) / 5);
                } else if (verb == u"read") {
                    reloader.readAgain();
                } else if (verb == u"apply") {
                    idle = true;
                    reloader.applyWhenIdle();
                } else if (verb == u"rename") {
                    const QString next = priceFile.folder() + QStringLiteral("/next.txt");
                    writeTo(next, bytes);
                    QVERIFY(std::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()) == 0);
                } else if (verb == u"write") {
                    writeTo(path, bytes);
                } else if (verb == u"begin") {
                    QVERIFY(open.open(QIODevice::WriteOnly));
                    open.write(bytes.left(cut));
                    open.flush();
                } else if (verb == u"end") {
                    open.write(bytes.mid(cut));
                    open.close();
                } else if (verb == u"cut") {
                    writeTo(path, bytes.left(cut));
                } else if (verb == u"rest") {
                    writeTo(path, bytes.mid(cut), QIODevice::Append);
                } else if (verb == u"pieces") {
                    writeTo(path, bytes.left(20));
                    for (qsizetype from = 20; from < bytes.size(); from += 20) {
                        QTest::qWait(int(Settling.count()) / 2);
                        writeTo(path, bytes.mid(from, 20), QIODevice::Append);
                    }
                } else if (verb == u"delete") {
                    QVERIFY(QFile::remove(path));
                } else if (verb == u"neighbour") {
                    writeTo(priceFile.folder() + QStringLiteral("/notes.txt"), "Order more laces.\n");
                } else {
                    QFAIL(qPrintable(QStringLiteral("no such step: ") + step));
                }
            }
        }
        QCOMPARE(taken, takenIntoUse);
        QStringList messages;
        for (const QString &line : QString::fromUtf8(standardError.text()).split(u'\n', Qt::SkipEmptyParts))
            messages << line.section(QStringLiteral(" pellory: "), 1);
        for (QString &line : logged)
            line = line.arg(path);
        QCOMPARE(messages, logged);
    }
};

QTEST_MAIN(TestPriceReload)
#include "tst_pricereload.moc"
