#include "FileContents.h"
#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

// The built program, run as staff run it: in a terminal, with no display.
class TestCheck : public QObject
{
    Q_OBJECT

private slots:
    // Each row writes `bytes` to a price file (none when null), runs the
    // program with `arguments` (FILE stands for that file's path), and expects
    // the exit status and, in order, lines starting with the given texts: on
    // standard output, or on standard error for a usage error. A text given
    // as ">line" is the whole line right after the one found before it.
    void commandLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");

        const QStringList check{"--check", "FILE"};
        QTest::newRow("good file, a blank line not counted as a position")
            << QByteArray("\"Stridewell\",65,80,55,90,60\r\n\"Kestrel Court\",0,95,0,85,0\r\n\r\n"
                          "\"Marlowe & Finch\",0,110,70,99,0\r\n")
            << check << 0
            << QStringList{"Price file: ", ">",
                           ">Pos  Line  Brand            Cross Trainers  Basketball  Fitness  Running  Walking",
                           ">  0     1  Stridewell                  65          80       55       90       60",
                           ">  1     2  Kestrel Court               [0]         95       [0]      85       [0]",
                           ">  2     4  Marlowe & Finch             [0]        110       70       99       [0]",
                           "The kiosk will load this file: 3 brands, no warnings."};
        // The short line 3 is reported there, not as a fault of the good line 4.
        QTest::newRow("two faulty lines, reading goes on after each")
            << QByteArray("\"A\",1,2,3,4,5\n\"B\",1,7O,3,4,5\n\"C\",1,2,3,4\n\"D\",1,2,3,4,5\n") << check << 1
            << QStringList{"The kiosk will refuse this file. Fix these lines, then check again:",
                           "  Line  Error  What is wrong",
                           "     2     13  Line 2: \"7O\" is not a whole number of dollars.",
                           "     3     62  Line 3 has 5 fields; each line holds a brand name and five prices, "
                           "separated by commas.",
                           "",
                           "The kiosk will refuse this file: 2 faulty lines."};
        QTest::newRow("more faulty lines than are listed")
            << QByteArray("\"A\",x,2,3,4,5\n").repeated(101) << check << 1
            << QStringList{"   100     13  ", "Checking stopped after 100 faulty lines; the file holds more.",
                           "The kiosk will refuse this file: 100 faulty lines and more."};
        QTest::newRow("missing file") << QByteArray() << check << 1
                                      << QStringList{"The kiosk will refuse this file:", "     -     53  ",
                                                     "The kiosk will refuse this file (error 53)."};
        QTest::newRow("offered item priced 0 or below")
            << QByteArray("\"Stridewell\",65,0,55,-5,60\n") << check << 0
            << QStringList{"  0     1  Stridewell             65           0       55       -5       60",
                           "  Line 1  \"Stridewell\": Basketball is offered at position 0, but its price is 0.",
                           "  Line 1  \"Stridewell\": Running is offered at position 0, but its price is -5.",
                           "The kiosk will load this file: 1 brand, 2 warnings."};
        QTest::newRow("price of an item greyed at its position")
            << QByteArray("A,1,2,3,4,5\nB,10,20,0,40,0\n") << check << 0
            << QStringList{"  1     2  B                [10]         20       [0]      40       [0]",
                           "  Line 2  \"B\": Cross Trainers is greyed at position 1, so its price 10 can never be "
                           "quoted.",
                           "The kiosk will load this file: 2 brands, 1 warning."};
        QTest::newRow("same name twice, in other capitals")
            << QByteArray("\"Stridewell\",1,2,3,4,5\nSTRIDEWELL,0,2,0,4,0\n") << check << 0
            << QStringList{"  Line 2  \"STRIDEWELL\" is the same name as on line 1; customers see it twice in the "
                           "list.",
                           "The kiosk will load this file: 2 brands, 1 warning."};
        QTest::newRow("blanks inside the quotes")
            << QByteArray("\" Ottoline\",1,2,3,4,5\n") << check << 0
            << QStringList{"  Line 1  \" Ottoline\" has blanks inside its quotes at the start or end; the list "
                           "shows them.",
                           "The kiosk will load this file: 1 brand, 1 warning."};
        QTest::newRow("Windows-1252 file")
            << QByteArray("\"Caf\xe9 Sport\",1,2,3,4,5\n") << check << 0
            << QStringList{"  0     1  Caf\u00e9 Sport",
                           "  File  BrandsPrices.txt is not valid UTF-8, so it was read as Windows-1252: check that "
                           "accented letters in the names look right.",
                           "The kiosk will load this file: 1 brand, 1 warning."};
        QTest::newRow("Windows-1252 file the kiosk refuses")
            << QByteArray("\"Caf\xe9 Sport\",1,2,3,4\n") << check << 1
            << QStringList{"     1     62  ", "Warnings:", "  File  BrandsPrices.txt is not valid UTF-8"};
        QTest::newRow("spreadsheet export: heading passed over, prices with cents")
            << QByteArray("Brand,Cross Trainers,Basketball,Fitness,Running,Walking\n"
                          "\"Grand Atelier\",\"$1,234.50\",1480,$ 990.00,1100,1050\nBramblefoot,0,74.5,0,69,0\n")
            << check << 0
            << QStringList{"Line 1 is a heading row naming the five items; the kiosk passes over it.",
                           "  0     2  Grand Atelier           1234        1480      990     1100     1050",
                           "  1     3  Bramblefoot               [0]         74       [0]      69       [0]",
                           "  Line 2  \"Grand Atelier\": Cross Trainers $1,234.50 will be quoted as $1,234.",
                           "  Line 3  \"Bramblefoot\": Basketball 74.5 will be quoted as $74.",
                           "The kiosk will load this file: 2 brands, 2 warnings."};
        QTest::newRow("control characters in a name are not sent to the terminal")
            << QByteArray("\"Bad\x1b[2J\",1,2,3,4,5\n") << check << 0
            << QStringList{"  0     1  Bad\ufffd[2J"};
        QTest::newRow("bidirectional and zero-width characters are not sent to the terminal")
            << QByteArray("\"Evil\xe2\x80\xae\xe2\x80\x8bX\xe2\x80\xa8\",1,2,3,4,5\n") << check << 0
            << QStringList{"  0     1  Evil\ufffd\ufffdX\ufffd"};
        QTest::newRow("a name that differs only by characters that do not show")
            << QByteArray("\"Stridewell\",1,2,3,4,5\n\"Stride\xe2\x80\x8bwell\xe2\x81\xa0\",0,2,0,4,0\n") << check << 0
            << QStringList{"  Line 2  \"Stride\ufffdwell\ufffd\" is the same name as on line 1; customers see it twice "
                           "in the list."};
        QTest::newRow("settings file with a line not understood")
            << QByteArray("[kiosk]\nReloadPrices=sometimes\n") << QStringList{"--check-settings", "FILE"} << 1
            << QStringList{"  ReloadPrices=true",
                           "  Line 2  ReloadPrices=sometimes: the value must be true or false; the kiosk uses the "
                           "default, true."};
        const QStringList checkSettings{"--check-settings", "FILE"};
        QTest::newRow("settings file with prices kept and preferences for staff")
            << QByteArray("[kiosk]\nReloadPrices=false\nStaffOnlyPreferences=true\n")
            << QStringList{"--check-settings", "FILE"} << 0
            << QStringList{"  DigitPad=auto", ">  StaffOnlyPreferences=true", ">  ReloadPrices=false"};
        QTest::newRow("settings file misnamed")
            << QByteArray() << checkSettings << 1
            << QStringList{"Not understood (the kiosk uses the default there):",
                           "  File  There is no file named BrandsPrices.txt in that folder."};
        QTest::newRow("settings file with a setting given twice")
            << QByteArray("[kiosk]\nIdleResetSeconds=30\nFillScreen=yes\nIdleResetSeconds=300\nFillScreen=true\n")
            << checkSettings << 0
            << QStringList{"  FillScreen=true", "  IdleResetSeconds=300",
                           "Warnings (the kiosk uses the settings above):",
                           "  Line 4  IdleResetSeconds is given again; line 2 gave 30, and the kiosk uses this "
                           "line's 300."};
        QTest::newRow("settings file with a right-to-left override in a value")
            << QByteArray("[kiosk]\nDigitPad=\xe2\x80\xaeno\n") << checkSettings << 1
            << QStringList{"  Line 2  DigitPad=\\u202eno: the value must be auto, on or off; the kiosk uses the "
                           "default, auto."};
        QTest::newRow("settings file of junk: the first 100 lines listed")
            << QByteArray("[kiosk]\n").append(QByteArray("x\n").repeated(150)) << checkSettings << 1
            << QStringList{"  Line 101  \"x\" is not a setting", "50 more lines not understood are not listed."};
        QTest::newRow("settings and a price file at once")
            << QByteArray() << QStringList{"--check-settings", "--check", "FILE"} << 2
            << QStringList{"pellory: --check and --check-settings each check one file; run them one at a time."};
        QTest::newRow("help") << QByteArray() << QStringList{"--help"} << 0
                              << QStringList{"Usage: ", "  --check  ", "  -h, --help  ", "  -v, --version  "};
        QTest::newRow("version, one dash") << QByteArray() << QStringList{"-version"} << 0
                                           << QStringList{"pellory 1.3.0"};
        QTest::newRow("unknown option") << QByteArray() << QStringList{"--check", "--bogus"} << 2
                                        << QStringList{"pellory: Unknown option 'bogus'."};
        QTest::newRow("two files") << QByteArray() << QStringList{"--check", "a", "b"} << 2
                                   << QStringList{"pellory: Check one price file at a time."};
    }
    void commandLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, lines);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("BrandsPrices.txt");
        if (!bytes.isNull())
            QVERIFY(writeFile(path, bytes));
        arguments.replaceInStrings(QRegularExpression("^FILE$"), path);

        // No display at all: a program that loaded a platform plugin would abort here.
        QProcessEnvironment environment = programEnvironment(folder.filePath("config"), "no-such-platform");
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(PELLORY_PROGRAM, arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        const QByteArray out = program.readAllStandardOutput();
        const QByteArray err = program.readAllStandardError();
        QCOMPARE(program.exitCode(), status);

        const QStringList written = QString::fromUtf8(status == 2 ? err : out).split('\n');
        const QString missing = firstMissingInOrder(written, lines, LineMatch::Start);
        QVERIFY2(missing.isNull(), qPrintable(QString("No line starting \"%1\" in order (a \">\" line right after the one "
                                                      "before) in:\n%2")
                                                  .arg(missing, written.join('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestCheck)
#include "tst_check.moc"
