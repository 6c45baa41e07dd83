#include "window/frmMain.h"

#include "runtime/OleColor.h"
#include "machine/ErrorLog.h"
#include "machine/ScreenResolution.h"
#include "runtime/Twips.h"
#include "window/BareSurfaceClicks.h"
#include "window/CheckBoxToolTips.h"
#include "window/CommandButton.h"
#include "window/ControlColors.h"
#include "window/ControlLayout.h"
#include "window/FormScaling.h"
#include "window/IdleReset.h"
#include "window/KioskPresence.h"
#include "window/MenuStyle.h"
#include "window/Notifications.h"
#include "window/StaffPasswordPrompt.h"
#include "window/WholeRowButton.h"
#include "window/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

namespace {

QFont controlFont(qreal pointSize)
{
    // The face the shop's window was designed with, or its free look-alike.
    QFont font;
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

// The runtime numbers mouse buttons 1 left, 2 right, 4 middle, and the keys
// held 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

std::int16_t shiftState(Qt::KeyboardModifiers keys)
{
    return std::int16_t((keys & Qt::ShiftModifier ? 1 : 0) | (keys & Qt::ControlModifier ? 2 : 0)
                        | (keys & Qt::AltModifier ? 4 : 0));
}

template <typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

frmMain::frmMain(machine::Dialogs &dialogs, const QString &priceFile,
                 const configuration::ShopConfiguration &shop, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_dialogs(dialogs)
    , m_priceFile(priceFile)
    , m_shop(shop)
    , m_events(dialogs, [this](int exitStatus) { unload(exitStatus); })
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(window::FormCaption);
    createMenus();
    chooseScale();
    createControls();
    if (m_shop.fillScreen)
        makeTouchSized();
    createTabOrder();
    describeControls();
    m_staffPassword = new window::StaffPasswordPrompt(
        m_dialogs, [this](const std::function<void()> &work) { deliver(work); }, this);
    connectHandlers();
    watchForIdleness();
    createPriceReloader();
    watchForTouch();
    placeOnScreen();
    m_presence = new window::KioskPresence(this, [this] { windowLost(); });
}

frmMain::~frmMain() = default;

void frmMain::place(QWidget *widget, const window::TwipsRect &rect)
{
    // The window's own controls are placed from the form's corner; those in
    // a frame from the frame's.
    const runtime::FormScale &scale = m_formScaling.scale();
    const QPoint origin = widget->parentWidget() == surface ? scale.origin : QPoint();
    widget->setGeometry(scale.pixels(rect.left, rect.top, rect.width, rect.height).translated(origin));
}

void frmMain::createControls()
{
    surface = named(new QWidget(this), QStringLiteral("frmMainSurface"));
    new window::BareSurfaceClicks(surface, [this](const QMouseEvent &release) { bareSurfaceClicked(release); });
    setCentralWidget(surface);

    lstBrands = named(new BrandList(surface), QStringLiteral("lstBrands"));
    lstBrands->setUniformItemSizes(true);
    window::keepOwnColors(lstBrands);
    place(lstBrands, window::lstBrandsRect);

    fraSneakerItems = named(new QGroupBox(QStringLiteral("Sneaker Item"), surface), QStringLiteral("fraSneakerItems"));
    fraSneakerItems->setToolTip(QStringLiteral("If selection is greyed, it is not available in selected brand."));
    place(fraSneakerItems, window::fraSneakerItemsRect);

    fraPairs = named(new QGroupBox(QStringLiteral("Pairs of Sneakers"), surface), QStringLiteral("fraPairs"));
    place(fraPairs, window::fraPairsRect);

    auto *toolTips = new window::CheckBoxToolTips(this);
    for (int item = 0; item < catalogue::ItemCount; ++item) {
        auto *box = named(new WholeRowButton<QCheckBox>(catalogue::ItemNames[item], fraSneakerItems),
                          QStringLiteral("chkSneakerItem_%1").arg(item));
        // The frame's tooltip is about the frame; the boxes have none of their own.
        box->installEventFilter(toolTips);
        place(box, window::chkSneakerItemRect(item));
        chkSneakerItem[item] = box;
    }
    for (int pairs = 1; pairs <= PairOptions; ++pairs) {
        auto *option = named(new WholeRowButton<QRadioButton>(window::PairCaptions[pairs], fraPairs),
                             QStringLiteral("optPair_%1").arg(pairs));
        place(option, window::optPairRect(pairs));
        optPair[pairs] = option;
    }

    lblDateTime = named(new QLabel(surface), QStringLiteral("lblDateTime"));
    place(lblDateTime, window::lblDateTimeRect);

    lblPriceQuote = named(new QLabel(surface), QStringLiteral("lblPriceQuote"));
    place(lblPriceQuote, window::lblPriceQuoteRect);

    lblInstructions = named(new QLabel(window::InstructionsCaption, surface), QStringLiteral("lblInstructions"));
    lblInstructions->setWordWrap(true);
    lblInstructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lblInstructions, window::lblInstructionsRect);

    for (QLabel *label : {lblDateTime, lblPriceQuote, lblInstructions})
        label->setTextFormat(Qt::PlainText);

    cmdCalculate = named(new CommandButton(QStringLiteral("Calculate"), surface), QStringLiteral("cmdCalculate"));
    cmdCalculate->setToolTip(QStringLiteral("Click to calculate price of selected items."));
    place(cmdCalculate, window::cmdCalculateRect);

    cmdClearQuote = named(new CommandButton(QStringLiteral("Clear Sneaker Brand "), surface),
                          QStringLiteral("cmdClearQuote"));
    cmdClearQuote->setToolTip(QStringLiteral("Click to clear Sneaker Brand selection."));
    place(cmdClearQuote, window::cmdClearQuoteRect);

    cmdReset = named(new CommandButton(QStringLiteral("Clear All Selections"), surface), QStringLiteral("cmdReset"));
    cmdReset->setToolTip(QStringLiteral("Completely clear your selections."));
    place(cmdReset, window::cmdResetRect);

    for (QPushButton *button : {cmdCalculate, cmdClearQuote, cmdReset}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // Each control holds its font itself: a font it only inherited from the
    // window is dropped when a colour change gives it a new style sheet.
    for (QWidget *control : surface->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        control->setFont(controlFont(m_formScaling.scale().pointSize(control == lblPriceQuote ? 12 : 9.75)));
    for (QGroupBox *frame : {fraSneakerItems, fraPairs}) {
        for (QWidget *control : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            control->setFont(controlFont(m_formScaling.scale().pointSize(9.75)));
    }

    tmrSneakers = named(new QTimer(this), QStringLiteral("tmrSneakers"));
    tmrSneakers->setInterval(1000);
    tmrSneakers->start();

    surface->setFixedSize(m_formScaling.surfaceSize());
}

void frmMain::chooseScale()
{
    m_formScaling = window::FormScaling(machine::logicalDpi());
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!m_shop.fillScreen || !screen)
        return;
    const QList<QMenu *> menus{mnuFile, mnuPreferences, mnuPreferencesColors, mnuHelp};
    m_formScaling.fillScreen(screen->geometry().size(), menuBar()->sizeHint().height(), [this, menus](qreal factor) {
        window::scaleMenuFonts(menuBar(), menus, factor);
        return menuBar()->sizeHint().height();
    });
}

void frmMain::makeTouchSized()
{
    QList<QAbstractButton *> buttons(chkSneakerItem.begin(), chkSneakerItem.end());
    for (QRadioButton *option : pairOptions())
        buttons << option;
    // The window owns the style, made after the controls, so it outlives them when the window goes.
    window::makeTouchSized(m_formScaling, lstBrands, buttons, this);
}

void frmMain::createMenus()
{
    auto addMenu = [](QWidget *owner, const QString &title, const QString &name) {
        auto *menu = named(new QMenu(title, owner), name);
        menu->setSeparatorsCollapsible(false);
        return menu;
    };
    auto addAction = [](QMenu *menu, const QString &text, const QString &name) {
        return named(menu->addAction(text), name);
    };

    mnuFile = addMenu(this, QStringLiteral("&File"), QStringLiteral("mnuFile"));
    mnuFileDash1 = named(mnuFile->addSeparator(), QStringLiteral("mnuFileDash1"));
    mnuFileExit = addAction(mnuFile, QStringLiteral("E&xit"), QStringLiteral("mnuFileExit"));

    mnuPreferences = addMenu(this, QStringLiteral("&Preferences"), QStringLiteral("mnuPreferences"));
    mnuPreferencesDateandTimeOn = addAction(mnuPreferences, QStringLiteral("Date and Time On"),
                                            QStringLiteral("mnuPreferencesDateandTimeOn"));
    mnuPreferencesDateandTimeOff = addAction(mnuPreferences, QStringLiteral("Date and Time Off"),
                                             QStringLiteral("mnuPreferencesDateandTimeOff"));
    for (QAction *action : {mnuPreferencesDateandTimeOn, mnuPreferencesDateandTimeOff})
        action->setCheckable(true);
    mnuPreferencesColors = addMenu(mnuPreferences, QStringLiteral("&Colors"), QStringLiteral("mnuPreferencesColors"));
    mnuPreferences->addMenu(mnuPreferencesColors);
    mnuColorsCustom = addAction(mnuPreferencesColors, QStringLiteral("Custom"), QStringLiteral("mnuColorsCustom"));
    mnuColorsdefault = addAction(mnuPreferencesColors, QStringLiteral("Default"), QStringLiteral("mnuColorsdefault"));

    mnuHelp = addMenu(this, QStringLiteral("&Help"), QStringLiteral("mnuHelp"));
    mnuHelpPelloryProgram = addAction(mnuHelp, QStringLiteral("About Pellory Program"),
                                      QStringLiteral("mnuHelpPelloryProgram"));

    for (QMenu *menu : {mnuFile, mnuPreferences, mnuHelp})
        menuBar()->addMenu(menu);

    // Made after the menus, so it outlives them when the window goes.
    auto *menuStyle = new MenuStyle;
    menuStyle->setParent(this);
    for (QMenu *menu : {mnuFile, mnuPreferences, mnuPreferencesColors, mnuHelp})
        menu->setStyle(menuStyle);
}

void frmMain::createTabOrder()
{
    // Frames and labels take no focus; the pairs options are one stop, held
    // by the selected option (or the first while none is selected).
    for (QWidget *widget : {static_cast<QWidget *>(fraSneakerItems), static_cast<QWidget *>(fraPairs)})
        widget->setFocusPolicy(Qt::NoFocus);
    QList<QWidget *> chain{lstBrands};
    for (QCheckBox *box : chkSneakerItem)
        chain << box;
    for (QRadioButton *option : pairOptions())
        chain << option;
    chain << cmdCalculate << cmdClearQuote << cmdReset;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    updatePairsTabStop();
}

void frmMain::updatePairsTabStop()
{
    QRadioButton *stop = optPair[1];
    for (QRadioButton *option : pairOptions()) {
        if (option->isChecked())
            stop = option;
    }
    for (QRadioButton *option : pairOptions())
        option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void frmMain::describeControls()
{
    // Assistive technology reads each control by its caption and its tooltip.
    lstBrands->setAccessibleName(QStringLiteral("Sneaker brands"));
    for (QGroupBox *frame : {fraSneakerItems, fraPairs})
        frame->setAccessibleName(frame->title());
    for (QAbstractButton *button : surface->findChildren<QAbstractButton *>())
        button->setAccessibleName(button->text().trimmed());
    for (QWidget *control : surface->findChildren<QWidget *>()) {
        if (!control->toolTip().isEmpty())
            control->setAccessibleDescription(control->toolTip());
    }
    // The quote is spoken as it shows.
    window::speakWhenShown(lblPriceQuote);
    // A screen reader speaks the first item of a menu that opens, not the
    // menu's name, so the name is spoken as the menu opens. The announcer
    // takes no room and draws nothing.
    menuAnnouncer = named(new QWidget(this), QStringLiteral("menuAnnouncer"));
    menuAnnouncer->setAttribute(Qt::WA_TransparentForMouseEvents);
    menuAnnouncer->resize(1, 1);
    window::speakWhenShown(menuAnnouncer);
    for (QMenu *menu : {mnuFile, mnuPreferences, mnuPreferencesColors, mnuHelp}) {
        const QString name = QString(menu->title()).remove(u'&');
        menu->setAccessibleName(name);
        connect(menu, &QMenu::aboutToShow, menuAnnouncer, [this, name] {
            menuAnnouncer->setAccessibleName(QStringLiteral("%1 menu").arg(name));
            window::showAndSpeak(menuAnnouncer);
        });
    }
}

void frmMain::connectHandlers()
{
    connect(lstBrands, &BrandList::brandClicked, this, [this] { deliver(&frmMain::lstBrands_Click); });
    for (int pairs = 1; pairs <= PairOptions; ++pairs) {
        connect(optPair[pairs], &QRadioButton::clicked, this,
                [this, pairs] { deliver([this, pairs] { optPair_Click(std::int16_t(pairs)); }); });
        connect(optPair[pairs], &QRadioButton::toggled, this, &frmMain::updatePairsTabStop);
    }
    connect(lstBrands, &QListWidget::itemSelectionChanged, this, &frmMain::hideStaleQuote);
    for (QCheckBox *box : chkSneakerItem)
        connect(box, &QCheckBox::toggled, this, &frmMain::hideStaleQuote);
    for (QRadioButton *option : pairOptions())
        connect(option, &QRadioButton::toggled, this, &frmMain::hideStaleQuote);
    connect(cmdCalculate, &QPushButton::clicked, this, [this] { deliver(&frmMain::cmdCalculate_Click); });
    connect(cmdClearQuote, &QPushButton::clicked, this, [this] { deliver(&frmMain::cmdClearQuote_Click); });
    connect(cmdReset, &QPushButton::clicked, this, [this] { deliver(&frmMain::cmdReset_Click); });
    connect(tmrSneakers, &QTimer::timeout, this, [this] { deliver(&frmMain::tmrSneakers_Timer); });

    const std::pair<QAction *, void (frmMain::*)()> menuHandlers[] = {
        {mnuFileExit, &frmMain::mnuFileExit_Click},
        {mnuHelpPelloryProgram, &frmMain::mnuHelpPelloryProgram_Click},
    };
    for (const auto &[action, handler] : menuHandlers)
        connect(action, &QAction::triggered, this, [this, handler = handler] { deliver(handler); });
    // The same items under the menu bar and in the pop-up; start-up runs the
    // clock handlers itself, unguarded.
    const std::pair<QAction *, void (frmMain::*)()> preferenceHandlers[] = {
        {mnuPreferencesDateandTimeOn, &frmMain::mnuPreferencesDateandTimeOn_Click},
        {mnuPreferencesDateandTimeOff, &frmMain::mnuPreferencesDateandTimeOff_Click},
        {mnuColorsCustom, &frmMain::mnuColorsCustom_Click},
        {mnuColorsdefault, &frmMain::mnuColorsdefault_Click},
    };
    for (const auto &[action, handler] : preferenceHandlers) {
        connect(action, &QAction::triggered, this,
                [this, handler = handler] { deliver([this, handler] { changePreferencesForStaff(handler); }); });
    }
}

void frmMain::watchForIdleness()
{
    m_idleReset = new IdleReset(m_shop.idleReset, this);
    connect(m_idleReset, &IdleReset::idleTimeOver, this, [this] { deliver(&frmMain::resetForNextCustomer); });
}

void frmMain::placeOnScreen()
{
    // No maximise or minimise: a customer must not be able to hide the window.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    if (m_shop.fillScreen) {
        // Full screen: a desktop's window manager draws no title bar and
        // covers its panels, as a kiosk compositor does.
        setWindowState(Qt::WindowFullScreen);
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->geometry().topLeft());
        return;
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // The window manager's border is not known before the window shows.
        move(window::centredTopLeft(screen->availableGeometry(), sizeHint()));
    }
}

void frmMain::deliver(void (frmMain::*handler)())
{
    m_events.deliver([this, handler] { (this->*handler)(); });
}

void frmMain::deliver(const std::function<void()> &handler)
{
    m_events.deliver(handler);
}

bool frmMain::load()
{
    deliver(&frmMain::Form_Load);
    return !m_events.ended();
}

void frmMain::unload(int exitStatus)
{
    m_unloaded = true;
    m_presence->letGo();
    tmrSneakers->stop();
    m_idleReset->stop();
    close();
    emit unloaded(exitStatus);
}

void frmMain::windowLost()
{
    machine::logForSupport(QStringLiteral("The window was destroyed by another program and cannot come back; "
                                           "the program ends so that it can be started again."));
    m_events.end(EXIT_FAILURE);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Every way of closing the window asks for the staff password, as File > Exit does.
    if (!m_unloaded)
        deliver(&frmMain::mnuFileExit_Click);
    event->setAccepted(m_unloaded);
}

// Only a click on the bare surface is the form's: it may open the pop-up menu.
void frmMain::bareSurfaceClicked(const QMouseEvent &release)
{
    const std::int16_t button = buttonNumber(release.button());
    const std::int16_t shift = shiftState(release.modifiers());
    const QPointF at = m_formScaling.scale().twipsAt(release.position());
    deliver([this, button, shift, at] { Form_MouseUp(button, shift, float(at.x()), float(at.y())); });
}

void frmMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && focusWidget() == nullptr)
        deliver(&frmMain::Form_GotFocus);
    QMainWindow::changeEvent(event);
}
