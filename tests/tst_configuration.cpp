#include "FileContents.h"
#include "ProgramRun.h"

#include "check/CheckCommand.h"
#include "configuration/ShopConfiguration.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using configuration::DigitPad;
using namespace testsupport;

Q_DECLARE_METATYPE(DigitPad)

class TestConfiguration : public QObject
{
    Q_OBJECT

private slots:
    // Each row reads `file` and expects the settings in effect and the faulty
    // lines, each as "line: sentence".
    void settingsAndFaults_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("fillScreen");
        QTest::addColumn<int>("idleResetMs");
        QTest::addColumn<DigitPad>("digitPad");
        QTest::addColumn<bool>("staffOnly");
        QTest::addColumn<QStringList>("faults");

        QTest::newRow("empty: every default") << QByteArray() << false << 120000 << DigitPad::Auto << false
                                              << QStringList();
        QTest::newRow("every setting")
            << QByteArray("[kiosk]\nFillScreen=true\nIdleResetSeconds=30\nDigitPad=on\nStaffOnlyPreferences=yes\n")
            << true << 30000 << DigitPad::On << true << QStringList();
        QTest::newRow("the longest idle time") << QByteArray("[kiosk]\nIdleResetSeconds=86400\n") << false << 86400000
                                               << DigitPad::Auto << false << QStringList();
        QTest::newRow("any letter case, blanks, CR LF, byte-order mark")
            << QByteArray("\xEF\xBB\xBF [Kiosk] \r\n  fillscreen = TRUE \r\ndigitpad=OFF\r\nIdleResetSeconds = 0")
            << true << 0 << DigitPad::Off << false << QStringList();
        QTest::newRow("comments")
            << QByteArray("# FillScreen=true\n[kiosk]\n#FillScreen=true\n  ; DigitPad=on\n") << false << 120000
            << DigitPad::Auto << false << QStringList();
        QTest::newRow("values not understood give their defaults")
            << QByteArray("[kiosk]\nFillScreen=maybe\nIdleResetSeconds=-5\nDigitPad=sometimes\n"
                          "IdleResetSeconds=86401\nStaffOnlyPreferences=\n")
            << false << 120000 << DigitPad::Auto << false
            << QStringList{"2: FillScreen=maybe: the value must be true or false; the kiosk uses the default, false.",
                           "3: IdleResetSeconds=-5: the value must be a whole number of seconds from 0 (never) to "
                           "86400; the kiosk uses the default, 120.",
                           "4: DigitPad=sometimes: the value must be auto, on or off; the kiosk uses the default, auto.",
                           "5: IdleResetSeconds=86401: the value must be a whole number of seconds from 0 (never) to "
                           "86400; the kiosk uses the default, 120.",
                           "6: StaffOnlyPreferences=: the value must be true or false; the kiosk uses the default, "
                           "false."};
        QTest::newRow("a bad value after a good one")
            << QByteArray("[kiosk]\nIdleResetSeconds=30\nIdleResetSeconds=2 minutes\n") << false << 120000
            << DigitPad::Auto << false
            << QStringList{"3: IdleResetSeconds=2 minutes: the value must be a whole number of seconds from 0 "
                           "(never) to 86400; the kiosk uses the default, 120."};
        QTest::newRow("lines that are no setting")
            << QByteArray("FillScreen=true\n[kiosk]\nFilScreen=true\nnonsense\n[display]\nFillScreen=true\n")
            << false << 120000 << DigitPad::Auto << false
            << QStringList{"1: FillScreen stands before any section and is ignored; put it under [kiosk].",
                           "3: FilScreen is not a setting of [kiosk] and is ignored; the settings there are "
                           "FillScreen, IdleResetSeconds, DigitPad, StaffOnlyPreferences, ReloadPrices.",
                           "4: \"nonsense\" is not a setting; write Name=value, a [section], or a comment starting "
                           "with #.",
                           "5: [display] is not a section of the kiosk's settings; the lines under it are ignored."};
        QTest::newRow("a control character is written out")
            << QByteArray("[kiosk]\nDigitPad=o\x1b[2J\n") << false << 120000 << DigitPad::Auto << false
            << QStringList{"2: DigitPad=o\\x1b[2J: the value must be auto, on or off; the kiosk uses the default, "
                           "auto."};
        QTest::newRow("a right-to-left override and a zero-width space are written out")
            << QByteArray("[kiosk]\nFill\xe2\x80\x8bScreen=true\nDigitPad=\xe2\x80\xae" "ffo\n") << false << 120000
            << DigitPad::Auto << false
            << QStringList{"2: Fill\\u200bScreen is not a setting of [kiosk] and is ignored; the settings there are "
                           "FillScreen, IdleResetSeconds, DigitPad, StaffOnlyPreferences, ReloadPrices.",
                           "3: DigitPad=\\u202effo: the value must be auto, on or off; the kiosk uses the default, "
                           "auto."};
    }
    void settingsAndFaults()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, fillScreen);
        QFETCH(int, idleResetMs);
        QFETCH(DigitPad, digitPad);
        QFETCH(bool, staffOnly);
        QFETCH(QStringList, faults);
        const configuration::ConfigurationReading reading = configuration::parseConfiguration(file);
        QCOMPARE(reading.values.fillScreen, fillScreen);
        QCOMPARE(reading.values.idleReset.count(), idleResetMs);
        QCOMPARE(reading.values.digitPad, digitPad);
        QCOMPARE(reading.values.staffOnlyPreferences, staffOnly);
        QStringList found;
        for (const configuration::ConfigurationFault &fault : reading.faults)
            found << QStringLiteral("%1: %2").arg(fault.line).arg(fault.sentence);
        QCOMPARE(found, faults);
    }

    void digitPadIsOfferedAsSetOrOnATouchScreen_data()
    {
        QTest::addColumn<DigitPad>("setting");
        QTest::addColumn<bool>("touchScreen");
        QTest::addColumn<bool>("offered");
        QTest::newRow("auto, a touch screen") << DigitPad::Auto << true << true;
        QTest::newRow("auto, no touch screen") << DigitPad::Auto << false << false;
        QTest::newRow("on, no touch screen") << DigitPad::On << false << true;
        QTest::newRow("off, a touch screen") << DigitPad::Off << true << false;
    }
    void digitPadIsOfferedAsSetOrOnATouchScreen()
    {
        QFETCH(DigitPad, setting);
        QFETCH(bool, touchScreen);
        QFETCH(bool, offered);
        QCOMPARE(configuration::offersDigitPad(setting, touchScreen), offered);
    }

    // The sample installed as /etc/pellory/pellory.conf names every setting,
    // commented out at its default.
    void sampleListsEverySettingAtItsDefault()
    {
        QFile sample(QStringLiteral(PELLORY_SOURCE_DIR "/data/pellory.conf"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const QByteArray bytes = sample.readAll();
        const configuration::ConfigurationReading reading = configuration::parseConfiguration(bytes);
        QVERIFY(reading.faults.isEmpty());
        const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
        for (const configuration::ConfigurationKey &key : configuration::configurationKeys()) {
            const QString line = QStringLiteral("#%1=%2").arg(key.name, key.show(configuration::ShopConfiguration{}));
            QVERIFY2(lines.contains(line), qPrintable(line));
        }
        // Taking the # away from a line and changing its value sets that key.
        QByteArray edited = bytes;
        edited.replace("#FillScreen=false", "FillScreen=true").replace("#IdleResetSeconds=120", "IdleResetSeconds=60");
        const configuration::ConfigurationReading changed = configuration::parseConfiguration(edited);
        QVERIFY(changed.faults.isEmpty());
        QVERIFY(changed.values.fillScreen);
        QCOMPARE(changed.values.idleReset.count(), 60000);
    }

    // Every setting the program reads and every option it answers to is in
    // the sample settings file, the README and the manual page, so a new one
    // that is not written up fails here. The names come from the program's
    // own tables; one-letter options are aliases.
    void documentsNameEverySettingAndOption_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("pattern");
        const QStringList documents{"data/pellory.conf", "README.md", "packaging/pellory.1"};
        for (const configuration::ConfigurationKey &key : configuration::configurationKeys())
            for (const QString &document : documents)
                QTest::addRow("%s in %s", qPrintable(key.name), qPrintable(document))
                    << document << QStringLiteral("\\b%1\\b").arg(key.name);
        for (const QString &option : check::commandLineOptionNames())
            for (const QString &document : documents.mid(1))
                if (option.size() > 1)
                    QTest::addRow("--%s in %s", qPrintable(option), qPrintable(document))
                        << document << QStringLiteral("--%1(?![\\w-])").arg(QRegularExpression::escape(option));
    }

    void documentsNameEverySettingAndOption()
    {
        QFETCH(QString, document);
        QFETCH(QString, pattern);
        QFile file(QStringLiteral(PELLORY_SOURCE_DIR "/") + document);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // The manual page writes each dash as \-.
        const QString text = QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
        QVERIFY(text.contains(QRegularExpression(pattern)));
    }

    // What cannot be read as a settings file gives every default, at once.
    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing") << "missing" << false << "";
        QTest::newRow("folder") << "folder" << true
                                << "pellory.conf is a folder; it must be a plain text file. Every setting is at its "
                                   "default.";
        QTest::newRow("named pipe") << "pipe" << true
                                    << "pellory.conf is a device or a pipe, not a file; it must be a plain text file. "
                                       "Every setting is at its default.";
        QTest::newRow("too large") << "large" << true
                                   << "pellory.conf is 1,048,577 bytes long; the largest file that is read is 1 MB "
                                      "(1,048,576 bytes). Every setting is at its default.";
    }
    void unreadableFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, found);
        QFETCH(QString, fault);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("pellory.conf"));
        if (kind == u"folder")
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("pellory.conf")));
        if (kind == u"pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == u"large") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("[kiosk]\n").append(QByteArray(1024 * 1024 + 1 - 8, '#')));
        }
        const configuration::ConfigurationReading reading = configuration::readConfiguration(path);
        QCOMPARE(reading.found, found);
        QCOMPARE(reading.values.idleReset.count(), 120000);
        QCOMPARE(reading.faults.size(), fault.isEmpty() ? 0 : 1);
        if (!fault.isEmpty()) {
            QCOMPARE(reading.faults.first().line, 0);
            QCOMPARE(configuration::faultText(reading, reading.faults.first()), path + QStringLiteral(": ") + fault);
        }
    }

    // The program started beside a settings file: a faulty line leaves one
    // line on standard error, and --check lists the settings in effect.
    void programReportsTheSettingsBesideIt_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("programLines");
        const QByteArray settings("[kiosk]\nFillScreen=true\nIdleResetSeconds=soon\n");
        QTest::newRow("--check") << settings << QStringList{"--check"}
                                 << QStringList{"Settings file: ", "Settings in effect:", "  [kiosk]",
                                                "  FillScreen=true", "  IdleResetSeconds=120", "  DigitPad=auto",
                                                "  StaffOnlyPreferences=false",
                                                "Not understood (the kiosk uses the default there):",
                                                "  Line 3  IdleResetSeconds=soon: the value must be",
                                                "Price file: ", "The kiosk will load this file: 1 brand"}
                                 << 0;
        // One line about the settings, and one saying the default staff
        // password is in use; Qt may add notes of its own.
        QTest::newRow("window start") << settings << QStringList{"-platform", "offscreen"}
                                      << QStringList{"/pellory.conf:3: IdleResetSeconds=soon: the value must be"}
                                      << 2;
        // A megabyte of junk: 100 lines, one saying how many more there are,
        // and the staff password's line.
        QTest::newRow("window start, a megabyte of junk")
            << QByteArray("[kiosk]\n").append(QByteArray("x\n").repeated(524284)) << QStringList{"-platform", "offscreen"}
            << QStringList{"/pellory.conf:2: \"x\" is not a setting", "/pellory.conf:101: \"x\" is not a setting",
                           "/pellory.conf: 524184 more lines not understood are not listed."}
            << 102;
    }
    void programReportsTheSettingsBesideIt()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, lines);
        QFETCH(int, programLines);
        QTemporaryDir folder;
        QVERIFY(QFile::copy(QStringLiteral(PELLORY_PROGRAM), folder.filePath(QStringLiteral("pellory"))));
        QFile::setPermissions(folder.filePath(QStringLiteral("pellory")), QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(writeFile(folder.filePath(QStringLiteral("BrandsPrices.txt")), "\"Stridewell\",65,80,55,90,60\n"));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("pellory.conf")), settings));

        QProcess program;
        program.setProcessEnvironment(programEnvironment(folder.filePath(QStringLiteral("config"))));
        program.start(folder.filePath(QStringLiteral("pellory")), arguments);
        const bool window = !arguments.contains(QStringLiteral("--check"));
        // The window stays open until the staff exit; its start-up is over
        // once the clock preference is stored.
        if (window)
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath(QStringLiteral("config/PELLORY.conf"))), 20000);
        if (window)
            program.kill();
        QVERIFY(program.waitForFinished(30000));
        const QString written = QString::fromUtf8(window ? program.readAllStandardError() : program.readAllStandardOutput());
        const QStringList writtenLines = written.split(u'\n', Qt::SkipEmptyParts);
        const QString missing = firstMissingInOrder(writtenLines, lines, LineMatch::Anywhere);
        QVERIFY2(missing.isNull(), qPrintable(QStringLiteral("No line with \"%1\" in order in:\n%2").arg(missing, written)));
        if (window)
            QCOMPARE(writtenLines.filter(QStringLiteral(" pellory: ")).size(), programLines);
    }
};

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
