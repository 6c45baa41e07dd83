#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

// The built program as a shell, a service manager or staff at a terminal
// start it: each row runs a shell script in a fresh folder that holds a copy
// of the program as ./pellory with the sample price file beside it, on the
// offscreen platform, with its settings in ./config. The script's own exit
// status and, in order, lines of its standard output are expected, and
// standard error must contain each of the given texts in order.
class TestProcess : public QObject
{
    Q_OBJECT

private slots:
    void programAsStarted_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("output");
        QTest::addColumn<QStringList>("errors");

        // Starts the window as a background job (which a shell starts with
        // SIGINT ignored, unless `env --default-signal=INT` gives it back) and
        // waits until its start-up has stored the clock.
        const auto startWindowWith = [](const QString &starter) {
            return starter + "./pellory & pid=$!; i=0; "
                             "until grep -q DateDisplay config/PELLORY.conf 2>/dev/null || [ $i -gt 100 ]; do "
                             "sleep 0.1; i=$((i+1)); done; ";
        };
        const QString startWindow = startWindowWith("");
        QTest::newRow("SIGTERM") << startWindow + "kill -TERM $pid; wait $pid; echo \"status $?\"" << 0
                                 << QStringList{"status 143"}
                                 << QStringList{" pellory: The staff password is the default one",
                                                " pellory: Stopped by SIGTERM; ending with status 143."};
        QTest::newRow("SIGHUP") << startWindow + "kill -HUP $pid; wait $pid; echo \"status $?\"" << 0
                                << QStringList{"status 129"} << QStringList{" pellory: Stopped by SIGHUP"};
        QTest::newRow("SIGHUP ignored by nohup stays ignored")
            << "trap '' HUP; " + startWindow + "kill -HUP $pid; sleep 1; kill -TERM $pid; wait $pid; echo \"status $?\""
            << 0 << QStringList{"status 143"} << QStringList{" pellory: Stopped by SIGTERM"};
        QTest::newRow("SIGINT") << startWindowWith("env --default-signal=INT ")
                                       + "kill -INT $pid; wait $pid; echo \"status $?\""
                                << 0
                                << QStringList{"status 130"} << QStringList{" pellory: Stopped by SIGINT"};
        QTest::newRow("SIGQUIT") << startWindowWith("env --default-signal=QUIT ")
                                        + "kill -QUIT $pid; wait $pid; echo \"status $?\""
                                 << 0 << QStringList{"status 131"}
                                 << QStringList{" pellory: Stopped by SIGQUIT; ending with status 131."};
        QTest::newRow("SIGUSR1") << startWindow + "kill -USR1 $pid; wait $pid; echo \"status $?\"" << 0
                                 << QStringList{"status 138"}
                                 << QStringList{" pellory: Stopped by SIGUSR1; ending with status 138."};
        QTest::newRow("SIGUSR2") << startWindow + "kill -USR2 $pid; wait $pid; echo \"status $?\"" << 0
                                 << QStringList{"status 140"} << QStringList{" pellory: Stopped by SIGUSR2"};
        QTest::newRow("SIGALRM") << startWindow + "kill -ALRM $pid; wait $pid; echo \"status $?\"" << 0
                                 << QStringList{"status 142"} << QStringList{" pellory: Stopped by SIGALRM"};
        // The price file is missing: the start-up error box waits for OK.
        const QString startErrorBox = "rm BrandsPrices.txt; ./pellory 2>errors & pid=$!; i=0; "
                                      "until grep -q 'Run-time error 53' errors || [ $i -gt 100 ]; do "
                                      "sleep 0.1; i=$((i+1)); done; sleep 0.5; ";
        QTest::newRow("SIGTERM under the start-up error box")
            << startErrorBox + "kill -TERM $pid; wait $pid; echo \"status $?\"; cat errors >&2" << 0
            << QStringList{"status 143"}
            << QStringList{" pellory: Run-time error 53: File not found", " pellory: Stopped by SIGTERM"};
        QTest::newRow("SIGUSR1 under the start-up error box")
            << startErrorBox + "kill -USR1 $pid; wait $pid; echo \"status $?\"; cat errors >&2" << 0
            << QStringList{"status 138"} << QStringList{" pellory: Stopped by SIGUSR1"};
        // Standard error is a pipe whose reader goes away once the window is
        // up, as a journal's stream or a log reader can: a line then written
        // is lost, and the kiosk goes on.
        const QString startWindowLoggingToNoOne =
            "mkfifo errors; ./pellory 2>errors & pid=$!; exec 3<errors; i=0; "
            "until grep -q DateDisplay config/PELLORY.conf 2>/dev/null || [ $i -gt 100 ]; do "
            "sleep 0.1; i=$((i+1)); done; exec 3<&-; ";
        QTest::newRow("a signal's line to a closed standard error")
            << startWindowLoggingToNoOne + "kill -TERM $pid; wait $pid; echo \"status $?\"" << 0
            << QStringList{"status 143"} << QStringList();
        QTest::newRow("a reload's line to a closed standard error")
            << startWindowLoggingToNoOne
                   + "printf '\"Only\",1,2,3,4,5\\n' >new; mv new BrandsPrices.txt; sleep 5; "
                     "kill -0 $pid && echo running; kill -TERM $pid; wait $pid; echo \"status $?\""
            << 0 << QStringList{"running", "status 143"} << QStringList();
        const QString noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ./pellory";
        QTest::newRow("no display") << noDisplay << 1 << QStringList()
                                    << QStringList{"pellory: no display was found (DISPLAY and WAYLAND_DISPLAY are not "
                                                   "set), so the window cannot open"};
        QTest::newRow("no display, a mistyped option") << noDisplay + " --chek -style fusion -c" << 1 << QStringList()
                                                       << QStringList{"pellory: the option --chek is not known and was ignored.",
                                                                      "pellory: the option -c is not known and was ignored.",
                                                                      "pellory: no display was found"};
        QTest::newRow("report to a closed output") << "./pellory --check >&-" << 3 << QStringList()
                                                   << QStringList{"pellory: the report could not be written to standard "
                                                                  "output: Bad file descriptor"};
        QTest::newRow("help to a closed output") << "./pellory --help >&-" << 3 << QStringList()
                                                 << QStringList{"could not be written"};
        QTest::newRow("file name not valid UTF-8")
            << "f=$(printf 'caf\\351.txt'); printf '\"Cafe Sport\",1,2,3,4,5\\n' >\"$f\"; ./pellory --check \"$f\"; "
               "s=$?; rm \"$f\"; exit $s"
            << 0
            << QStringList{"  0     1  Cafe Sport", "The kiosk will load this file: 1 brand, no warnings."}
            << QStringList();
        QTest::newRow("program folder not valid UTF-8")
            << "d=$(printf 'caf\\351'); mkdir \"$d\"; cp pellory \"$d/\"; "
               "printf '\"Real Brand\",1,2,3,4,5\\n' >\"$d/BrandsPrices.txt\"; "
               "printf '\"Decoy\",1,2,3,4,5\\n' >BrandsPrices.txt; \"./$d/pellory\" --check; s=$?; rm -r \"$d\"; exit $s"
            << 0 << QStringList{"Price file: ", "  0     1  Real Brand", "The kiosk will load this file: 1 brand"}
            << QStringList();
        QTest::newRow("the shop's own password from a pipe")
            << "printf '24681357\\n' | ./pellory --set-staff-password && stat -c %a staff-password "
               "&& ./pellory --check | grep -F 'The staff password'"
            << 0 << QStringList{"640", "The staff password is the shop's own, from "}
            << QStringList{"pellory: The shop's own staff password is set in "};
        QTest::newRow("the same password again leaves the file")
            << "printf '24681357\\n' | ./pellory --set-staff-password 2>/dev/null && cp staff-password before "
               "&& printf '24681357\\n' | ./pellory --set-staff-password && cmp before staff-password && echo same"
            << 0 << QStringList{"same"} << QStringList{"pellory: The shop's own staff password in "};
        QTest::newRow("the same password again repairs the file's mode")
            << "printf '24681357\\n' | ./pellory --set-staff-password 2>/dev/null && chmod 600 staff-password "
               "&& printf '24681357\\n' | ./pellory --set-staff-password && stat -c %a staff-password"
            << 0 << QStringList{"640"}
            << QStringList{"is already this one, but its mode is 0600, not 0640: the file was written again with "
                           "mode 0640"};
        QTest::newRow("a password too short changes nothing")
            << "printf '24681\\n' | ./pellory --set-staff-password; echo \"status $?\"; ls" << 0
            << QStringList{"status 1", "BrandsPrices.txt", "config", "pellory"}
            << QStringList{"pellory: The password has 5 digits; it must have 6 to 12. Nothing was changed."};
        QTest::newRow("no password at all") << "./pellory --set-staff-password </dev/null" << 1 << QStringList()
                                            << QStringList{"pellory: No password was read. Nothing was changed."};
        QTest::newRow("--check names a damaged password file")
            << "echo 472916 >staff-password; ./pellory --check | grep -o 'cannot be used (it is damaged'"
            << 0 << QStringList{"cannot be used (it is damaged"} << QStringList();
        QTest::newRow("--check names cost parameters the program does not write")
            << "echo '$argon2id$v=19$m=65536,t=3,p=1$qiuR6KdXnPa/Cloj5K/NpA$ZTqhjlW7P48MnHrNKz0GC07w63dklxxKpmBUvsP3WzQ' "
               ">staff-password; ./pellory --check | grep -o 'cannot be used (it is damaged: its hash has other cost "
               "parameters than the m=65536,t=2,p=1'"
            << 0 << QStringList{"cannot be used (it is damaged: its hash has other cost parameters"} << QStringList();
        QTest::newRow("start-up names a damaged password file")
            << "echo 472916 >staff-password; " + startWindow + "kill $pid; wait $pid" << 143 << QStringList()
            << QStringList{"/staff-password cannot be used (it is damaged", "the staff exit refuses every password"};
    }
    void programAsStarted()
    {
        QFETCH(QString, script);
        QFETCH(int, status);
        QFETCH(QStringList, output);
        QFETCH(QStringList, errors);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(QFile::copy(PELLORY_PROGRAM, folder.filePath("pellory")));
        QVERIFY(QFile::copy(SAMPLE_PRICE_FILE, folder.filePath("BrandsPrices.txt")));
        QVERIFY(QDir(folder.path()).mkdir("config"));

        QProcess shell;
        shell.setProcessEnvironment(programEnvironment(folder.filePath("config")));
        shell.setWorkingDirectory(folder.path());
        shell.start("/bin/sh", {"-c", script});
        QVERIFY(shell.waitForFinished(60000));
        const QString out = QString::fromUtf8(shell.readAllStandardOutput());
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        QVERIFY2(shell.exitCode() == status, qPrintable(QString("status %1\n%2").arg(shell.exitCode()).arg(err)));

        const QString missing = firstMissingInOrder(out.split('\n'), output, LineMatch::Start);
        QVERIFY2(missing.isNull(), qPrintable(QString("no line \"%1\" in order in:\n%2").arg(missing, out)));
        qsizetype from = 0;
        for (const QString &expected : errors) {
            from = err.indexOf(expected, from);
            QVERIFY2(from >= 0, qPrintable(QString("no \"%1\" in order on standard error:\n%2").arg(expected, err)));
            from += expected.size();
        }
    }
};

QTEST_GUILESS_MAIN(TestProcess)
#include "tst_process.moc"
