#include "FileContents.h"
#include "StandardErrorCapture.h"
#include "WindowFixture.h"

#include "machine/ConfigFolder.h"
#include "runtime/OleColor.h"
#include "preferences/Preferences.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <unistd.h>

using namespace testsupport;

// Why the settings store cannot be written.
enum class Blocked {
    ReadOnlyFile,
    UnreadableFile,
    FolderCannotBeCreated,
    LinkToDevice,
    Pipe,
    Folder,
    TooLarge,
    // Something other than a free lock at the lock file's path, PELLORY.conf.lock.
    LockPipe,
    LockFolder,
    LockDanglingLink,
    LockLinkToDevice,
    LockFromAnotherHost,
    LockFromAnotherHostAhead,
};
Q_DECLARE_METATYPE(Blocked)

namespace {

constexpr std::int32_t Blue = 0x00FF0000;

// A device of the test's own, with the numbers of the null device; false
// when this user may not make one.
bool makeNullDevice(const QString &path)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

// True when the current user can still write `path` despite its permissions,
// as root can.
bool permissionsIgnored(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite);
}

} // namespace

class TestSettingsFaults : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void init() { freshSettings(); }
    void cleanup()
    {
        QFile::setPermissions(settings->filePath(), QFile::ReadOwner | QFile::WriteOwner);
        closeWindow();
    }

    // A damaged store never keeps the window from opening: each value that
    // does not convert falls back to its default, and start-up writes the
    // clock setting again in its proper form.
    void damagedStoreFallsBackToDefaults_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("dateDisplay");
        QTest::addColumn<QColor>("backColor");

        const QColor face = WindowDriver::buttonFace();
        QTest::newRow("garbage bytes") << QByteArray("\x00\xff\xfe[[\x01=\x02\n\x80\x81\x82=\r\r\x00\x1a", 17) << false
                                       << face;
        QTest::newRow("values of the wrong kind") << QByteArray("[STARTUP]\nDateDisplay=maybe\nBackColor=red\n")
                                                  << false << face;
        QTest::newRow("empty values") << QByteArray("[STARTUP]\nDateDisplay=\nBackColor=\n") << false << face;
        QTest::newRow("colour beyond 32 bits") << QByteArray("[STARTUP]\nDateDisplay=True\nBackColor=4294967296\n")
                                               << true << face;
        QTest::newRow("colour as a list") << QByteArray("[STARTUP]\nBackColor=255, 0\n") << false << face;
        QTest::newRow("values in the runtime's number forms")
            << QByteArray("[STARTUP]\nDateDisplay=(1)\nBackColor=&HFF00\n") << true << QColor(0, 255, 0);
        QTest::newRow("black, stored before it was refused") << QByteArray("[STARTUP]\nBackColor=0\n") << false
                                                              << face;
        QTest::newRow("dark navy, stored before it was refused")
            << QByteArray("[STARTUP]\nBackColor=8388608\n") << false << face;
        QTest::newRow("the system's caption colour") << QByteArray("[STARTUP]\nBackColor=&H80000012\n") << false
                                                      << face;
        QTest::newRow("pure blue stays") << QByteArray("[STARTUP]\nBackColor=16711680\n") << false << QColor(0, 0, 255);
        QTest::newRow("good values beside a damaged line")
            << QByteArray("[STARTUP]\n\x01\x02 no key here\nDateDisplay=True\nBackColor=255\n") << true << QColor(255, 0, 0);
    }
    void damagedStoreFallsBackToDefaults()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, dateDisplay);
        QFETCH(QColor, backColor);

        QVERIFY(writeFile(settings->filePath(), contents));
        WindowDriver driver(prices.path());
        QVERIFY(driver.loadAndShow());
        QVERIFY(driver.dialogs().shown().isEmpty());
        QCOMPARE(driver.action(QStringLiteral("mnuPreferencesDateandTimeOn"))->isChecked(), dateDisplay);
        QCOMPARE(driver.colourBehindControls(), backColor);
        QCOMPARE(driver.action(QStringLiteral("mnuPreferencesDateandTimeOn"))->isChecked(), dateDisplay);
        QCOMPARE(settings->value(preferences::DateDisplayKey), dateDisplay ? QStringLiteral("True") : QStringLiteral("False"));
    }

    // A store that cannot be written does not stop the program: the window
    // opens, a chosen colour and clock hold for this run, no message appears,
    // and the store is left exactly as it was.
    void unwritableStoreKeepsChoicesForThisRun_data()
    {
        QTest::addColumn<Blocked>("blocked");
        QTest::addColumn<bool>("storedValuesRead");

        QTest::newRow("read-only file") << Blocked::ReadOnlyFile << true;
        QTest::newRow("unreadable file") << Blocked::UnreadableFile << false;
        QTest::newRow("folder cannot be created") << Blocked::FolderCannotBeCreated << false;
        QTest::newRow("link to a device") << Blocked::LinkToDevice << false;
        QTest::newRow("named pipe") << Blocked::Pipe << false;
        QTest::newRow("folder") << Blocked::Folder << false;
        QTest::newRow("file over 1 MiB") << Blocked::TooLarge << false;
        QTest::newRow("named pipe as lock") << Blocked::LockPipe << true;
        QTest::newRow("folder as lock") << Blocked::LockFolder << true;
        QTest::newRow("dangling link as lock") << Blocked::LockDanglingLink << true;
        QTest::newRow("link to a device as lock") << Blocked::LockLinkToDevice << true;
        QTest::newRow("lock left by another host") << Blocked::LockFromAnotherHost << true;
        QTest::newRow("lock of another host, clock 28 s ahead") << Blocked::LockFromAnotherHostAhead << true;
    }
    void unwritableStoreKeepsChoicesForThisRun()
    {
        QFETCH(Blocked, blocked);
        QFETCH(bool, storedValuesRead);

        const QByteArray stored("[STARTUP]\nDateDisplay=True\nBackColor=255\n");
        QString storePath = settings->filePath();
        const QString lockPath = storePath + QStringLiteral(".lock");
        const QByteArray lockPathNative = QFile::encodeName(lockPath);
        const QByteArray otherHostsLock("99999\npellory\notherhost\n");
        switch (blocked) {
        case Blocked::LockPipe:
            QCOMPARE(::mkfifo(lockPathNative.constData(), 0600), 0);
            break;
        case Blocked::LockFolder:
            QVERIFY(QDir().mkpath(lockPath));
            break;
        case Blocked::LockDanglingLink:
            QCOMPARE(::symlink("nowhere", lockPathNative.constData()), 0);
            break;
        case Blocked::LockLinkToDevice:
            if (!makeNullDevice(storePath + QStringLiteral(".device")))
                QSKIP("making a device node needs root");
            QVERIFY(QFile::link(storePath + QStringLiteral(".device"), lockPath));
            break;
        case Blocked::LockFromAnotherHost:
            QVERIFY(writeFile(lockPath, otherHostsLock));
            break;
        case Blocked::LockFromAnotherHostAhead: {
            QVERIFY(writeFile(lockPath, otherHostsLock));
            const timeval ahead{::time(nullptr) + 28, 0};
            const timeval times[2] = {ahead, ahead};
            QCOMPARE(::utimes(lockPathNative.constData(), times), 0);
            break;
        }
        default:
            break;
        }
        const bool lockBlocked = QFileInfo(lockPath).isSymLink() || QFileInfo::exists(lockPath);
        if (lockBlocked) {
            QVERIFY(writeFile(storePath, stored));
        } else if (blocked == Blocked::TooLarge) {
            QVERIFY(writeFile(storePath, stored + QByteArray(1024 * 1024, ';')));
        } else if (blocked == Blocked::FolderCannotBeCreated) {
            // The settings folder's place is taken by a file, so neither the
            // folder nor the store in it can ever be made.
            const QString blocker = QFileInfo(storePath).dir().filePath(QStringLiteral("blocker"));
            QVERIFY(writeFile(blocker, "not a folder"));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker + QStringLiteral("/config")));
            storePath = blocker + QStringLiteral("/config/PELLORY.conf");
        } else if (blocked == Blocked::LinkToDevice) {
            // A device of the store's own, with the numbers of the null device.
            const QString device = QFileInfo(storePath).dir().filePath(QStringLiteral("device"));
            if (!makeNullDevice(device))
                QSKIP("making a device node needs root");
            QVERIFY(QFile::link(device, storePath));
        } else if (blocked == Blocked::Pipe) {
            QCOMPARE(::mkfifo(QFile::encodeName(storePath).constData(), 0600), 0);
        } else if (blocked == Blocked::Folder) {
            QVERIFY(QDir().mkpath(storePath));
        } else {
            QVERIFY(writeFile(storePath, stored));
            QVERIFY(QFile::setPermissions(storePath, blocked == Blocked::ReadOnlyFile ? QFile::ReadOwner
                                                                                      : QFile::Permissions()));
            if (permissionsIgnored(storePath))
                QSKIP("file permissions do not stop this user from writing (running as root)");
        }
        const QByteArray before = snapshotOf(storePath);
        const QByteArray lockBefore = snapshotOf(lockPath);

        StandardErrorCapture standardError;
        WindowDriver driver(prices.path());
        QElapsedTimer waited;
        waited.start();
        QVERIFY(driver.loadAndShow());
        QCOMPARE_LT(waited.elapsed(), 1000);
        QCOMPARE(driver.colourBehindControls(), storedValuesRead ? QColor(255, 0, 0) : WindowDriver::buttonFace());
        QCOMPARE(driver.action(QStringLiteral("mnuPreferencesDateandTimeOn"))->isChecked(), storedValuesRead);

        driver.dialogs().answerColor(runtime::colorFromValue(Blue, {}));
        waited.restart();
        driver.trigger(QStringLiteral("mnuColorsCustom"));
        QCOMPARE_LT(waited.elapsed(), 1000);
        waited.restart();
        driver.trigger(storedValuesRead ? QStringLiteral("mnuPreferencesDateandTimeOff")
                                        : QStringLiteral("mnuPreferencesDateandTimeOn"));
        QCOMPARE_LT(waited.elapsed(), 1000);
        if (blocked == Blocked::TooLarge)
            QVERIFY(standardError.text().contains(" pellory: The settings file " + QFile::encodeName(storePath)
                                                  + " is 1048617 bytes long"));

        QCOMPARE(driver.dialogs().messages(), QStringList{});
        QCOMPARE(driver.colourBehindControls(), QColor(0, 0, 255));
        QCOMPARE(driver.action(QStringLiteral("mnuPreferencesDateandTimeOn"))->isChecked(), !storedValuesRead);
        auto *button = driver.find<QWidget>(QStringLiteral("cmdCalculate"));
        const QImage shot = driver.form().grab().toImage();
        const QPoint inside = button->mapTo(&driver.form(), QPoint(button->width() / 2, 4))
            * driver.form().devicePixelRatio();
        QCOMPARE(shot.pixelColor(inside), QColor(0, 0, 255));

        QCOMPARE(snapshotOf(storePath), before);
        QCOMPARE(snapshotOf(lockPath), lockBefore);
    }

    // Where the settings file lives, by the XDG rules.
    void settingsFolderFollowsTheXdgRules_data()
    {
        QTest::addColumn<QString>("xdgConfigHome");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("accountHome");
        QTest::addColumn<QString>("folder");
        QTest::newRow("XDG_CONFIG_HOME") << "/srv/kiosk/cfg" << "/home/kiosk" << "" << "/srv/kiosk/cfg";
        QTest::newRow("XDG_CONFIG_HOME relative: ignored") << "cfg" << "/home/kiosk" << "" << "/home/kiosk/.config";
        QTest::newRow("XDG_CONFIG_HOME empty") << "" << "/home/kiosk" << "" << "/home/kiosk/.config";
        QTest::newRow("HOME unset: the account's home") << "" << "" << "/root" << "/root/.config";
        QTest::newRow("HOME relative: the account's home") << "" << "kiosk" << "/home/kiosk" << "/home/kiosk/.config";
        QTest::newRow("no home at all: no store") << "" << "" << "" << "";
        QTest::newRow("trailing slashes") << "/srv/cfg/" << "" << "" << "/srv/cfg";
    }
    void settingsFolderFollowsTheXdgRules()
    {
        QFETCH(QString, xdgConfigHome);
        QFETCH(QString, home);
        QFETCH(QString, accountHome);
        QFETCH(QString, folder);
        QCOMPARE(machine::configFolderFor(xdgConfigHome, home, accountHome), folder);
    }

    // A settings file that is a link, here to a file in a folder of its own,
    // is read and written through the link, which stays a link.
    void linkedStoreIsReadAndWrittenThrough_data()
    {
        QTest::addColumn<QStringList>("links");
        QTest::addColumn<bool>("fileExists");

        QTest::newRow("relative link") << QStringList{"kept/PELLORY.conf"} << true;
        QTest::newRow("link to a link") << QStringList{"second link", "kept/PELLORY.conf"} << true;
        QTest::newRow("link to a file yet to be made") << QStringList{"kept/PELLORY.conf"} << false;
    }
    void linkedStoreIsReadAndWrittenThrough()
    {
        QFETCH(QStringList, links);
        QFETCH(bool, fileExists);

        const QDir folder = QFileInfo(settings->filePath()).dir();
        QVERIFY(folder.mkdir(QStringLiteral("kept")));
        const QString kept = folder.filePath(QStringLiteral("kept/PELLORY.conf"));
        if (fileExists)
            QVERIFY(writeFile(kept, "[STARTUP]\nBackColor=255\nDateDisplay=True\n"));
        QString link = settings->filePath();
        for (const QString &target : links) {
            QCOMPARE(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
            link = folder.filePath(target);
        }

        WindowDriver driver(prices.path());
        QVERIFY(driver.loadAndShow());
        QCOMPARE(driver.colourBehindControls(), fileExists ? QColor(255, 0, 0) : WindowDriver::buttonFace());
        QCOMPARE(driver.action(QStringLiteral("mnuPreferencesDateandTimeOn"))->isChecked(), fileExists);
        driver.dialogs().answerColor(runtime::colorFromValue(Blue, {}));
        driver.trigger(QStringLiteral("mnuColorsCustom"));

        QVERIFY(QFileInfo(settings->filePath()).isSymLink());
        QCOMPARE(contentsOf(kept), "[STARTUP]\nBackColor=16711680\nDateDisplay=" + QByteArray(fileExists ? "True" : "False")
                                       + "\n");
    }
};

QTEST_MAIN(TestSettingsFaults)
#include "tst_settings_faults.moc"
