#include "WindowFixture.h"

#include "machine/QtDialogs.h"
#include "window/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointingDevice>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QScroller>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace testsupport;

// The window as a shop-floor kiosk runs it: filling the screen (a 1920x1080
// screen, or the one QT_QPA_PLATFORM's configfile names).
class TestKiosk : public QObject, private WindowFixture
{
    Q_OBJECT

    std::unique_ptr<QPointingDevice> touchScreen{QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen)};

    QSize screenSize() const { return QGuiApplication::primaryScreen()->geometry().size(); }

    // A finger touching the screen at `at` in `widget`, held there for
    // `heldMs`, then lifted.
    void tap(QWidget *widget, QPoint at, int heldMs = 0)
    {
        QWindow *window = widget->window()->windowHandle();
        const QPoint point = widget->mapTo(widget->window(), at);
        QTest::touchEvent(window, touchScreen.get()).press(0, point, window);
        if (heldMs > 0)
            QTest::qWait(heldMs);
        QTest::touchEvent(window, touchScreen.get()).release(0, point, window);
    }
    // Held longer than the press-and-hold time.
    void longPress(QWidget *widget, QPoint at)
    {
        tap(widget, at, QGuiApplication::styleHints()->mousePressAndHoldInterval() + 200);
    }

    // What the customer has chosen, as one line.
    QString selection() const
    {
        QString ticks;
        for (int item = 0; item < 5; ++item)
            ticks += driver->itemChecked(item) ? u'x' : (driver->itemEnabled(item) ? u'-' : u'#');
        int pairs = 0;
        for (int option = 1; option <= 5; ++option)
            pairs = driver->find<QRadioButton>(QStringLiteral("optPair_%1").arg(option))->isChecked() ? option : pairs;
        return QStringLiteral("brand %1, items %2, pairs %3")
            .arg(driver->find<BrandList>("lstBrands")->listIndex()).arg(ticks).arg(pairs);
    }

    // Each touch target's shorter side, in pixels, named for the report.
    QList<std::pair<QString, int>> touchTargets()
    {
        QList<std::pair<QString, int>> targets;
        auto add = [&](const QString &name, QSize size) { targets.append({name, qMin(size.width(), size.height())}); };
        auto *list = driver->find<QListWidget>("lstBrands");
        add("brand row", list->visualItemRect(list->item(0)).size());
        add("brand list scroll bar", QSize(list->verticalScrollBar()->width(), list->height()));
        for (QAbstractButton *button : driver->form().centralWidget()->findChildren<QAbstractButton *>())
            add(button->objectName(), button->size());
        QMenuBar *bar = driver->form().menuBar();
        for (QAction *title : bar->actions())
            add("menu bar " + title->text(), bar->actionGeometry(title).size());
        for (QMenu *menu : driver->form().findChildren<QMenu *>(QRegularExpression("^mnu"))) {
            menu->ensurePolished();
            menu->sizeHint();
            for (QAction *item : menu->actions()) {
                if (!item->isSeparator())
                    add(menu->objectName() + " " + item->text(), menu->actionGeometry(item).size());
            }
        }
        return targets;
    }

private slots:
    void init()
    {
        freshSettings();
        settings->setValue("BackColor", "255");
        configuration::ShopConfiguration shop;
        shop.fillScreen = true;
        QVERIFY(openWindow(shop));
    }
    void cleanup() { closeWindow(); }

    void fillFactorIsTheLargestThatFits_data()
    {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("designed");
        QTest::addColumn<double>("factor");
        QTest::newRow("1920x1080: the height limits") << QSize(1920, 1080) << QSize(605, 440) << 2.4545;
        QTest::newRow("1280x800: the height limits") << QSize(1280, 800) << QSize(605, 440) << 1.8182;
        QTest::newRow("a tall screen: the width limits") << QSize(1080, 1920) << QSize(605, 440) << 1.7851;
        QTest::newRow("a smaller screen shrinks it") << QSize(560, 440) << QSize(605, 440) << 0.9256;
    }
    void fillFactorIsTheLargestThatFits()
    {
        QFETCH(QSize, available);
        QFETCH(QSize, designed);
        QFETCH(double, factor);
        QVERIFY(qAbs(window::fillFactor(available, designed) - factor) < 0.0001);
    }

    // The form grows to the screen, centred, with the rest of the screen in
    // the window's colour (the stored red).
    void windowFillsTheScreen()
    {
        frmMain &form = driver->form();
        QCOMPARE(form.frameGeometry(), QRect(QPoint(0, 0), screenSize()));
        QWidget *surface = form.centralWidget();
        QCOMPARE(surface->geometry().bottomRight(), QPoint(screenSize().width() - 1, screenSize().height() - 1));

        // The form is 9075 by 6300 twips, with the instructions 360 twips
        // from its left and 120 from its top, 8535 twips wide.
        const QRect instructions = driver->find<QWidget>("lblInstructions")->geometry();
        const qreal pixelsPerTwip = instructions.width() / 8535.0;
        const QRect formArea(instructions.topLeft() - QPoint(qRound(360 * pixelsPerTwip), qRound(120 * pixelsPerTwip)),
                             QSize(qRound(9075 * pixelsPerTwip), qRound(6300 * pixelsPerTwip)));
        const QMargins bands(formArea.left(), formArea.top(), surface->width() - 1 - formArea.right(),
                             surface->height() - 1 - formArea.bottom());
        const QString where = QStringLiteral("bands %1 %2 %3 %4")
                                  .arg(bands.left()).arg(bands.top()).arg(bands.right()).arg(bands.bottom());
        QVERIFY2(qAbs(bands.left() - bands.right()) <= 2 && qAbs(bands.top() - bands.bottom()) <= 2, qPrintable(where));
        QVERIFY2(qMin(bands.left(), bands.top()) <= 4, qPrintable(where));

        const QImage shown = form.grab().toImage();
        const QPoint corners[] = {surface->geometry().topLeft() + QPoint(2, 2), QPoint(2, shown.height() - 3),
                                  QPoint(shown.width() - 3, shown.height() - 3)};
        for (const QPoint corner : corners)
            QCOMPARE(shown.pixelColor(corner * shown.devicePixelRatio()).name(), QStringLiteral("#ff0000"));
    }

    // A tap anywhere on a control acts on it, the blank right part of a
    // check box's or option's row too. The window starts with brand 1 chosen,
    // which greys Cross Trainers (# below), Fitness and Walking.
    void tapsActOnEveryKindOfControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("across");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a brand") << "lstBrands" << 0.5 << "brand 3, items -----, pairs 0" << QStringList();
        QTest::newRow("an item, on its caption") << "chkSneakerItem_1" << 0.3 << "brand 1, items #x#-#, pairs 0"
                                                 << QStringList();
        QTest::newRow("an item, far right of its row") << "chkSneakerItem_3" << 0.98 << "brand 1, items #-#x#, pairs 0"
                                                       << QStringList();
        QTest::newRow("a greyed item") << "chkSneakerItem_0" << 0.3 << "brand 1, items #-#-#, pairs 0"
                                       << QStringList();
        QTest::newRow("an option, far right of its row") << "optPair_4" << 0.98 << "brand 1, items #-#-#, pairs 4"
                                                         << QStringList();
        QTest::newRow("a button") << "cmdCalculate" << 0.5 << "brand 1, items #-#-#, pairs 0"
                                  << QStringList{"You must select one or more types of sneakers.",
                                                 " You must select at leat 1 pair of sneakers."};
        QTest::newRow("another button") << "cmdReset" << 0.9 << "brand -1, items -----, pairs 0" << QStringList();
    }
    void tapsActOnEveryKindOfControl()
    {
        QFETCH(QString, control);
        QFETCH(double, across);
        QFETCH(QString, selection);
        QFETCH(QStringList, messages);
        driver->clickBrand(1);
        QCOMPARE(this->selection(), QStringLiteral("brand 1, items #-#-#, pairs 0"));
        if (control == "lstBrands") {
            auto *list = driver->find<QListWidget>("lstBrands");
            tap(list->viewport(), list->visualItemRect(list->item(3)).center());
        } else {
            auto *target = driver->find<QWidget>(control);
            tap(target, QPoint(int(target->width() * across), target->height() / 2));
        }
        QTRY_COMPARE(this->selection(), selection);
        QCOMPARE(driver->dialogs().messages(), messages);
    }

    // A long press on the bare window opens the pop-up menu, as a right
    // click does; on a greyed item it shows why it is greyed, on a button
    // what it does (without pressing it). On an item that can be ticked it
    // is a slow tap. The window starts with brand 1 chosen.
    void longPressExplainsOrPopsUp_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("popup");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("selection");
        QTest::newRow("the bare window") << "" << "" << "mnuPreferences" << "" << "brand 1, items #-#-#, pairs 0";
        QTest::newRow("the bare window, held twice on one spot")
            << "" << "long press" << "mnuPreferences" << "" << "brand 1, items #-#-#, pairs 0";
        QTest::newRow("a greyed item") << "chkSneakerItem_0" << "" << ""
                                       << "If selection is greyed, it is not available in selected brand."
                                       << "brand 1, items #-#-#, pairs 0";
        QTest::newRow("a button") << "cmdReset" << "" << "" << "Completely clear your selections."
                                  << "brand 1, items #-#-#, pairs 0";
        QTest::newRow("a button just tapped") << "cmdReset" << "tap" << "" << "Completely clear your selections."
                                              << "brand -1, items -----, pairs 0";
        QTest::newRow("an item") << "chkSneakerItem_1" << "" << "" << "" << "brand 1, items #x#-#, pairs 0";
        QTest::newRow("a brand") << "lstBrands" << "" << "" << "" << "brand 0, items -----, pairs 0";
    }
    void longPressExplainsOrPopsUp()
    {
        QFETCH(QString, control);
        QFETCH(QString, before);
        QFETCH(QString, popup);
        QFETCH(QString, tooltip);
        QFETCH(QString, selection);
        driver->clickBrand(1);
        QString popped;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            // The pop-up runs its own event loop: it is answered from inside it.
            if (QWidget *open = QApplication::activePopupWidget()) {
                popped = open->objectName();
                open->close();
            }
        });
        watch.start(20);
        QWidget *target = control.isEmpty() ? driver->form().centralWidget() : driver->find<QWidget>(control);
        QWidget *touched = control == "lstBrands" ? driver->find<QListWidget>(control)->viewport() : target;
        const QPoint spot = control.isEmpty()  ? QPoint(5, target->height() - 5)
            : control == "lstBrands" ? QPoint(20, 10)
                                     : QPoint(target->width() / 2, target->height() / 2);
        // A second touch on the spot of the one before comes as a double
        // click: the row starts after a touch elsewhere.
        tap(driver->form().centralWidget(), QPoint(5, 5));
        QTest::qWait(200);
        if (before == "tap")
            tap(touched, spot);
        if (before == "long press")
            longPress(touched, spot);
        QTest::qWait(200);
        popped.clear();
        QToolTip::hideText();
        longPress(touched, spot);
        if (!tooltip.isEmpty())
            QTRY_VERIFY(QToolTip::isVisible());
        QTest::qWait(200);
        QCOMPARE(popped, popup);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tooltip);
        QCOMPARE(this->selection(), selection);
        // The explanation is given without pressing: the button is not drawn held down.
        if (auto *button = qobject_cast<QAbstractButton *>(target))
            QVERIFY(!button->isDown());
        QVERIFY(driver->dialogs().shown().isEmpty());
        QToolTip::hideText();
    }

    // The pointer hides after a touch and comes back when a mouse moves.
    void pointerHidesWhileFingersAreUsed()
    {
        auto pointer = [] {
            return QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        };
        QWidget *surface = driver->form().centralWidget();
        // A touch screen is attached, so it starts hidden.
        QCOMPARE(pointer(), Qt::BlankCursor);
        QTest::mouseMove(surface, QPoint(30, 30));
        QCOMPARE(pointer(), Qt::ArrowCursor);
        tap(driver->find<QWidget>("chkSneakerItem_2"), QPoint(10, 10));
        QCOMPARE(pointer(), Qt::BlankCursor);
        QTest::mouseMove(surface, QPoint(40, 40));
        QCOMPARE(pointer(), Qt::ArrowCursor);
    }

    // A tapped control shows no focus outline; given the focus by the
    // keyboard it does.
    void noFocusOutlineAfterATap_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("a button") << "cmdCalculate";
        QTest::newRow("an item") << "chkSneakerItem_2";
        QTest::newRow("an option") << "optPair_3";
        QTest::newRow("the brand list") << "lstBrands";
    }
    void noFocusOutlineAfterATap()
    {
        QFETCH(QString, control);
        auto *target = driver->find<QWidget>(control);
        auto *list = qobject_cast<QListWidget *>(target);
        QWidget *tapped = list ? list->viewport() : target;
        tap(tapped, list ? list->visualItemRect(list->item(2)).center() : QPoint(10, target->height() / 2));
        QTRY_VERIFY(target->hasFocus());
        const QImage afterTap = target->grab().toImage();
        target->clearFocus();
        QTRY_VERIFY(!target->hasFocus());
        const QImage unfocused = target->grab().toImage();
        QCOMPARE(afterTap, unfocused);
        // Tab away and back.
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Tab);
        QTRY_VERIFY(!target->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTRY_VERIFY(target->hasFocus());
        QVERIFY(target->grab().toImage() != unfocused);
    }

    // A swipe on the brand list scrolls it, and picks no brand; a tap after it picks one.
    void swipeScrollsTheBrandList()
    {
        auto *list = driver->find<QListWidget>("lstBrands");
        QWindow *window = driver->form().windowHandle();
        const QPoint start = list->viewport()->mapTo(&driver->form(), list->visualItemRect(list->item(8)).center());
        QTest::touchEvent(window, touchScreen.get()).press(0, start, window);
        for (int step = 1; step <= 10; ++step) {
            QTest::qWait(15);
            QTest::touchEvent(window, touchScreen.get()).move(0, start - QPoint(0, 30 * step), window);
        }
        QTest::touchEvent(window, touchScreen.get()).release(0, start - QPoint(0, 300), window);
        QTRY_VERIFY(list->verticalScrollBar()->value() > 0);
        // A tap while the list still slides only stops it.
        QTRY_COMPARE(QScroller::scroller(list->viewport())->state(), QScroller::Inactive);
        QCOMPARE(selection(), QStringLiteral("brand -1, items -----, pairs 0"));
        QVERIFY(list->verticalScrollBar()->value() > 0);
        tap(list->viewport(), list->visualItemRect(list->item(11)).center());
        QTRY_COMPARE(selection(), QStringLiteral("brand 11, items -----, pairs 0"));
    }

    // Staff close the kiosk by touch: the password box's digit pad types the
    // password, Erase takes a digit back, OK answers; then the message's OK.
    // Title, prompt, messages and result are those of the keyboard's way.
    void digitPadTypesThePasswordAndClosesTheWindow_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("dialogs");
        QTest::addColumn<bool>("closed");
        const QString passwordBox = "Exit the Program?: Enter a password in order to exit the program";
        QTest::newRow("the staff password")
            << "472916" << QStringList{passwordBox, "The Pellory: Thank you for using for using our program!"} << true;
        QTest::newRow("a slip taken back with Erase")
            << "47293E16" << QStringList{passwordBox, "The Pellory: Thank you for using for using our program!"}
            << true;
        QTest::newRow("typed on a keyboard beside the pad, Return")
            << "keyboard 472916" << QStringList{passwordBox, "The Pellory: Thank you for using for using our program!"}
            << true;
        QTest::newRow("a wrong password")
            << "123456"
            << QStringList{passwordBox, "OOOPS!! Incorrect Password: Please contact one of The Pellory \nstaff "
                                        "members for assistance."}
            << false;
    }
    void digitPadTypesThePasswordAndClosesTheWindow()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, dialogs);
        QFETCH(bool, closed);
        driver.reset();
        configuration::ShopConfiguration shop;
        shop.fillScreen = true;
        machine::QtDialogs qtDialogs;
        qtDialogs.setDigitPad(true);
        frmMain form(qtDialogs, prices.path(), shop);
        qtDialogs.setParent(&form);
        qtDialogs.setScale(form.formScale());
        QVERIFY(form.load());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy unloaded(&form, &frmMain::unloaded);

        QStringList seen;
        QStringList sizes;
        auto pressAll = [&](QWidget *box, const QStringList &buttons) {
            for (const QString &name : buttons) {
                auto *button = box->findChild<QAbstractButton *>(name);
                if (!button) {
                    sizes << name + " -1";
                    continue;
                }
                sizes << QStringLiteral("%1 %2").arg(name).arg(qMin(button->width(), button->height()));
                tap(button, button->rect().center());
            }
        };
        std::function<void()> answerMessage = [&] {
            auto *message = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!message || !QTest::qWaitForWindowExposed(message)) {
                QTimer::singleShot(20, answerMessage);
                return;
            }
            seen << message->windowTitle() + ": " + message->text();
            message->button(QMessageBox::Ok)->setObjectName("messageOk");
            pressAll(message, {"messageOk"});
        };
        std::function<void()> answerPassword = [&] {
            auto *input = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            if (!input || !QTest::qWaitForWindowExposed(input)) {
                QTimer::singleShot(20, answerPassword);
                return;
            }
            seen << input->windowTitle() + ": " + input->labelText();
            if (keys.startsWith("keyboard ")) {
                QTest::keyClicks(input->findChild<QLineEdit *>(), keys.section(' ', 1));
                QTest::keyClick(input->findChild<QLineEdit *>(), Qt::Key_Return);
                QTimer::singleShot(20, answerMessage);
                return;
            }
            QStringList pressed;
            for (const QChar key : keys)
                pressed << (key == u'E' ? QStringLiteral("digitPad_Erase") : QStringLiteral("digitPad_") + key);
            auto *buttons = input->findChild<QDialogButtonBox *>();
            buttons->button(QDialogButtonBox::Cancel)->setObjectName("passwordCancel");
            buttons->button(QDialogButtonBox::Ok)->setObjectName("passwordOk");
            pressAll(input, pressed << "passwordOk");
            sizes << QStringLiteral("passwordCancel %1").arg(qMin(buttons->button(QDialogButtonBox::Cancel)->width(),
                                                                  buttons->button(QDialogButtonBox::Cancel)->height()));
            QTimer::singleShot(20, answerMessage);
        };
        QTimer::singleShot(0, answerPassword);
        form.findChild<QAction *>("mnuFileExit")->trigger();

        QCOMPARE(seen, dialogs);
        QCOMPARE(unloaded.size(), closed ? 1 : 0);
        QCOMPARE(form.isVisible(), !closed);
        const int least = screenSize() == QSize(1920, 1080) ? 37 : 0;
        for (const QString &size : sizes)
            QVERIFY2(size.section(' ', 1).toInt() >= least, qPrintable(size));
        qInfo("%dx%d: %s", screenSize().width(), screenSize().height(), qPrintable(sizes.join(", ")));
    }

    // Every touch target is at least 9 mm on its shorter side on a 21.5-inch
    // 1920x1080 panel (102 pixels to the inch): 37 pixels. Other screens only
    // list what they measure.
    void everyTouchTargetIsFingerSized()
    {
        const int least = screenSize() == QSize(1920, 1080) ? 37 : 0;
        QStringList measured;
        for (const auto &[name, pixels] : touchTargets()) {
            measured << QStringLiteral("%1 %2").arg(name).arg(pixels);
            QVERIFY2(pixels >= least, qPrintable(QStringLiteral("%1 is %2 px").arg(name).arg(pixels)));
        }
        qInfo("%dx%d: %s", screenSize().width(), screenSize().height(), qPrintable(measured.join(", ")));
    }
};

QTEST_MAIN(TestKiosk)
#include "tst_kiosk.moc"
