#include "FileContents.h"
#include "ProgramRun.h"

#include "machine/ServiceManager.h"
#include "window/KioskStatus.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using namespace testsupport;

namespace {

// The socket systemd would listen on, made by the test in its own folder (or
// in the abstract namespace), non-blocking, closed with the object.
class ListeningSocket
{
public:
    explicit ListeningSocket(const QByteArray &name) : m_fd(::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        if (name.startsWith('@'))
            address.sun_path[0] = '\0';
        m_bound = ::bind(m_fd, reinterpret_cast<sockaddr *>(&address),
                         socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size())))
                  == 0;
    }
    ~ListeningSocket() { ::close(m_fd); }
    bool isBound() const { return m_bound; }

    // Every datagram that arrives until `until` has been received or `wait` passed.
    QStringList receive(std::chrono::milliseconds wait, const QString &until = {})
    {
        QStringList received;
        const QDeadlineTimer deadline(wait);
        while (!deadline.hasExpired() && (until.isEmpty() || !received.contains(until))) {
            char buffer[4096];
            const ssize_t size = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (size >= 0)
                received << QString::fromUtf8(buffer, size);
            else
                QTest::qWait(20);
        }
        return received;
    }

private:
    int m_fd;
    bool m_bound = false;
};

} // namespace

class TestService : public QObject
{
    Q_OBJECT

private slots:
    void statusText_data()
    {
        QTest::addColumn<int>("brands");
        QTest::addColumn<bool>("reloaded");
        QTest::addColumn<QString>("expected");

        QTest::newRow("loaded at start-up")
            << 13 << false
            << "13 brands from /etc/pellory/BrandsPrices.txt, SHA-256 b874149aa539, loaded 2026-12-07 16:00:05";
        QTest::newRow("one brand, reloaded")
            << 1 << true << "1 brand from /etc/pellory/BrandsPrices.txt, SHA-256 b874149aa539, reloaded 2026-12-07 16:00:05";
    }
    void statusText()
    {
        QFETCH(int, brands);
        QFETCH(bool, reloaded);
        QFETCH(QString, expected);
        window::PricesShown shown;
        shown.brandCount = brands;
        shown.priceFile = "/etc/pellory/BrandsPrices.txt";
        shown.sha256 = QByteArray::fromHex("b874149aa5391639c900a78e5ce74ce14cfb6108b750533d1cbbdcb2b6c2bacc");
        shown.takenIntoUse = QDateTime(QDate(2026, 12, 7), QTime(16, 0, 5));
        shown.reloaded = reloaded;
        QCOMPARE(window::kioskStatusText(shown), expected);
    }

    // What a process started like the kiosk tells the socket its environment
    // names; the variables are gone from the environment after they are read.
    void notifications_data()
    {
        QTest::addColumn<QString>("socketName");
        QTest::addColumn<QString>("watchdogPid");
        QTest::addColumn<QStringList>("expected");

        const QStringList all{"READY=1", "STATUS=13 brands", "WATCHDOG=1"};
        QTest::newRow("a socket in a folder") << "folder" << "" << all;
        QTest::newRow("a socket in the abstract namespace") << "@abstract" << "" << all;
        QTest::newRow("the watchdog named for this process") << "folder" << "self" << all;
        QTest::newRow("the watchdog named for another process")
            << "folder" << "1" << QStringList{"READY=1", "STATUS=13 brands"};
        QTest::newRow("outside systemd nothing is sent") << "" << "" << QStringList();
    }
    void notifications()
    {
        QFETCH(QString, socketName);
        QFETCH(QString, watchdogPid);
        QFETCH(QStringList, expected);

        QTemporaryDir folder;
        const QByteArray name = socketName == "folder"
                                    ? QFile::encodeName(folder.filePath("notify"))
                                    : "@pellory-test-" + QByteArray::number(::getpid());
        ListeningSocket listener(name);
        QVERIFY(listener.isBound());
        if (!socketName.isEmpty())
            qputenv("NOTIFY_SOCKET", name);
        qputenv("WATCHDOG_USEC", "200000");
        if (!watchdogPid.isEmpty())
            qputenv("WATCHDOG_PID", watchdogPid == "self" ? QByteArray::number(::getpid()) : watchdogPid.toLatin1());

        machine::ServiceManager manager(machine::takeServiceManagerAddress());
        QVERIFY(!qEnvironmentVariableIsSet("NOTIFY_SOCKET"));
        QVERIFY(!qEnvironmentVariableIsSet("WATCHDOG_USEC"));
        QVERIFY(!qEnvironmentVariableIsSet("WATCHDOG_PID"));
        manager.notifyReady();
        manager.notifyStatus("13 brands");
        // Half the watchdog's 200 ms, so at least two keep-alives in 300 ms.
        QStringList received = listener.receive(std::chrono::milliseconds(300));
        received.removeDuplicates();
        QCOMPARE(received, expected);
    }

    // The built program under a service manager: ready once its window is up,
    // then what it shows, then alive.
    void programTellsWhatItShows()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(PELLORY_PROGRAM, folder.filePath("pellory")));
        QVERIFY(writeFile(folder.filePath("BrandsPrices.txt"), "\"Alpha\",1,2,3,4,5\r\n\"Beta\",6,7,8,9,10\r\n"));
        ListeningSocket listener(QFile::encodeName(folder.filePath("notify")));
        QVERIFY(listener.isBound());

        QProcessEnvironment environment = programEnvironment(folder.filePath("config"));
        environment.insert("NOTIFY_SOCKET", folder.filePath("notify"));
        environment.insert("WATCHDOG_USEC", "400000");
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(folder.filePath("pellory"), {});
        QVERIFY(program.waitForStarted());
        const QStringList received = listener.receive(std::chrono::seconds(30), "WATCHDOG=1");
        program.terminate();
        QVERIFY(program.waitForFinished());

        QCOMPARE(received.value(0), QString("READY=1"));
        QVERIFY2(received.value(1).startsWith("STATUS=2 brands from " + folder.filePath("BrandsPrices.txt")
                                              + ", SHA-256 b874149aa539, loaded 20"),
                 qPrintable(received.join('\n')));
        QVERIFY(received.contains("WATCHDOG=1"));
    }
};

QTEST_GUILESS_MAIN(TestService)
#include "tst_service.moc"
