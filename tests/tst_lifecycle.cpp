#include "ButtonFace.h"
#include "WindowFixture.h"

#include "runtime/DateText.h"
#include "machine/EventDelivery.h"
#include "runtime/RuntimeError.h"
#include "preferences/ReadableColor.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace testsupport;
using Kind = machine::ScriptedDialogs::Kind;

namespace {

const QString IncorrectPassword = QStringLiteral("Please contact one of The Pellory \r\nstaff members for assistance.");

// The colour a user sees at a point of a control: the whole window is
// grabbed, because a control grabbed alone paints its own palette.
QColor shownColor(QWidget *control, QPoint at)
{
    QWidget *window = control->window();
    const QImage image = window->grab().toImage();
    const QPoint p = control->mapTo(window, at) * window->devicePixelRatio();
    return image.pixelColor(p);
}

// A point of a control that its caption and border leave bare.
QPoint bareSpot(QWidget *control)
{
    return QPoint(control->width() - 6, control->height() / 2 + 4);
}

} // namespace

class TestLifecycle : public QObject, private WindowFixture
{
    Q_OBJECT

private:
    void restart() { QVERIFY(openWindow()); }
    QStringList coloredControls() const
    {
        QStringList names{"fraSneakerItems", "fraPairs", "cmdCalculate", "cmdReset", "cmdClearQuote"};
        for (int i = 1; i <= 5; ++i)
            names << QStringLiteral("optPair_%1").arg(i);
        for (int i = 0; i < 5; ++i)
            names << QStringLiteral("chkSneakerItem_%1").arg(i);
        return names;
    }
    void verifyColored(const QColor &expected)
    {
        QWidget *surface = driver->form().centralWidget();
        QCOMPARE(shownColor(surface, QPoint(surface->width() / 2, surface->height() - 4)), expected);
        for (const QString &name : coloredControls()) {
            auto *control = driver->find<QWidget>(name);
            QCOMPARE(shownColor(control, bareSpot(control)).name(), expected.name());
            // An option or item left uncoloured would show the frame behind it
            // on screen; grabbed alone it shows its own colour.
            if (qobject_cast<QAbstractButton *>(control) && !qobject_cast<QPushButton *>(control))
                QCOMPARE(control->grab().toImage().pixelColor(bareSpot(control) * control->devicePixelRatio()).name(),
                         expected.name());
        }
        for (const QString &name : {"cmdCalculate", "cmdClearQuote", "cmdReset"}) {
            auto *button = driver->find<QWidget>(name);
            // The caption stands out from the face in the button's text colour.
            const QImage shown = driver->form().grab().toImage();
            const QColor text = button->palette().color(QPalette::ButtonText);
            int captionPixels = 0;
            for (int x = 4; x < button->width() - 4; ++x) {
                for (int y = 4; y < button->height() - 4; ++y) {
                    const QPoint at = button->mapTo(&driver->form(), QPoint(x, y)) * shown.devicePixelRatio();
                    captionPixels += shown.pixelColor(at) == text ? 1 : 0;
                }
            }
            QVERIFY2(captionPixels > 20, qPrintable(QStringLiteral("%1: %2 caption pixels").arg(name).arg(captionPixels)));
            // Raised, not pressed: the top and left edges are lighter than the bottom and right.
            const auto grey = [button](QPoint at) { return qGray(shownColor(button, at).rgb()); };
            const int w = button->width();
            const int h = button->height();
            QCOMPARE_GT(grey(QPoint(1, h / 2)), grey(QPoint(w - 2, h / 2)));
            QCOMPARE_GT(grey(QPoint(w / 2, 1)), grey(QPoint(w / 2, h - 2)));
        }
        // The brand list keeps its white interior and its style's frame.
        auto *list = driver->find<QListWidget>("lstBrands");
        QCOMPARE(shownColor(list->viewport(), QPoint(list->viewport()->width() - 4, list->viewport()->height() - 4))
                     .name(),
                 QStringLiteral("#ffffff"));
        const QString frame = QApplication::style()->name() == QStringLiteral("windows") ? "#9f9f9f" : "#b8b8b8";
        QCOMPARE(shownColor(list, QPoint(0, list->height() / 2)).name(), frame);
    }

private slots:
    void init() { freshSettings(); }
    void cleanup() { closeWindow(); }

    void firstStartWritesClockOffAndUsesTheButtonFace()
    {
        QVERIFY(openWindow());
        QCOMPARE(settings->value("DateDisplay"), QStringLiteral("False"));
        QVERIFY(settings->value("BackColor").isEmpty());
        QCOMPARE(driver->colourBehindControls(), WindowDriver::buttonFace());
        QVERIFY(!driver->find<QLabel>("lblDateTime")->isVisible());
        QVERIFY(!driver->find<QTimer>("tmrSneakers")->isActive());
        QVERIFY(driver->action("mnuPreferencesDateandTimeOff")->isChecked());
        QVERIFY(!driver->action("mnuPreferencesDateandTimeOn")->isChecked());
        QCOMPARE(driver->find<QListWidget>("lstBrands")->count(), 12);
        QCOMPARE(driver->find<QListWidget>("lstBrands")->selectedItems().size(), 0);
        verifyColored(QApplication::palette().color(QPalette::Button));
    }

    void storedPreferencesComeBack_data()
    {
        QTest::addColumn<QString>("dateDisplay");
        QTest::addColumn<QString>("backColor");
        QTest::addColumn<bool>("clockShown");
        QTest::addColumn<QColor>("color");
        const QColor face = QApplication::palette().color(QPalette::Button);
        QTest::newRow("clock on, red") << "True" << "255" << true << QColor(255, 0, 0);
        QTest::newRow("any letter case, spaces") << "tRUE" << " 65280 " << true << QColor(0, 255, 0);
        QTest::newRow("a number is a Boolean") << "-1" << "16711680" << true << QColor(0, 0, 255);
        QTest::newRow("zero is false") << "0" << ButtonFaceText << false << face;
        QTest::newRow("damaged values fall back") << "maybe" << "red" << false << face;
        QTest::newRow("colour out of 32 bits falls back") << "False" << "4294967296" << false << face;
        QTest::newRow("empty values fall back") << "" << "" << false << face;
    }
    void storedPreferencesComeBack()
    {
        QFETCH(QString, dateDisplay);
        QFETCH(QString, backColor);
        QFETCH(bool, clockShown);
        QFETCH(QColor, color);
        settings->setValue("DateDisplay", dateDisplay);
        settings->setValue("BackColor", backColor);
        QVERIFY(openWindow());
        QVERIFY(driver->dialogs().shown().isEmpty());
        QCOMPARE(driver->find<QLabel>("lblDateTime")->isVisible(), clockShown);
        QCOMPARE(driver->find<QTimer>("tmrSneakers")->isActive(), clockShown);
        QCOMPARE(driver->action("mnuPreferencesDateandTimeOn")->isChecked(), clockShown);
        QCOMPARE(settings->value("DateDisplay"), clockShown ? QStringLiteral("True") : QStringLiteral("False"));
        verifyColored(color);
    }

    void customColourIsAppliedAndStored()
    {
        QVERIFY(openWindow());
        driver->dialogs().answerColor(QColor(0, 0, 255));
        driver->trigger("mnuColorsCustom");
        QCOMPARE(driver->dialogs().shown().size(), 1);
        QCOMPARE(driver->dialogs().shown().first().kind, Kind::Color);
        QCOMPARE(settings->value("BackColor"), QStringLiteral("16711680"));
        QCOMPARE(driver->colourBehindControls(), QColor(0, 0, 255));
        // Tabbing onto a button must not tint its face.
        driver->find<QWidget>("cmdClearQuote")->setFocus();
        QTest::keyClick(driver->find<QWidget>("cmdClearQuote"), Qt::Key_Tab);
        QTRY_VERIFY(driver->find<QWidget>("cmdReset")->hasFocus());
        verifyColored(QColor(0, 0, 255));
        restart();
        verifyColored(QColor(0, 0, 255));
    }

    void blackCaptionsNeedAContrastOfTwoToOne_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<double>("luminance");
        QTest::addColumn<bool>("readable");
        QTest::newRow("black") << QColor(0, 0, 0) << 0.0 << false;
        QTest::newRow("near-black") << QColor(30, 30, 30) << 0.01298 << false;
        QTest::newRow("dark navy") << QColor(0, 0, 128) << 0.01559 << false;
        QTest::newRow("dark grey, just under 2:1") << QColor(63, 63, 63) << 0.04971 << false;
        QTest::newRow("dark grey, just over 2:1") << QColor(64, 64, 64) << 0.05127 << true;
        QTest::newRow("dark red") << QColor(128, 0, 0) << 0.04589 << false;
        QTest::newRow("pure blue") << QColor(0, 0, 255) << 0.0722 << true;
        QTest::newRow("pure red") << QColor(255, 0, 0) << 0.2126 << true;
        QTest::newRow("white") << QColor(255, 255, 255) << 1.0 << true;
    }
    void blackCaptionsNeedAContrastOfTwoToOne()
    {
        QFETCH(QColor, color);
        QFETCH(double, luminance);
        QFETCH(bool, readable);
        QVERIFY(qAbs(preferences::relativeLuminance(color) - luminance) < 0.00001);
        QCOMPARE(preferences::keepsBlackCaptionsReadable(color), readable);
    }

    void darkColoursAreRefusedAndNotStored_data()
    {
        QTest::addColumn<QColor>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::newRow("black") << QColor(0, 0, 0) << "255";
        QTest::newRow("near-black") << QColor(20, 20, 24) << "255";
        QTest::newRow("pure blue") << QColor(0, 0, 255) << "16711680";
    }
    void darkColoursAreRefusedAndNotStored()
    {
        QFETCH(QColor, chosen);
        QFETCH(QString, stored);
        settings->setValue("BackColor", "255");
        QVERIFY(openWindow());
        driver->dialogs().answerColor(chosen);
        driver->trigger("mnuColorsCustom");
        const bool refused = stored == "255";
        QCOMPARE(driver->dialogs().messages(),
                 refused ? QStringList{"That color is too dark to read the black captions on. Please choose a "
                                       "lighter color."}
                         : QStringList());
        QCOMPARE(settings->value("BackColor"), stored);
        verifyColored(refused ? QColor(255, 0, 0) : chosen);
    }

    void cancelledChooserChangesNothing()
    {
        settings->setValue("BackColor", "255");
        QVERIFY(openWindow());
        driver->dialogs().answerColor(std::nullopt);
        driver->trigger("mnuColorsCustom");
        QCOMPARE(driver->dialogs().messages(), QStringList{"Color change is canceled."});
        QCOMPARE(driver->dialogs().shown().last().title, QStringLiteral("The Pellory"));
        QCOMPARE(settings->value("BackColor"), QStringLiteral("255"));
        verifyColored(QColor(255, 0, 0));
    }

    void aFailingChooserIsReportedAsUnexpected()
    {
        // A chooser that fails for any reason other than a cancel.
        struct FailingChooser : machine::ScriptedDialogs
        {
            std::optional<QColor> chooseColor(const QColor &) override
            {
                runtime::raise(runtime::ErrorNumber::InternalError);
            }
        } dialogs;
        frmMain form(dialogs, prices.path());
        QVERIFY(form.load());
        form.findChild<QAction *>("mnuColorsCustom")->trigger();
        QCOMPARE(dialogs.messages(), QStringList{"An unexpected error has occurred \r\nPlease contact a member of the "
                                                 "\r\nPellory staff."});
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("The Pellory"));
        QCOMPARE(form.grab().toImage().pixelColor(form.width() / 2, form.height() - 4), WindowDriver::buttonFace());
        QVERIFY(settings->value("BackColor").isEmpty());
    }

    void defaultColourIsStoredToo()
    {
        settings->setValue("BackColor", "16711680");
        QVERIFY(openWindow());
        driver->trigger("mnuColorsdefault");
        QCOMPARE(settings->value("BackColor"), ButtonFaceText);
        verifyColored(QApplication::palette().color(QPalette::Button));
        restart();
        QCOMPARE(driver->colourBehindControls(), WindowDriver::buttonFace());
    }

    void clockSwitchesOnAndOff()
    {
        QVERIFY(openWindow());
        auto *clock = driver->find<QLabel>("lblDateTime");
        driver->trigger("mnuPreferencesDateandTimeOn");
        QVERIFY(clock->isVisible());
        QVERIFY(driver->action("mnuPreferencesDateandTimeOn")->isChecked());
        QVERIFY(!driver->action("mnuPreferencesDateandTimeOff")->isChecked());
        QCOMPARE(settings->value("DateDisplay"), QStringLiteral("True"));
        QVERIFY(driver->action(QStringLiteral("mnuPreferencesDateandTimeOn"))->isChecked());
        QCOMPARE(driver->find<QTimer>("tmrSneakers")->interval(), 1000);

        // The first tick comes within a second; the text reads like 7/4/2010 3:05:09 PM.
        QTRY_VERIFY_WITH_TIMEOUT(!clock->text().isEmpty(), 2500);
        static const QRegularExpression usClock(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4}( \\d{1,2}:\\d{2}:\\d{2} [AP]M)?$"));
        QVERIFY2(usClock.match(clock->text()).hasMatch(), qPrintable(clock->text()));
        QVERIFY(clock->width() >= clock->sizeHint().width());
        const QString first = clock->text();
        QTRY_VERIFY_WITH_TIMEOUT(clock->text() != first, 2500);

        driver->trigger("mnuPreferencesDateandTimeOff");
        driver->trigger("mnuPreferencesDateandTimeOff");
        QVERIFY(!clock->isVisible());
        QVERIFY(!driver->find<QTimer>("tmrSneakers")->isActive());
        QVERIFY(driver->action("mnuPreferencesDateandTimeOff")->isChecked());
        QVERIFY(!driver->action("mnuPreferencesDateandTimeOn")->isChecked());
        QCOMPARE(settings->value("DateDisplay"), QStringLiteral("False"));
        const QString stopped = clock->text();
        QTest::qWait(1200);
        QCOMPARE(clock->text(), stopped);

        driver->trigger("mnuPreferencesDateandTimeOn");
        restart();
        QVERIFY(driver->find<QLabel>("lblDateTime")->isVisible());
        QVERIFY(driver->action("mnuPreferencesDateandTimeOn")->isChecked());
    }

    // Both a missing file and a missing folder take the missing-file text.
    void missingPriceFileStopsStartUpBeforeTheClockIsStored_data()
    {
        QTest::addColumn<QString>("below");
        QTest::addColumn<QString>("error");
        QTest::newRow("file missing") << "" << "Run-time error '53':\n\nFile not found";
        QTest::newRow("folder missing") << "gone/" << "Run-time error '76':\n\nPath not found";
    }
    void missingPriceFileStopsStartUpBeforeTheClockIsStored()
    {
        QFETCH(QString, below);
        QFETCH(QString, error);
        const TemporaryPriceFile folder;
        const QString path = folder.folder() + u'/' + below + QStringLiteral("BrandsPrices.txt");
        driver = std::make_unique<WindowDriver>(path);
        QSignalSpy unloaded(&driver->form(), &frmMain::unloaded);
        QVERIFY(!driver->form().load());
        QVERIFY(!driver->form().isVisible());
        QCOMPARE(unloaded.size(), 1);
        QVERIFY(unloaded.first().first().toInt() != 0);
        QVERIFY(settings->value("DateDisplay").isEmpty());
        const QStringList messages = driver->dialogs().messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().startsWith(" A file required by the Pellory \nprogram is missing."));
        QVERIFY(messages.first().contains(error));
        QVERIFY(messages.first().contains(QDir::toNativeSeparators(path)));
        QCOMPARE(driver->dialogs().shown().first().title, QStringLiteral("The Pellory"));
    }

    void wrongPasswordsKeepTheWindowOpen_data()
    {
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::newRow("wrong") << std::optional<QString>("123456");
        QTest::newRow("trailing space") << std::optional<QString>("472916 ");
        QTest::newRow("cancelled") << std::optional<QString>();
    }
    void wrongPasswordsKeepTheWindowOpen()
    {
        QFETCH(std::optional<QString>, typed);
        QVERIFY(openWindow());
        QSignalSpy unloaded(&driver->form(), &frmMain::unloaded);
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (typed)
                driver->dialogs().answerInput(*typed);
            driver->trigger("mnuFileExit");
        }
        const auto &shown = driver->dialogs().shown();
        QCOMPARE(shown.size(), 6);
        QCOMPARE(shown[0].kind, Kind::Input);
        QCOMPARE(shown[0].prompt, QStringLiteral("Enter a password in order to exit the program"));
        QCOMPARE(shown[0].title, QStringLiteral("Exit the Program?"));
        QCOMPARE(shown[1].prompt, IncorrectPassword);
        QCOMPARE(shown[1].title, QStringLiteral("OOOPS!! Incorrect Password"));
        QVERIFY(driver->form().isVisible());
        QCOMPARE(unloaded.size(), 0);
    }

    void staffPasswordEndsTheProgram_data()
    {
        QTest::addColumn<bool>("throughCloseBox");
        QTest::newRow("File > Exit") << false;
        QTest::newRow("close box") << true;
    }
    void staffPasswordEndsTheProgram()
    {
        QFETCH(bool, throughCloseBox);
        QVERIFY(openWindow());
        QSignalSpy unloaded(&driver->form(), &frmMain::unloaded);
        if (throughCloseBox) {
            QVERIFY(!driver->form().close());
            QCOMPARE(driver->dialogs().messages(), QStringList{IncorrectPassword});
            QVERIFY(driver->form().isVisible());
        }
        driver->dialogs().answerInput("472916");
        if (throughCloseBox)
            QVERIFY(driver->form().close());
        else
            driver->trigger("mnuFileExit");
        QCOMPARE(driver->dialogs().messages().last(), QStringLiteral("Thank you for using for using our program!"));
        QCOMPARE(driver->dialogs().shown().last().title, QStringLiteral("The Pellory"));
        QCOMPARE(unloaded.size(), 1);
        QCOMPARE(unloaded.first().first().toInt(), 0);
        QVERIFY(!driver->form().isVisible());
        QVERIFY(!driver->find<QTimer>("tmrSneakers")->isActive());
    }

    // The password file beside the program decides which password the staff
    // exit takes; "-" tries the exit when no password box is expected.
    void staffExitTakesThePasswordOfTheFile_data()
    {
        const QByteArray hashOf123456789 =
            "$argon2id$v=19$m=65536,t=2,p=1$qiuR6KdXnPa/Cloj5K/NpA$ZTqhjlW7P48MnHrNKz0GC07w63dklxxKpmBUvsP3WzQ\n";
        QTest::addColumn<QByteArray>("passwordFile");
        QTest::addColumn<QStringList>("tries");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<QString>("lastTitle");
        QTest::addColumn<QString>("lastMessage");
        QTest::newRow("the shop's own") << hashOf123456789 << QStringList{"123456789"} << true << "The Pellory"
                                        << "Thank you for using for using our program!";
        QTest::newRow("the default no longer") << hashOf123456789 << QStringList{"472916"} << false
                                               << "OOOPS!! Incorrect Password" << IncorrectPassword;
        QTest::newRow("a damaged file refuses the default") << QByteArray("garbage\n") << QStringList{"472916"} << false
                                                            << "OOOPS!! Incorrect Password" << IncorrectPassword;
        QTest::newRow("three wrong: the box stays away")
            << QByteArray() << QStringList{"1", "2", "3", "-"} << false << "Exit the Program?"
            << "Too many wrong passwords.\r\nPlease try again in 30 seconds.";
        QTest::newRow("three wrong, then the close box")
            << QByteArray() << QStringList{"1", "2", "3", "close"} << false << "Exit the Program?"
            << "Too many wrong passwords.\r\nPlease try again in 30 seconds.";
    }
    void staffExitTakesThePasswordOfTheFile()
    {
        QFETCH(QByteArray, passwordFile);
        QFETCH(QStringList, tries);
        QFETCH(bool, ended);
        QFETCH(QString, lastTitle);
        QFETCH(QString, lastMessage);
        const QTemporaryDir folder;
        const QString path = folder.filePath("staff-password");
        if (!passwordFile.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(passwordFile);
        }
        QVERIFY(openWindow());
        driver->form().guardExitWith(staffpassword::StaffExit(path));
        QSignalSpy unloaded(&driver->form(), &frmMain::unloaded);
        for (const QString &typed : tries) {
            if (typed == "close") {
                QVERIFY(!driver->form().close());
                continue;
            }
            if (typed != "-")
                driver->dialogs().answerInput(typed);
            const qsizetype shownBefore = driver->dialogs().shown().size();
            driver->trigger("mnuFileExit");
            // The shop's own password is checked off the window's thread: the
            // verdict comes after the handler has returned.
            if (passwordFile.startsWith("$argon2id$") && typed != "-") {
                QCOMPARE(driver->dialogs().shown().size(), shownBefore + 1);
                QTRY_COMPARE(driver->dialogs().shown().size(), shownBefore + 2);
            }
        }
        const qsizetype boxes = tries.size() - tries.count("-") - tries.count("close");
        QCOMPARE(driver->dialogs().shown().size(), boxes * 2 + (tries.size() - boxes));
        QCOMPARE(driver->dialogs().shown().last().title, lastTitle);
        QCOMPARE(driver->dialogs().messages().last(), lastMessage);
        QCOMPARE(unloaded.size(), ended ? 1 : 0);
        QCOMPARE(driver->form().isVisible(), !ended);
    }

    void preferencesCanBeForStaffOnly_data()
    {
        // The password typed when asked (none: not asked, or cancelled).
        QTest::addColumn<bool>("staffOnly");
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<bool>("changed");
        QTest::newRow("for everyone") << false << std::optional<QString>() << true;
        QTest::newRow("staff only, the staff password") << true << std::optional<QString>("472916") << true;
        QTest::newRow("staff only, a wrong password") << true << std::optional<QString>("123456") << false;
        QTest::newRow("staff only, cancelled") << true << std::optional<QString>() << false;
    }
    void preferencesCanBeForStaffOnly()
    {
        QFETCH(bool, staffOnly);
        QFETCH(std::optional<QString>, typed);
        QFETCH(bool, changed);
        configuration::ShopConfiguration shop;
        shop.staffOnlyPreferences = staffOnly;
        QVERIFY(openWindow(shop));
        for (const char *item : {"mnuPreferencesDateandTimeOn", "mnuColorsdefault"}) {
            driver->dialogs().clear();
            settings->setValue("BackColor", "255");
            if (typed)
                driver->dialogs().answerInput(*typed);
            driver->trigger(item);
            QStringList titles;
            for (const auto &shown : driver->dialogs().shown())
                titles << shown.title;
            if (!staffOnly)
                QCOMPARE(titles, QStringList());
            else if (changed)
                QCOMPARE(titles, QStringList{"Staff Only"});
            else
                QCOMPARE(titles, (QStringList{"Staff Only", "OOOPS!! Incorrect Password"}));
            if (staffOnly)
                QCOMPARE(driver->dialogs().shown().first().echo, machine::Dialogs::Echo::Masked);
        }
        QCOMPARE(driver->action("mnuPreferencesDateandTimeOn")->isChecked(), changed);
        QCOMPARE(settings->value("DateDisplay"), changed ? QStringLiteral("True") : QStringLiteral("False"));
        QCOMPARE(settings->value("BackColor"), changed ? ButtonFaceText : QStringLiteral("255"));
    }

    void aboutShowsFiveLines()
    {
        QVERIFY(openWindow());
        driver->trigger("mnuHelpPelloryProgram");
        QCOMPARE(driver->dialogs().shown().size(), 1);
        QCOMPARE(driver->dialogs().shown().first().title, QStringLiteral("Brought to You by The Pellory"));
        QCOMPARE(driver->dialogs().messages().first().split("\r\n"),
                 (QStringList{"This program was developed by Quarlow for ",
                              "your use while shopping in The Pellory. ",
                              "We hope your visit with us was pleasant and ",
                              "productive.  If you have unanswered questions, ",
                              "please ask one of our staff.  Have a great day!!"}));
    }

    void anUntrappedErrorIsReportedAndEndsTheProgram()
    {
        machine::ScriptedDialogs dialogs;
        QList<int> endings;
        machine::EventDelivery events(dialogs, [&](int status) { endings << status; });
        events.deliver([] { runtime::raise(runtime::ErrorNumber::SubscriptOutOfRange); });
        QCOMPARE(dialogs.messages(), QStringList{"Run-time error '9':\n\nSubscript out of range"});
        QCOMPARE(dialogs.shown().first().icon, machine::Dialogs::Icon::Critical);
        QCOMPARE(endings, QList<int>{EXIT_FAILURE});
        bool ranAfterwards = false;
        events.deliver([&] { ranAfterwards = true; });
        QVERIFY(!ranAfterwards);
        QCOMPARE(endings.size(), 1);
    }
};

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
