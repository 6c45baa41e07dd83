#pragma once

// The quote window. Everything the customer and the staff see lives here:
// frmMain owns its controls, the price table and the preferences in use, and
// every piece of behaviour is one of its handlers, named after the control and
// the event (cmdCalculate_Click, lstBrands_Click, tmrSneakers_Timer ...).
// Handlers only move values between the widgets and the pure functions of the
// subsystem folders: catalogue/ reads the price file, quote/ validates, prices
// and decides availability, preferences/ keeps the stored choices,
// configuration/ holds the shop's kiosk settings (read by main and handed in),
// staffpassword/ guards the staff exit, runtime/ holds the runtime's pure
// rules (errors, conversions, Format, twips) and machine/ the contact with
// the machine (dialogs, files, settings, event delivery). Helpers beside it in
// window/ do the kiosk's own jobs and are listed with the members below: they
// size the form to fill the screen, ask for the staff password, take in a
// changed price file, take a finger (long press, hidden pointer, swipe), clear
// the window when it is idle and bring it back. Qt signals reach a handler only
// through EventDelivery, so an error a handler does not trap is reported and
// ends the program instead of escaping into the event loop.

#include "catalogue/PriceFile.h"
#include "catalogue/PriceTable.h"
#include "configuration/ShopConfiguration.h"
#include "machine/Dialogs.h"
#include "machine/EventDelivery.h"
#include "staffpassword/StaffExit.h"
#include "runtime/OleColor.h"
#include "window/BrandList.h"
#include "window/ControlLayout.h"
#include "window/FormScaling.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <span>

class IdleReset;
class QCheckBox;
class QGroupBox;
class QLabel;

class QMenu;
class QMouseEvent;
class QPushButton;
class QRadioButton;
class QTimer;

namespace window {
class KioskPresence;
class PriceReloader;
class StaffPasswordPrompt;
}

class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    // The window reads its prices from `priceFile` when it loads, and follows
    // the shop's settings in `shop`; the program itself passes the files
    // beside it.
    explicit frmMain(machine::Dialogs &dialogs,
                     const QString &priceFile = catalogue::priceFileBesideProgram(),
                     const configuration::ShopConfiguration &shop = {},
                     QWidget *parent = nullptr);
    ~frmMain() override;

    // Reads the price file again, as the kiosk does when it has changed: a
    // file the window would load takes effect the next time no brand is
    // selected, a faulty one leaves the prices in use.
    void readPricesAgain();

    // Raises the load event and reports whether the window may be shown:
    // false when start-up failed and the program is ending.
    bool load();

    // The staff exit takes the password in the shop's password file beside
    // the program (or in /etc/pellory); tests give one of their own.
    void guardExitWith(staffpassword::StaffExit staffExit);
    // How many times its designed size the form is drawn: 1, or more when it fills the screen.
    qreal formScale() const { return m_formScaling.scale().factor; }

    // The prices the quotes are worked out from.
    const catalogue::PriceTable &pricesInUse() const { return prices; }

    // How many pairs a customer can choose between: option 1 to this one.
    static constexpr int PairOptions = 5;

signals:
    // The window was unloaded: by the staff exit (status 0) or by an error no
    // handler trapped (non-zero). The program ends with that status.
    void unloaded(int exitStatus);
    // New prices took effect: `brandCount` brands read from the price file's
    // `bytes`. Raised at start-up and by every reload that replaces the list.
    void pricesTakenIntoUse(int brandCount, const QByteArray &bytes);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The window's handlers, named after the control and the event, and what
    // they share, by the file that holds them.

    // StartupAndExitHandlers.cpp: load, focus, the pop-up menu, the staff exit, About
    void Form_Load();
    void ReadPrices();
    void Form_GotFocus();
    void Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void mnuFileExit_Click();
    void exitPasswordChecked(bool right);
    void mnuHelpPelloryProgram_Click();

    // QuoteHandlers.cpp: the brand list, items, pairs, the three buttons, the idle reset
    int listIndex() const;
    void setListIndex(int index);
    void lstBrands_Click();
    void optPair_Click(std::int16_t index);
    void cmdCalculate_Click();
    void cmdClearQuote_Click();
    void cmdReset_Click();
    void hideStaleQuote();
    void resetForNextCustomer();

    // PreferenceHandlers.cpp: colour and clock
    void ReadTheRegistry();
    // Makes the change at once, or, with staff-only preferences, once the
    // staff password has been typed and checked.
    void changePreferencesForStaff(void (frmMain::*change)());
    void keepClockItemsAsTheyAre();
    void setBackColor(std::int32_t color);
    void SetAllOtherBackColor();
    void mnuColorsCustom_Click();
    void mnuColorsdefault_Click();
    void mnuPreferencesDateandTimeOn_Click();
    void mnuPreferencesDateandTimeOff_Click();
    void tmrSneakers_Timer();

    // PriceReload.cpp: a new price file put in place once the reloader says so
    void createPriceReloader();
    bool windowIsIdle() const;
    void takeNewPrices(catalogue::Catalogue &&loaded, const QByteArray &bytes);

    // TouchHandlers.cpp: a finger on the window
    void watchForTouch();
    bool showForLongPress(QWidget *under, QPoint globalPos);

    // frmMain.cpp: building the window, placing it and delivering its events
    void chooseScale();
    void place(QWidget *widget, const window::TwipsRect &rect);
    void createControls();
    void makeTouchSized();
    void createMenus();
    void createTabOrder();
    void updatePairsTabStop();
    void describeControls();
    void connectHandlers();
    void watchForIdleness();
    void placeOnScreen();
    void bareSurfaceClicked(const QMouseEvent &release);
    void deliver(void (frmMain::*handler)());
    void deliver(const std::function<void()> &handler);
    void unload(int exitStatus);
    void windowLost();

    // What the window was given: the dialogs it shows, the price file it
    // reads and the shop's settings it follows.
    machine::Dialogs &m_dialogs;
    const QString m_priceFile;
    const configuration::ShopConfiguration m_shop;

    // The state the handlers share: the pairs option ticked (0 while none
    // is), the colour painted behind the controls, whether the clock shows,
    // the prices in use.
    std::int16_t intPairs = 0;
    std::int32_t lngBackColor = runtime::SystemButtonFace;
    bool blnDateDisplay = false;
    catalogue::PriceTable prices;

    // The controls, named as the form names them.
    QWidget *surface = nullptr;
    BrandList *lstBrands = nullptr;
    QGroupBox *fraSneakerItems = nullptr;
    QGroupBox *fraPairs = nullptr;
    std::array<QCheckBox *, catalogue::ItemCount> chkSneakerItem{};
    // Indexed by the number of pairs, 1 to PairOptions; there is no member 0.
    std::array<QRadioButton *, PairOptions + 1> optPair{};
    // The pairs options in order, for what is done to each alike.
    std::span<QRadioButton *const, PairOptions> pairOptions() const { return std::span(optPair).subspan<1>(); }
    QLabel *lblDateTime = nullptr;
    QLabel *lblPriceQuote = nullptr;
    QLabel *lblInstructions = nullptr;
    QPushButton *cmdCalculate = nullptr;
    QPushButton *cmdClearQuote = nullptr;
    QPushButton *cmdReset = nullptr;
    QTimer *tmrSneakers = nullptr;
    // Speaks a menu's name as it opens (describeControls).
    QWidget *menuAnnouncer = nullptr;

    QMenu *mnuFile = nullptr;
    QMenu *mnuPreferences = nullptr;
    QMenu *mnuPreferencesColors = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuFileDash1 = nullptr;
    QAction *mnuFileExit = nullptr;
    QAction *mnuPreferencesDateandTimeOn = nullptr;
    QAction *mnuPreferencesDateandTimeOff = nullptr;
    QAction *mnuColorsCustom = nullptr;
    QAction *mnuColorsdefault = nullptr;
    QAction *mnuHelpPelloryProgram = nullptr;

    // Twips to pixels for this window, and the surface's size (FormScaling.h).
    window::FormScaling m_formScaling;
    // Every handler is entered through it (machine/EventDelivery.h).
    machine::EventDelivery m_events;
    // Set once the window is unloading, so that closing it asks for no password.
    bool m_unloaded = false;

    // The helpers the window owns, each a child of the window.
    window::StaffPasswordPrompt *m_staffPassword = nullptr; // StaffPasswordPrompt.h
    window::PriceReloader *m_priceReloader = nullptr;       // PriceReloader.h
    IdleReset *m_idleReset = nullptr;                       // IdleReset.h
    window::KioskPresence *m_presence = nullptr;            // KioskPresence.h
};
