#include "ScreenPixels.h"
#include "WindowFixture.h"

#include "window/WindowPlacement.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <array>

using namespace testsupport;

namespace {

// Runs `check` on the pop-up menu that opens next, then closes it.
void onNextPopup(std::function<void(QMenu *)> check)
{
    QTimer::singleShot(50, [check] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        check(menu);
        if (menu)
            menu->close();
    });
}

// A pixel of a grabbed image, at a point in the grabbed widget's coordinates.
QColor pixelAt(const QImage &image, QPoint at)
{
    return image.pixelColor(at * image.devicePixelRatio());
}

// Pops a menu up, grabs it and closes it again.
QImage shownMenu(QMenu *menu)
{
    menu->popup(menu->parentWidget()->mapToGlobal(QPoint(10, 10)));
    if (!QTest::qWaitForWindowExposed(menu))
        return {};
    const QImage shown = menu->grab().toImage();
    menu->close();
    return shown;
}

QStringList &spokenEvents()
{
    static QStringList events;
    return events;
}

// The offscreen platform keeps assistive technology off; switched on, it
// hands the test what a screen reader would be told.
void setAccessibilityActive(bool active)
{
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active);
}

// Keeps what a screen reader would be told to speak at once: a notification
// shown, and the focus moving to a row of the brand list.
void recordSpokenEvent(QAccessibleEvent *event)
{
    QAccessibleInterface *target = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && target && target->role() == QAccessible::Notification)
        spokenEvents() << QStringLiteral("notification ") + target->text(QAccessible::Name);
    if (event->type() == QAccessible::Focus && event->object()->objectName() == QLatin1String("lstBrands"))
        spokenEvents() << QStringLiteral("focus lstBrands %1").arg(event->child());
}

} // namespace

class TestWindow : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void init()
    {
        freshSettings();
        QVERIFY(openWindow());
    }
    void cleanup() { closeWindow(); }

    void controlsHaveTheirCaptionsTooltipsAndPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("lstBrands") << "lstBrands" << "" << "" << QRect(720, 2280, 2055, 3195);
        QTest::newRow("fraSneakerItems") << "fraSneakerItems" << "Sneaker Item"
                                         << "If selection is greyed, it is not available in selected brand."
                                         << QRect(3240, 2160, 2175, 3135);
        QTest::newRow("fraPairs") << "fraPairs" << "Pairs of Sneakers" << "" << QRect(5880, 2160, 2295, 2415);
        const char *items[] = {"Cross Trainers", "Basketball", "Fitness", "Running", "Walking"};
        for (int i = 0; i < 5; ++i)
            QTest::addRow("chkSneakerItem_%d", i)
                << QStringLiteral("chkSneakerItem_%1").arg(i) << items[i] << "" << QRect(120, 480 + 480 * i, 1695, 375);
        const char *pairs[] = {"One (1) Pair", "Two (2) Pair", "Three (3) Pair", "Four (4) Pair", "Five (5) Pair"};
        for (int i = 1; i <= 5; ++i)
            QTest::addRow("optPair_%d", i)
                << QStringLiteral("optPair_%1").arg(i) << pairs[i - 1] << "" << QRect(120, 480 + 360 * (i - 1), 2055, 375);
        QTest::newRow("cmdCalculate") << "cmdCalculate" << "Calculate" << "Click to calculate price of selected items."
                                      << QRect(5640, 4920, 1455, 735);
        QTest::newRow("cmdClearQuote") << "cmdClearQuote" << "Clear Sneaker Brand "
                                       << "Click to clear Sneaker Brand selection." << QRect(720, 1440, 2055, 735);
        QTest::newRow("cmdReset") << "cmdReset" << "Clear All Selections" << "Completely clear your selections."
                                  << QRect(7440, 4920, 1455, 735);
        QTest::newRow("lblInstructions") << "lblInstructions"
                                         << "Please select a brand of sneakers, one or more sneaker item and how many "
                                            "pairs of sneakers you would like to price.  Then click \"Calculate\" to see "
                                            "the price of selected sneakers, \"Clear All Selections\" to clear the form, "
                                            "\"Clear Sneaker Brand\" to price a different sneaker or just change "
                                            "selection(s) and click \"Calculate\" again.  "
                                         << "" << QRect(360, 120, 8535, 1215);
    }
    void controlsHaveTheirCaptionsTooltipsAndPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        QFETCH(QRect, twips);
        auto *widget = driver->find<QWidget>(name);
        QVERIFY2(widget, qPrintable(name));
        QString text;
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            text = button->text();
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            text = frame->title();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            text = label->text();
        QCOMPARE(text, caption);
        QCOMPARE(widget->toolTip(), tooltip);
        QCOMPARE(widget->geometry(), pxRect(twips.x(), twips.y(), twips.width(), twips.height()));
        const QFont font = widget->font();
        QCOMPARE(font.pointSizeF(), 9.75);
        QVERIFY(font.bold());
        QVERIFY(font.families().startsWith(QStringLiteral("Comic Sans MS")));
        const QFontInfo shown(font);
        QVERIFY2(shown.family() == QStringLiteral("Comic Sans MS") || shown.family() == QStringLiteral("Comic Neue"),
                 qPrintable(shown.family()));
        QVERIFY(shown.bold());
    }

    void everyControlKeepsItsFontThroughColourChanges()
    {
        for (const char *change : {"mnuColorsCustom", "mnuColorsdefault", "mnuColorsCustom"}) {
            driver->dialogs().answerColor(QColor(0, 128, 0));
            driver->trigger(change);
            for (QWidget *control : driver->form().centralWidget()->findChildren<QWidget *>()) {
                if (control->objectName().isEmpty() || control->objectName().startsWith("qt_"))
                    continue;
                const QFontInfo shown(control->font());
                const QString where = QStringLiteral("%1 after %2").arg(control->objectName(), change);
                QVERIFY2(shown.family() == "Comic Sans MS" || shown.family() == "Comic Neue", qPrintable(where));
                QVERIFY2(shown.bold(), qPrintable(where));
                QCOMPARE(shown.pointSizeF(), control->objectName() == "lblPriceQuote" ? 12.0 : 9.75);
            }
        }
    }

    void windowIsFixedAndCannotBeMinimised()
    {
        frmMain &form = driver->form();
        QCOMPARE(form.windowTitle(), QStringLiteral("The Pellory Check Price Of Sneakers Program"));
        QCOMPARE(form.centralWidget()->size(), QSize(px(9075), px(6300)));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(driver->find<QLabel>("lblPriceQuote")->font().pointSizeF(), 12.0);
    }

    // A window manager minimises any window it is asked to, and another
    // program may hide it: the kiosk comes back, unless the staff let it go.
    void windowComesBackUnlessTheStaffLetItGo_data()
    {
        QTest::addColumn<QString>("takenAway");
        QTest::addColumn<bool>("staffExitFirst");
        QTest::addColumn<bool>("back");
        QTest::newRow("minimised") << "minimise" << false << true;
        QTest::newRow("hidden") << "hide" << false << true;
        QTest::newRow("hidden after the staff exit") << "hide" << true << false;
    }
    void windowComesBackUnlessTheStaffLetItGo()
    {
        QFETCH(QString, takenAway);
        QFETCH(bool, staffExitFirst);
        QFETCH(bool, back);
        frmMain &form = driver->form();
        if (staffExitFirst) {
            driver->dialogs().answerInput("472916");
            driver->trigger("mnuFileExit");
        }
        if (takenAway == "minimise")
            form.showMinimized();
        else
            form.hide();
        if (back) {
            QTRY_VERIFY(form.isVisible() && !form.isMinimized());
            QVERIFY(QTest::qWaitForWindowExposed(&form));
        } else {
            QTest::qWait(200);
            QVERIFY(!form.isVisible());
        }
    }

    void windowIsCentredButKeepsItsCornerOnScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("fits: centred") << QRect(0, 0, 1024, 768) << QSize(606, 460) << QPoint(209, 154);
        QTest::newRow("panel at the top") << QRect(0, 30, 1024, 738) << QSize(606, 460) << QPoint(209, 169);
        QTest::newRow("larger than the screen") << QRect(0, 0, 512, 384) << QSize(605, 439) << QPoint(0, 0);
        QTest::newRow("taller only") << QRect(100, 50, 800, 300) << QSize(600, 400) << QPoint(200, 50);
        QTest::newRow("wider only, second screen") << QRect(1920, 0, 1024, 768) << QSize(2000, 500) << QPoint(1920, 134);
    }
    void windowIsCentredButKeepsItsCornerOnScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, frame);
        QFETCH(QPoint, topLeft);
        QCOMPARE(window::centredTopLeft(available, frame), topLeft);
    }

    void windowLeftOffTheScreenComesBackWhole_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("wholly inside: stays") << QRect(0, 0, 1024, 768) << QRect(209, 154, 606, 460) << QPoint(209, 154);
        QTest::newRow("touching every edge: stays") << QRect(0, 0, 606, 460) << QRect(0, 0, 606, 460) << QPoint(0, 0);
        QTest::newRow("dragged down to its title bar") << QRect(0, 0, 1024, 768) << QRect(200, 744, 606, 460)
                                                       << QPoint(200, 308);
        QTest::newRow("one pixel below") << QRect(0, 0, 1024, 768) << QRect(209, 309, 606, 460) << QPoint(209, 308);
        QTest::newRow("dragged up past the top") << QRect(0, 0, 1024, 768) << QRect(300, -20, 606, 460)
                                                 << QPoint(300, 0);
        QTest::newRow("off the left and bottom") << QRect(0, 0, 1024, 768) << QRect(-500, 700, 606, 460)
                                                 << QPoint(0, 308);
        QTest::newRow("off the right, under a top panel") << QRect(0, 30, 1024, 738) << QRect(900, 10, 606, 460)
                                                          << QPoint(418, 30);
        QTest::newRow("larger than the screen: its corner") << QRect(0, 0, 512, 384) << QRect(-40, 100, 605, 439)
                                                            << QPoint(0, 0);
        QTest::newRow("second screen, off its right") << QRect(1920, 0, 1024, 768) << QRect(2900, 100, 606, 460)
                                                      << QPoint(2338, 100);
    }
    void windowLeftOffTheScreenComesBackWhole()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, frame);
        QFETCH(QPoint, topLeft);
        QCOMPARE(window::keptInside(available, frame), topLeft);
    }

    void menusReadAsLaidOut()
    {
        QStringList titles;
        for (QAction *action : driver->form().menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&File", "&Preferences", "&Help"}));

        auto *file = driver->find<QMenu>("mnuFile");
        QCOMPARE(file->actions().size(), 2);
        QVERIFY(file->actions().at(0)->isSeparator());
        QCOMPARE(file->actions().at(0)->objectName(), QStringLiteral("mnuFileDash1"));
        QCOMPARE(file->actions().at(1)->text(), QStringLiteral("E&xit"));
        // Qt hides a leading separator unless the menu keeps its separators;
        // the line must stand out clear of the menu's border.
        const QImage fileShown = shownMenu(file);
        const QRect separator = file->actionGeometry(file->actions().at(0));
        const QRect exit = file->actionGeometry(file->actions().at(1));
        const int background = qGray(pixelAt(fileShown, QPoint(exit.right() - 4, exit.center().y())).rgb());
        bool lineDrawn = false;
        for (int y = qMax(separator.top(), 3); y <= separator.bottom(); ++y)
            lineDrawn = lineDrawn || qAbs(qGray(pixelAt(fileShown, QPoint(separator.center().x(), y)).rgb()) - background) > 40;
        QVERIFY(lineDrawn);

        // Of the two clock items only the checked one shows a mark.
        driver->trigger("mnuPreferencesDateandTimeOff");
        auto *preferencesMenu = driver->find<QMenu>("mnuPreferences");
        const QImage preferencesShown = shownMenu(preferencesMenu);
        auto markColours = [&](int item) {
            const QRect row = preferencesMenu->actionGeometry(preferencesMenu->actions().at(item));
            QSet<QRgb> colours;
            for (int x = row.left() + 2; x < row.left() + row.height(); ++x) {
                for (int y = row.top() + 2; y < row.bottom() - 1; ++y)
                    colours << pixelAt(preferencesShown, QPoint(x, y)).rgb();
            }
            return colours.size();
        };
        QCOMPARE(markColours(0), 1);
        QVERIFY(markColours(1) > 1);

        QStringList preferences;
        for (QAction *action : driver->find<QMenu>("mnuPreferences")->actions())
            preferences << action->text();
        QCOMPARE(preferences, (QStringList{"Date and Time On", "Date and Time Off", "&Colors"}));
        QStringList colors;
        for (QAction *action : driver->find<QMenu>("mnuPreferencesColors")->actions())
            colors << action->text();
        QCOMPARE(colors, (QStringList{"Custom", "Default"}));
        QCOMPARE(driver->action("mnuHelpPelloryProgram")->text(), QStringLiteral("About Pellory Program"));
        for (QAction *action : driver->form().findChildren<QAction *>())
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->objectName()));
    }

    void tabVisitsControlsInOrderWithPairsAsOneStop()
    {
        driver->choosePairs(3);
        driver->find<QListWidget>("lstBrands")->setFocus();
        QStringList visited;
        for (int step = 0; step < 10; ++step) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, (QStringList{"lstBrands", "chkSneakerItem_0", "chkSneakerItem_1", "chkSneakerItem_2",
                                       "chkSneakerItem_3", "chkSneakerItem_4", "optPair_3", "cmdCalculate",
                                       "cmdClearQuote", "cmdReset"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("lstBrands"));

        // Within the group the arrow keys move the choice, as a click does.
        auto *three = driver->find<QRadioButton>("optPair_3");
        three->setFocus();
        QTest::keyClick(three, Qt::Key_Down);
        QTRY_VERIFY(driver->find<QRadioButton>("optPair_4")->isChecked());
    }

    void windowFocusGoesOnToTheBrandList()
    {
        QTRY_COMPARE(QApplication::focusWidget(), driver->find<QWidget>("lstBrands"));
    }

    void rightClickOnTheBareWindowPopsUpPreferences()
    {
        QWidget *surface = driver->form().centralWidget();
        QMenu *shown = nullptr;
        QPoint corner;
        onNextPopup([&](QMenu *menu) {
            shown = menu;
            corner = menu ? menu->pos() : QPoint();
        });
        const QPoint pointer(px(4000), px(5900));
        QTest::mouseClick(driver->form().windowHandle(), Qt::RightButton, Qt::ShiftModifier,
                          surface->mapTo(&driver->form(), pointer));
        QTRY_VERIFY(shown != nullptr);
        QCOMPARE(shown->objectName(), QStringLiteral("mnuPreferences"));
        QCOMPARE(corner, surface->mapToGlobal(pointer));
    }

    void otherClicksDoNotPopUp_data()
    {
        // Where the button goes down and where it comes up; empty is the bare window.
        QTest::addColumn<QString>("pressedOver");
        QTest::addColumn<QString>("releasedOver");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("right over the instructions label") << "lblInstructions" << "lblInstructions" << Qt::RightButton;
        QTest::newRow("right over a frame") << "fraPairs" << "fraPairs" << Qt::RightButton;
        QTest::newRow("right over a button") << "cmdReset" << "cmdReset" << Qt::RightButton;
        QTest::newRow("right from the label out to the window") << "lblInstructions" << "" << Qt::RightButton;
        QTest::newRow("right from a frame out to the window") << "fraPairs" << "" << Qt::RightButton;
        QTest::newRow("right from the window onto the label") << "" << "lblInstructions" << Qt::RightButton;
        QTest::newRow("left over the window") << "" << "" << Qt::LeftButton;
        QTest::newRow("middle over the window") << "" << "" << Qt::MiddleButton;
    }
    void otherClicksDoNotPopUp()
    {
        QFETCH(QString, pressedOver);
        QFETCH(QString, releasedOver);
        QFETCH(Qt::MouseButton, button);
        auto pointOver = [this](const QString &name) {
            QWidget *surface = driver->form().centralWidget();
            if (name.isEmpty())
                return surface->mapTo(&driver->form(), QPoint(px(4000), px(5900)));
            auto *target = driver->find<QWidget>(name);
            return target->mapTo(&driver->form(), QPoint(target->width() / 2, target->height() - 3));
        };
        bool popped = false;
        onNextPopup([&](QMenu *menu) { popped = menu != nullptr; });
        QTest::mousePress(driver->form().windowHandle(), button, {}, pointOver(pressedOver));
        QTest::mouseRelease(driver->form().windowHandle(), button, {}, pointOver(releasedOver));
        QTest::qWait(150);
        QVERIFY(!popped);
    }

    void returnPressesOnlyAFocusedButton_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("pressed");
        QTest::newRow("Return on Calculate") << "cmdCalculate" << int(Qt::Key_Return) << true;
        QTest::newRow("Enter on Calculate") << "cmdCalculate" << int(Qt::Key_Enter) << true;
        QTest::newRow("Return on the brand list") << "lstBrands" << int(Qt::Key_Return) << false;
        QTest::newRow("Return on an item") << "chkSneakerItem_0" << int(Qt::Key_Return) << false;
    }
    void returnPressesOnlyAFocusedButton()
    {
        QFETCH(QString, focused);
        QFETCH(int, key);
        QFETCH(bool, pressed);
        auto *widget = driver->find<QWidget>(focused);
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QTest::keyClick(widget, Qt::Key(key));
        QCOMPARE(driver->dialogs().messages(),
                 pressed ? QStringList{"You must select a brand of sneakers"} : QStringList());
    }

    void frameTooltipShowsOverGreyedItemsOnly()
    {
        // Brand 1 greys Cross Trainers and keeps Basketball.
        driver->clickBrand(1);
        auto tooltipOver = [](QWidget *widget, QPoint at) {
            QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
            QApplication::sendEvent(widget, &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        const QString frameTip = QStringLiteral("If selection is greyed, it is not available in selected brand.");
        QCOMPARE(tooltipOver(driver->find<QCheckBox>("chkSneakerItem_1"), QPoint(5, 5)), QString());
        QCOMPARE(tooltipOver(driver->find<QCheckBox>("chkSneakerItem_0"), QPoint(5, 5)), frameTip);
        auto *frame = driver->find<QGroupBox>("fraSneakerItems");
        QCOMPARE(tooltipOver(frame, QPoint(frame->width() - 5, frame->height() - 5)), frameTip);
        QToolTip::hideText();
    }

    void brandListKeysStartFromTheEndsWithNothingSelected_data()
    {
        QTest::addColumn<int>("selectedBefore");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("selected");
        QTest::newRow("Down") << -1 << "Down" << 0;
        QTest::newRow("Up") << -1 << "Up" << 0;
        QTest::newRow("Home") << -1 << "Home" << 0;
        QTest::newRow("Page Up") << -1 << "PgUp" << 0;
        QTest::newRow("End") << -1 << "End" << 11;
        QTest::newRow("Page Down") << -1 << "PgDown" << 11;
        QTest::newRow("a letter: first brand with it") << -1 << "b" << 0;
        QTest::newRow("Down after clearing the fifth brand") << 5 << "Down" << 0;
    }
    void brandListKeysStartFromTheEndsWithNothingSelected()
    {
        QFETCH(int, selectedBefore);
        QFETCH(QString, keys);
        QFETCH(int, selected);
        auto *list = driver->find<QListWidget>("lstBrands");
        if (selectedBefore >= 0) {
            driver->clickBrand(selectedBefore);
            driver->click("cmdClearQuote");
        }
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QCOMPARE(driver->find<BrandList>("lstBrands")->listIndex(), -1);
        // Nothing selected: no row may look chosen (a dotted outline is fine).
        const QPoint firstRow = list->visualItemRect(list->item(0)).center() + QPoint(50, 0);
        QCOMPARE(pixelAt(driver->form().grab().toImage(), list->viewport()->mapTo(&driver->form(), firstRow)).name(),
                 QStringLiteral("#ffffff"));
        if (keys.size() == 1)
            QTest::keyClicks(list, keys);
        else
            QTest::keyClick(list, QKeySequence::fromString(keys)[0].key());
        QCOMPARE(driver->find<BrandList>("lstBrands")->listIndex(), selected);
    }

    void selectedBrandStaysSelected_data()
    {
        // Brand 2 is selected and Fitness ticked; brand 2's rule clears
        // Fitness each time the list's click handler runs.
        QTest::addColumn<int>("row");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<bool>("handlerRan");
        QTest::newRow("left click again") << 2 << Qt::LeftButton << Qt::KeyboardModifiers() << true;
        QTest::newRow("Ctrl+click") << 2 << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
        QTest::newRow("Ctrl+Space") << 2 << Qt::NoButton << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
        QTest::newRow("right click on it") << 2 << Qt::RightButton << Qt::KeyboardModifiers() << false;
        QTest::newRow("right click on another") << 1 << Qt::RightButton << Qt::KeyboardModifiers() << false;
        QTest::newRow("middle click on another") << 1 << Qt::MiddleButton << Qt::KeyboardModifiers() << false;
    }
    void selectedBrandStaysSelected()
    {
        QFETCH(int, row);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, keys);
        QFETCH(bool, handlerRan);
        auto *list = driver->find<QListWidget>("lstBrands");
        driver->clickBrand(2);
        driver->tick(2);
        bool popped = false;
        onNextPopup([&](QMenu *menu) { popped = menu != nullptr; });
        if (button == Qt::NoButton) {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Space, keys);
        } else {
            const QPoint at = list->visualItemRect(list->item(row)).center();
            QTest::mouseClick(driver->form().windowHandle(), button, keys,
                              list->viewport()->mapTo(&driver->form(), at));
        }
        QTest::qWait(150);
        QVERIFY(!popped);
        QCOMPARE(driver->find<BrandList>("lstBrands")->listIndex(), 2);
        QCOMPARE(driver->itemChecked(2), !handlerRan);
    }

    void brandClicksGreyOutWhatTheBrandDoesNotCarry()
    {
        for (int item = 0; item < 5; ++item)
            driver->tick(item);
        driver->clickBrand(1);
        const bool expected[] = {false, true, false, true, false};
        for (int item = 0; item < 5; ++item) {
            QCOMPARE(driver->itemEnabled(item), expected[item]);
            QCOMPARE(driver->itemChecked(item), expected[item]);
        }
        driver->tick(1);
        driver->tick(1);
        driver->clickBrand(5);
        QVERIFY(driver->itemEnabled(4));
        driver->tick(4);
        driver->clickBrand(8);
        QVERIFY(driver->itemChecked(4));
        driver->clickBrand(3);
        for (int item = 0; item < 5; ++item)
            QVERIFY(driver->itemEnabled(item));
        driver->tick(2);
        driver->clickBrand(2);
        QVERIFY(driver->itemEnabled(2));
        QVERIFY(!driver->itemChecked(2));
    }

    void calculateShowsTheQuoteOrTheMessages()
    {
        driver->click("cmdCalculate");
        QCOMPARE(driver->dialogs().messages(), QStringList{"You must select a brand of sneakers"});
        QCOMPARE(driver->dialogs().shown().first().title, QStringLiteral("The Pellory"));

        driver->dialogs().clear();
        driver->clickBrand(3);
        driver->click("cmdCalculate");
        QCOMPARE(driver->dialogs().messages(), (QStringList{"You must select one or more types of sneakers.",
                                                             " You must select at leat 1 pair of sneakers."}));

        driver->dialogs().clear();
        driver->tick(0);
        driver->tick(1);
        driver->click("cmdCalculate");
        QCOMPARE(driver->dialogs().messages(), QStringList{" You must select at leat 1 pair of sneakers."});

        driver->dialogs().clear();
        driver->choosePairs(3);
        QVERIFY(driver->find<QRadioButton>("optPair_3")->isChecked());
        driver->click("cmdCalculate");
        QVERIFY(driver->dialogs().messages().isEmpty());
        QCOMPARE(driver->quoteText(), QStringLiteral("The cost of the selected sneaker(s) is $ 405.00"));
        QVERIFY(driver->quoteVisible());
        auto *label = driver->find<QLabel>("lblPriceQuote");
        QCOMPARE(label->pos(), QPoint(px(240), px(5760)));
        QVERIFY(label->width() >= label->sizeHint().width());

        driver->clickBrand(4);
        driver->tick(1);
        driver->choosePairs(1);
        driver->click("cmdCalculate");
        QCOMPARE(driver->quoteText(), QStringLiteral("The cost of the selected sneaker(s) is $ 12,345.00"));
    }

    // A total of $0 (brand 10 prices Cross Trainers at 0) is no price to
    // quote: the customer sees no quote and no message.
    void aZeroTotalShowsNoQuote()
    {
        driver->clickBrand(10);
        driver->tick(0);
        driver->choosePairs(2);
        driver->click("cmdCalculate");
        QVERIFY(driver->dialogs().messages().isEmpty());
        QVERIFY(!driver->quoteVisible());
    }

    void quoteHidesWhenTheSelectionChanges_data()
    {
        // After a quote for brand 0 with Cross Trainers ticked and one pair:
        // what the customer changes, and whether the quote stays.
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("stays");
        QTest::newRow("a brand that greys the ticked item") << "brand" << 1 << false;
        QTest::newRow("a brand that keeps every tick") << "brand" << 3 << false;
        QTest::newRow("the same brand again") << "brand" << 0 << true;
        QTest::newRow("another item ticked") << "tick" << 4 << false;
        QTest::newRow("the ticked item unticked") << "tick" << 0 << false;
        QTest::newRow("another number of pairs") << "pairs" << 2 << false;
        QTest::newRow("the same number of pairs again") << "pairs" << 1 << true;
    }
    void quoteHidesWhenTheSelectionChanges()
    {
        QFETCH(QString, change);
        QFETCH(int, index);
        QFETCH(bool, stays);
        driver->clickBrand(0);
        driver->tick(0);
        driver->choosePairs(1);
        driver->click("cmdCalculate");
        QCOMPARE(driver->quoteText(), QStringLiteral("The cost of the selected sneaker(s) is $ 10.00"));
        QVERIFY(driver->quoteVisible());
        if (change == "brand")
            driver->clickBrand(index);
        else if (change == "tick")
            driver->tick(index);
        else
            driver->choosePairs(index);
        QCOMPARE(driver->quoteVisible(), stays);
    }

    void idleWindowIsClearedForTheNextCustomer_data()
    {
        // What is open while the customer is away, and the input that keeps
        // coming (a mouse moving, a key held) for longer than the idle time.
        // The idle time is 800 ms; 0 means never.
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("idleMs");
        QTest::newRow("nothing open, nobody there") << "" << "" << 800;
        QTest::newRow("a customer still moving the mouse") << "" << "mouse" << 800;
        QTest::newRow("a customer still pressing keys") << "" << "keys" << 800;
        QTest::newRow("a message box") << "dialog" << "" << 800;
        QTest::newRow("the pop-up menu") << "menu" << "" << 800;
        QTest::newRow("set never to clear") << "" << "" << 0;
    }
    void idleWindowIsClearedForTheNextCustomer()
    {
        QFETCH(QString, open);
        QFETCH(QString, input);
        QFETCH(int, idleMs);
        configuration::ShopConfiguration shop;
        shop.idleReset = std::chrono::milliseconds(idleMs);
        QVERIFY(openWindow(shop));
        auto *list = driver->find<QListWidget>("lstBrands");
        list->setFixedHeight(60);
        driver->trigger("mnuPreferencesDateandTimeOn");
        driver->clickBrand(11);
        driver->tick(0);
        driver->choosePairs(2);
        driver->click("cmdCalculate");
        QVERIFY(driver->quoteVisible());
        QVERIFY(list->verticalScrollBar()->value() > 0);
        auto untouched = [&] {
            return driver->find<BrandList>("lstBrands")->listIndex() == 11 && driver->itemChecked(0)
                && driver->find<QRadioButton>("optPair_2")->isChecked() && driver->quoteVisible();
        };

        QDialog message(&driver->form());
        QMenu *menu = driver->find<QMenu>("mnuPreferences");
        if (open == "dialog") {
            message.setModal(true);
            message.show();
        } else if (open == "menu") {
            menu->popup(driver->form().mapToGlobal(QPoint(20, 20)));
        }
        QWidget *surface = driver->form().centralWidget();
        for (int step = 0; step < 12; ++step) {
            if (input == "mouse")
                QTest::mouseMove(surface, QPoint(10 + step, 10));
            else if (input == "keys")
                QTest::keyClick(surface, Qt::Key_Shift);
            QTest::qWait(100);
        }
        // One and a half times the idle time has passed.
        QCOMPARE(untouched(), !open.isEmpty() || !input.isEmpty() || idleMs == 0);
        message.close();
        menu->close();
        if (idleMs == 0)
            return;

        QTRY_VERIFY(!driver->quoteVisible());
        QCOMPARE(driver->find<BrandList>("lstBrands")->listIndex(), -1);
        for (int item = 0; item < 5; ++item)
            QVERIFY(!driver->itemChecked(item));
        for (int pairs = 1; pairs <= 5; ++pairs)
            QVERIFY(!driver->find<QRadioButton>(QStringLiteral("optPair_%1").arg(pairs))->isChecked());
        QCOMPARE(list->verticalScrollBar()->value(), 0);
        QVERIFY(driver->action("mnuPreferencesDateandTimeOn")->isChecked());
        QVERIFY(driver->dialogs().shown().isEmpty());
    }

    void clearBrandKeepsItemsAndPairs()
    {
        driver->clickBrand(1);
        driver->tick(1);
        driver->choosePairs(2);
        driver->click("cmdCalculate");
        QVERIFY(driver->quoteVisible());
        const QString oldQuote = driver->quoteText();

        driver->click("cmdClearQuote");
        QCOMPARE(driver->find<QListWidget>("lstBrands")->selectedItems().size(), 0);
        QVERIFY(!driver->quoteVisible());
        QCOMPARE(driver->quoteText(), oldQuote);
        for (int item = 0; item < 5; ++item)
            QVERIFY(driver->itemEnabled(item));
        QVERIFY(driver->itemChecked(1));
        QVERIFY(driver->find<QRadioButton>("optPair_2")->isChecked());
        driver->click("cmdCalculate");
        QCOMPARE(driver->dialogs().messages(), QStringList{"You must select a brand of sneakers"});
    }

    void clearAllEmptiesEverySelection()
    {
        driver->clickBrand(0);
        driver->tick(0);
        driver->tick(4);
        driver->choosePairs(5);
        driver->click("cmdCalculate");
        driver->click("cmdReset");
        QVERIFY(!driver->quoteVisible());
        for (int item = 0; item < 5; ++item) {
            QVERIFY(driver->itemEnabled(item));
            QVERIFY(!driver->itemChecked(item));
        }
        for (int pairs = 1; pairs <= 5; ++pairs)
            QVERIFY(!driver->find<QRadioButton>(QStringLiteral("optPair_%1").arg(pairs))->isChecked());

        driver->clickBrand(0);
        driver->click("cmdCalculate");
        QCOMPARE(driver->dialogs().messages(), (QStringList{"You must select one or more types of sneakers.",
                                                             " You must select at leat 1 pair of sneakers."}));
    }

    void controlsAreNamedForAssistiveTechnology()
    {
        const QString greyedHint = QStringLiteral("If selection is greyed, it is not available in selected brand.");
        const QList<std::array<QString, 3>> expected{
            {"lstBrands", "Sneaker brands", ""},
            {"fraSneakerItems", "Sneaker Item", greyedHint},
            {"fraPairs", "Pairs of Sneakers", ""},
            {"chkSneakerItem_0", "Cross Trainers", ""},
            {"chkSneakerItem_1", "Basketball", ""},
            {"chkSneakerItem_2", "Fitness", ""},
            {"chkSneakerItem_3", "Running", ""},
            {"chkSneakerItem_4", "Walking", ""},
            {"optPair_1", "One (1) Pair", ""},
            {"optPair_2", "Two (2) Pair", ""},
            {"optPair_3", "Three (3) Pair", ""},
            {"optPair_4", "Four (4) Pair", ""},
            {"optPair_5", "Five (5) Pair", ""},
            {"cmdCalculate", "Calculate", "Click to calculate price of selected items."},
            {"cmdClearQuote", "Clear Sneaker Brand", "Click to clear Sneaker Brand selection."},
            {"cmdReset", "Clear All Selections", "Completely clear your selections."},
        };
        for (const auto &[name, accessibleName, description] : expected) {
            const QWidget *control = driver->find<QWidget>(name);
            QVERIFY2(control, qPrintable(name));
            QCOMPARE(control->accessibleName(), accessibleName);
            QCOMPARE(control->accessibleDescription(), description);
        }
    }

    // What a screen reader hears: every quote as it shows (the same one
    // again included) and no refused one, the first brand picked by key, and
    // the name of each menu that opens.
    void screenReadersHearTheQuoteTheFirstBrandAndTheMenus()
    {
        spokenEvents().clear();
        QAccessible::installUpdateHandler(recordSpokenEvent);
        setAccessibilityActive(true);
        auto *list = driver->find<QListWidget>("lstBrands");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        driver->tick(0);
        driver->choosePairs(1);
        driver->click("cmdCalculate");
        driver->click("cmdCalculate");
        driver->choosePairs(2);
        driver->click("cmdCalculate");
        driver->click("cmdReset");
        driver->click("cmdCalculate");
        for (const char *name : {"mnuFile", "mnuPreferencesColors"}) {
            auto *menu = driver->find<QMenu>(name);
            menu->popup(QPoint(10, 10));
            menu->close();
        }
        setAccessibilityActive(false);
        QAccessible::installUpdateHandler(nullptr);

        QCOMPARE(spokenEvents(), (QStringList{"focus lstBrands 0",
                                              "notification The cost of the selected sneaker(s) is $ 10.00",
                                              "notification The cost of the selected sneaker(s) is $ 10.00",
                                              "notification The cost of the selected sneaker(s) is $ 20.00",
                                              "notification File menu", "notification Colors menu"}));
    }

    void clearingNothingChangesNothing()
    {
        driver->click("cmdClearQuote");
        driver->click("cmdReset");
        QVERIFY(driver->dialogs().shown().isEmpty());
        QCOMPARE(driver->quoteText(), QString());
        for (int item = 0; item < 5; ++item)
            QVERIFY(driver->itemEnabled(item));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
