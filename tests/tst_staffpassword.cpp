#include "staffpassword/ExitLockout.h"
#include "staffpassword/PasswordRule.h"
#include "staffpassword/SetStaffPassword.h"
#include "staffpassword/StaffExit.h"
#include "staffpassword/StaffPasswordFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;
using Kind = staffpassword::StoredPassword::Kind;

// What lies at the staff password file's path.
enum class AtPath { Nothing, File, UnreadableFile, Folder, Pipe, LinkToNothing };
Q_DECLARE_METATYPE(AtPath)
Q_DECLARE_METATYPE(staffpassword::Reader)

namespace {

// libsodium's hash of the password 123456789, made once with
// pellory --set-staff-password.
const QByteArray HashOf123456789 =
    "$argon2id$v=19$m=65536,t=2,p=1$qiuR6KdXnPa/Cloj5K/NpA$ZTqhjlW7P48MnHrNKz0GC07w63dklxxKpmBUvsP3WzQ";

} // namespace

// The shop's own staff password: the rule it follows, where it is kept, what
// a file there lets in, and how long wrong passwords keep the box away.
class TestStaffPassword : public QObject
{
    Q_OBJECT

private slots:
    void passwordRule_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("problem");
        QTest::newRow("six digits") << "246810" << "";
        QTest::newRow("twelve digits") << "123456789012" << "";
        QTest::newRow("five digits") << "24681" << "The password has 5 digits; it must have 6 to 12.";
        QTest::newRow("thirteen digits") << "1234567890123" << "The password has 13 digits; it must have 6 to 12.";
        QTest::newRow("a letter") << "24681a" << "The password may hold only the digits 0 to 9.";
        QTest::newRow("a space") << "246 810" << "The password may hold only the digits 0 to 9.";
        QTest::newRow("digits of another script") << QString::fromUtf8("\u0662\u0664\u0666\u0668\u0661\u0660")
                                                  << "The password may hold only the digits 0 to 9.";
        QTest::newRow("nothing") << "" << "No password was given.";
    }
    void passwordRule()
    {
        QFETCH(QString, password);
        QFETCH(QString, problem);
        QCOMPARE(staffpassword::passwordRuleProblem(password), problem);
    }

    void passwordFileLivesWithTheConfiguration_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("passwordFile");
        QTest::newRow("installed") << "/opt/pellory" << "/etc/pellory/staff-password";
        QTest::newRow("installed, trailing slash") << "/opt/pellory/" << "/etc/pellory/staff-password";
        QTest::newRow("installed to a prefix") << "/tmp/x/opt/pellory" << "/tmp/x/etc/pellory/staff-password";
        QTest::newRow("a build folder") << "/work/build/src" << "/work/build/src/staff-password";
        QTest::newRow("a folder only named alike") << "/opt/pellory2" << "/opt/pellory2/staff-password";
    }
    void passwordFileLivesWithTheConfiguration()
    {
        QFETCH(QString, programFolder);
        QFETCH(QString, passwordFile);
        QCOMPARE(staffpassword::passwordFileFor(programFolder), passwordFile);
    }

    // A file that exists never lets the default in: only the hash of the
    // shop's own password does.
    void passwordFileDecidesWhatIsLetIn_data()
    {
        QTest::addColumn<AtPath>("atPath");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("no file: the default") << AtPath::Nothing << QByteArray() << Kind::Default << "472916" << true;
        QTest::newRow("no file: the default exactly") << AtPath::Nothing << QByteArray() << Kind::Default << "472916 "
                                                      << false;
        QTest::newRow("the shop's own") << AtPath::File << HashOf123456789 + '\n' << Kind::ShopsOwn << "123456789"
                                        << true;
        QTest::newRow("the shop's own, no line end") << AtPath::File << HashOf123456789 << Kind::ShopsOwn << "123456789"
                                                     << true;
        QTest::newRow("the default once the shop has its own") << AtPath::File << HashOf123456789 << Kind::ShopsOwn
                                                               << "472916" << false;
        QByteArray otherDigest = HashOf123456789;
        otherDigest.replace("$ZTqh", "$ZTqi");
        QTest::newRow("a changed hash lets nobody in") << AtPath::File << otherDigest << Kind::ShopsOwn << "123456789"
                                                       << false;
        QByteArray damagedParameters = HashOf123456789;
        damagedParameters.replace("m=65536", "m=6553x");
        QTest::newRow("damaged parameters") << AtPath::File << damagedParameters << Kind::Unusable << "472916" << false;
        // Only the cost parameters the program writes pass: other ones refuse
        // every password anyway, and high ones would freeze the window.
        const char *otherParameters[][2] = {{"t=2", "t=3"}, {"t=2", "t=200"}, {"m=65536", "m=65537"}, {"p=1", "p=2"}};
        for (const auto &[written, changed] : otherParameters)
            QTest::addRow("parameter %s", changed) << AtPath::File << QByteArray(HashOf123456789).replace(written, changed)
                                                   << Kind::Unusable << "123456789" << false;
        QTest::newRow("another algorithm") << AtPath::File << QByteArray(HashOf123456789).replace("argon2id", "argon2i")
                                           << Kind::Unusable << "123456789" << false;
        QTest::newRow("empty file") << AtPath::File << QByteArray("") << Kind::Unusable << "472916" << false;
        QTest::newRow("the password in plain text") << AtPath::File << QByteArray("123456789\n") << Kind::Unusable
                                                    << "123456789" << false;
        QTest::newRow("over a kilobyte") << AtPath::File << HashOf123456789 + QByteArray(1024, '\n') << Kind::Unusable
                                         << "123456789" << false;
        QTest::newRow("unreadable") << AtPath::UnreadableFile << HashOf123456789 << Kind::Unreadable << "123456789"
                                    << false;
        QTest::newRow("a folder") << AtPath::Folder << QByteArray() << Kind::Unusable << "472916" << false;
        QTest::newRow("a named pipe, not waited on") << AtPath::Pipe << QByteArray() << Kind::Unusable << "472916"
                                                     << false;
        QTest::newRow("a link to nothing is no missing file") << AtPath::LinkToNothing << QByteArray() << Kind::Unusable
                                                              << "472916" << false;
    }
    void passwordFileDecidesWhatIsLetIn()
    {
        QFETCH(AtPath, atPath);
        QFETCH(QByteArray, contents);
        QFETCH(Kind, kind);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);

        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("staff-password"));
        if (atPath == AtPath::File || atPath == AtPath::UnreadableFile) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        if (atPath == AtPath::UnreadableFile) {
            QVERIFY(QFile::setPermissions(path, QFile::Permissions()));
            if (QFile(path).open(QIODevice::ReadOnly))
                QSKIP("file permissions do not stop this user from reading (running as root)");
        }
        if (atPath == AtPath::Folder)
            QVERIFY(QDir().mkdir(path));
        if (atPath == AtPath::Pipe)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (atPath == AtPath::LinkToNothing)
            QVERIFY(QFile::link(folder.filePath(QStringLiteral("gone")), path));

        const staffpassword::StoredPassword stored = staffpassword::readStoredPassword(path);
        QCOMPARE(stored.kind, kind);
        QCOMPARE(stored.problem.isEmpty(), kind != Kind::Unusable);
        if (atPath == AtPath::Folder || atPath == AtPath::Pipe)
            QCOMPARE(stored.problem, QStringLiteral("it is not a plain file that can be read"));
        QCOMPARE(stored.accepts(typed), accepted);
    }

    // An account that may not read the file learns so, and what to do: the
    // kiosk's refuses every password, the check's cannot tell.
    void unreadableFileIsSaidSo_data()
    {
        QTest::addColumn<staffpassword::Reader>("reader");
        QTest::addColumn<QString>("summary");
        QTest::newRow("pellory --check")
            << staffpassword::Reader::Check
            << "The staff password file /x/staff-password cannot be read by this account, so this check cannot tell "
               "which password the staff exit takes: run the check as root ('sudo pellory --check') or as a member "
               "of the group pellory.";
        QTest::newRow("the kiosk")
            << staffpassword::Reader::Kiosk
            << "The staff password file /x/staff-password cannot be read by this account, so the staff exit refuses "
               "every password: add the account to the group pellory, or set the password again with 'sudo pellory "
               "--set-staff-password', which gives the file back mode 0640 and group pellory.";
    }
    void unreadableFileIsSaidSo()
    {
        QFETCH(staffpassword::Reader, reader);
        QFETCH(QString, summary);
        const staffpassword::StoredPassword stored{Kind::Unreadable, "/x/staff-password", {}, "this account may not read it"};
        QCOMPARE(staffpassword::storedPasswordSummary(stored, reader), summary);
    }

    // The same password set again leaves a file kept as it is written, and
    // gives any other mode or group back; the hash stays the same.
    void samePasswordAgainRepairsTheFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("rootsGroup");
        QTest::addColumn<QString>("said");
        const QString repaired = "is already this one, but %1: the file was written again with mode 0640 and group ";
        QTest::newRow("kept as written") << 0640 << false << "is already this one; nothing was changed.";
        QTest::newRow("readable by its owner only") << 0600 << false << repaired.arg("its mode is 0600, not 0640");
        QTest::newRow("readable by everyone") << 0644 << false << repaired.arg("its mode is 0644, not 0640");
        QTest::newRow("another group") << 0640 << true << repaired.arg("its group is root, not daemon");
    }
    void samePasswordAgainRepairsTheFile()
    {
        QFETCH(int, mode);
        QFETCH(bool, rootsGroup);
        QFETCH(QString, said);
        if (rootsGroup && ::geteuid() != 0)
            QSKIP("only root may give the file another group");
        const group *readers = ::geteuid() == 0 ? ::getgrnam("daemon") : ::getgrgid(::getegid());
        if (!readers)
            QSKIP("no group for the readers here");
        const QByteArray readersGroup = readers->gr_name;
        const gid_t readersId = readers->gr_gid;

        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("staff-password"));
        const QByteArray native = QFile::encodeName(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(HashOf123456789 + '\n');
        file.close();
        QCOMPARE(::chown(native.constData(), uid_t(-1), rootsGroup ? 0 : readersId), 0);
        QCOMPARE(::chmod(native.constData(), mode_t(mode)), 0);

        const staffpassword::StoreOutcome outcome =
            staffpassword::storeStaffPassword("123456789", path, readersGroup.constData());
        QCOMPARE(outcome.status, 0);
        QVERIFY2(outcome.lines.value(0).contains(said), qPrintable(outcome.lines.join(u'\n')));
        struct stat status {};
        QCOMPARE(::stat(native.constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, 0640u);
        QCOMPARE(status.st_gid, readersId);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), HashOf123456789 + '\n');
    }

    void lockoutGrowsWithEachWrongPassword_data()
    {
        QTest::addColumn<int>("wrongInARow");
        QTest::addColumn<int>("seconds");
        const int rows[][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 30}, {4, 60}, {5, 120}, {6, 240}, {7, 480}, {8, 900},
                               {9, 900}, {1000, 900}};
        for (const auto &[wrong, seconds] : rows)
            QTest::addRow("%d wrong", wrong) << wrong << seconds;
    }
    void lockoutGrowsWithEachWrongPassword()
    {
        QFETCH(int, wrongInARow);
        QFETCH(int, seconds);
        QCOMPARE(staffpassword::lockoutAfter(wrongInARow).count(), seconds);
    }

    void lockoutMessageSaysHowLongToWait_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<QString>("wait");
        QTest::newRow("a full wait") << 30000 << "30 seconds";
        QTest::newRow("part of a second counts whole") << 29001 << "30 seconds";
        QTest::newRow("the last moment") << 1 << "1 second";
        QTest::newRow("a minute") << 60000 << "1 minute";
        QTest::newRow("minutes and seconds") << 61500 << "1 minute 2 seconds";
        QTest::newRow("the longest") << 900000 << "15 minutes";
    }
    void lockoutMessageSaysHowLongToWait()
    {
        QFETCH(int, milliseconds);
        QFETCH(QString, wait);
        QCOMPARE(staffpassword::lockoutMessage(std::chrono::milliseconds(milliseconds)),
                 QStringLiteral("Too many wrong passwords.\r\nPlease try again in ") + wait + u'.');
    }

    // Tries at the staff exit, one a row: "+n" lets n milliseconds pass, any
    // other step is a typed password; then the wait before the next try.
    void wrongPasswordsKeepTheBoxAway_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("waitMilliseconds");
        QTest::newRow("two wrong: no wait") << QStringList{"1", "2"} << 0;
        QTest::newRow("three wrong: 30 s") << QStringList{"1", "2", "3"} << 30000;
        QTest::newRow("part of the wait gone") << QStringList{"1", "2", "3", "+10000"} << 20000;
        QTest::newRow("a fourth after the wait: 60 s") << QStringList{"1", "2", "3", "+30000", "4"} << 60000;
        QTest::newRow("cancelled boxes do not count") << QStringList{"1", "", "2", "", ""} << 0;
        QTest::newRow("the right one resets the count") << QStringList{"1", "2", "472916", "3", "4"} << 0;
        QTest::newRow("wrong after the right one: counting anew")
            << QStringList{"1", "2", "3", "+30000", "472916", "1", "2", "3"} << 30000;
    }
    void wrongPasswordsKeepTheBoxAway()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, waitMilliseconds);
        const QTemporaryDir folder;
        std::chrono::milliseconds now = 5000h;
        staffpassword::StaffExit staffExit(folder.filePath(QStringLiteral("staff-password")), [&now] { return now; });
        for (const QString &step : steps) {
            if (step.startsWith(u'+'))
                now += std::chrono::milliseconds(step.mid(1).toInt());
            else
                staffExit.tryPassword(step, nullptr, [](bool) {});
        }
        QCOMPARE(staffExit.waitBeforeNextTry().count(), waitMilliseconds);
    }
};

QTEST_GUILESS_MAIN(TestStaffPassword)
#include "tst_staffpassword.moc"
