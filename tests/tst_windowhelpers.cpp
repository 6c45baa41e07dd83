#include "machine/ScriptedDialogs.h"
#include "staffpassword/StaffExit.h"
#include "window/FormScaling.h"
#include "window/StaffPasswordPrompt.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Purpose = window::StaffPasswordPrompt::Purpose;

Q_DECLARE_METATYPE(Purpose)

// The window's own jobs, each tried without building the window: the staff
// password box and the form grown to fill a kiosk's screen.
class TestWindowHelpers : public QObject
{
    Q_OBJECT

private slots:
    // Each try asks once; "busy" asks again at once, before an answer came.
    // Shown dialogs read "title: prompt"; the verdicts are in the order heard.
    void staffPasswordPromptAsksOnceForBoth_data()
    {
        const QString exitBox = "Exit the Program?: Enter a password in order to exit the program";
        const QString staffOnlyBox = "Staff Only: Enter the staff password to change the preferences";
        const QString incorrect = "OOOPS!! Incorrect Password: Please contact one of The Pellory \r\nstaff members for "
                                  "assistance.";
        const QByteArray hashOf123456789 =
            "$argon2id$v=19$m=65536,t=2,p=1$qiuR6KdXnPa/Cloj5K/NpA$ZTqhjlW7P48MnHrNKz0GC07w63dklxxKpmBUvsP3WzQ\n";
        QTest::addColumn<Purpose>("purpose");
        QTest::addColumn<QByteArray>("passwordFile");
        QTest::addColumn<QStringList>("tries");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<bool>>("verdicts");

        QTest::newRow("exit, the default password")
            << Purpose::Exit << QByteArray() << QStringList{"472916"} << QStringList{exitBox} << QList<bool>{true};
        QTest::newRow("preferences, a wrong password") << Purpose::Preferences << QByteArray() << QStringList{"123456"}
                                                       << QStringList{staffOnlyBox, incorrect} << QList<bool>{false};
        QTest::newRow("exit, cancelled") << Purpose::Exit << QByteArray() << QStringList{""}
                                         << QStringList{exitBox, incorrect} << QList<bool>{false};
        QTest::newRow("preferences, three wrong: the wait is said in the box's title")
            << Purpose::Preferences << QByteArray() << QStringList{"1", "2", "3", "472916"}
            << QStringList{staffOnlyBox, incorrect, staffOnlyBox, incorrect, staffOnlyBox, incorrect,
                           "Staff Only: Too many wrong passwords.\r\nPlease try again in 30 seconds."}
            << QList<bool>{false, false, false, false};
        QTest::newRow("the shop's own, and a try while it is checked")
            << Purpose::Exit << hashOf123456789 << QStringList{"123456789", "busy"} << QStringList{exitBox}
            << QList<bool>{false, true};
    }
    void staffPasswordPromptAsksOnceForBoth()
    {
        QFETCH(Purpose, purpose);
        QFETCH(QByteArray, passwordFile);
        QFETCH(QStringList, tries);
        QFETCH(QStringList, shown);
        QFETCH(QList<bool>, verdicts);
        const QTemporaryDir folder;
        const QString path = folder.filePath("staff-password");
        if (!passwordFile.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(passwordFile);
        }
        machine::ScriptedDialogs dialogs;
        int delivered = 0;
        window::StaffPasswordPrompt prompt(dialogs, [&delivered](const std::function<void()> &work) {
            ++delivered;
            work();
        });
        prompt.guardWith(staffpassword::StaffExit(path));
        QList<bool> heard;
        for (const QString &typed : std::as_const(tries)) {
            if (typed != u"busy")
                dialogs.answerInput(typed);
            prompt.ask(purpose, [&heard](bool granted) { heard << granted; });
        }
        QTRY_COMPARE(heard.size(), verdicts.size());
        QCOMPARE(heard, verdicts);
        QStringList seen;
        for (const auto &dialog : dialogs.shown()) {
            seen << dialog.title + QStringLiteral(": ") + dialog.prompt;
            if (dialog.kind == machine::ScriptedDialogs::Kind::Input)
                QCOMPARE(dialog.echo, machine::Dialogs::Echo::Masked);
        }
        QCOMPARE(seen, shown);
        // Every answer to a typed password reaches the caller as the window's handlers do.
        QCOMPARE(delivered, int(dialogs.shown().size() - dialogs.messages().size()));
    }

    // The form designed 605x420 pixels at 96 dots per inch, below a menu bar
    // whose height grows with the form from `menuBar` pixels; no screen
    // leaves the form at its designed size.
    void formFillsTheScreenBelowTheMenuBar_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("menuBar");
        QTest::addColumn<QString>("factor");
        QTest::addColumn<QSize>("surface");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<int>("scrollBar");
        QTest::newRow("the designed size") << QSize() << 22 << "1.0000" << QSize(605, 420) << QPoint(0, 0) << 20 << 18;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 22 << "2.4429" << QSize(1920, 1026) << QPoint(221, 0) << 49
                                   << 44;
        QTest::newRow("1920x1080, a taller bar")
            << QSize(1920, 1080) << 40 << "2.3476" << QSize(1920, 986) << QPoint(250, 0) << 47 << 42;
        QTest::newRow("1280x800") << QSize(1280, 800) << 22 << "1.8095" << QSize(1280, 760) << QPoint(92, 0) << 36
                                  << 33;
        QTest::newRow("portrait 1080x1920")
            << QSize(1080, 1920) << 22 << "1.7851" << QSize(1080, 1881) << QPoint(0, 565) << 36 << 32;
    }
    void formFillsTheScreenBelowTheMenuBar()
    {
        QFETCH(QSize, screen);
        QFETCH(int, menuBar);
        QFETCH(QString, factor);
        QFETCH(QSize, surface);
        QFETCH(QPoint, origin);
        QFETCH(int, rowHeight);
        QFETCH(int, scrollBar);
        window::FormScaling scaling(96.0);
        if (screen.isValid())
            scaling.fillScreen(screen, menuBar, [menuBar](qreal grown) { return qRound(menuBar * grown); });
        QCOMPARE(QString::number(scaling.scale().factor, 'f', 4), factor);
        QCOMPARE(scaling.surfaceSize(), surface);
        QCOMPARE(scaling.scale().origin, origin);
        QCOMPARE(scaling.touchRowHeight(), rowHeight);
        QCOMPARE(scaling.touchScrollBarExtent(), scrollBar);
    }
};

QTEST_GUILESS_MAIN(TestWindowHelpers)
#include "tst_windowhelpers.moc"
