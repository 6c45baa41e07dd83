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
// window/ fill the screen, take a finger (long press, hidden pointer, swipe)
// and clear the window when it is idle. Qt signals reach a handler only
// through EventDelivery, so an error a handler does not trap is reported and
// ends the program instead of escaping into the event loop.

#include "catalogue/PriceFile.h"
#include "catalogue/PriceTable.h"
#include "configuration/ShopConfiguration.h"
#include "machine/Dialogs.h"
#include "machine/EventDelivery.h"
#include "staffpassword/StaffExit.h"
#include "runtime/OleColor.h"
#include "runtime/Twips.h"
#include "window/BrandList.h"
#include "window/ControlLayout.h"

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
    void guardExitWith(staffpassword::StaffExit staffExit) { m_staffExit = std::move(staffExit); }
    // How many times its designed size the form is drawn: 1, or more when it fills the screen.
    qreal formScale() const { return m_scale.factor; }

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
    // StartupAndExitHandlers.cpp
    void Form_Load();
    void ReadPrices();
    void reportRoundedPrices(int count);

    // PriceReload.cpp
    void rememberPricesInUse(const QByteArray &bytes);
    void watchPriceFile();
    void applyPricesWhenIdle();
    void Form_GotFocus();
    void Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void mnuFileExit_Click();
    void mnuHelpPelloryProgram_Click();
    bool staffMayChangePreferences();

    // QuoteHandlers.cpp
    int listIndex() const;
    void setListIndex(int index);
    void lstBrands_Click();
    void optPair_Click(std::int16_t index);
    void cmdCalculate_Click();
    void cmdClearQuote_Click();
    void cmdReset_Click();
    void hideStaleQuote();
    void resetForNextCustomer();

    // PreferenceHandlers.cpp
    void ReadTheRegistry();
    void setBackColor(std::int32_t color);
    void SetAllOtherBackColor();
    void mnuColorsCustom_Click();
    void mnuColorsdefault_Click();
    void mnuPreferencesDateandTimeOn_Click();
    void mnuPreferencesDateandTimeOff_Click();
    void tmrSneakers_Timer();

    // TouchHandlers.cpp: a finger on the window
    void watchForTouch();
    bool showForLongPress(QWidget *under, QPoint globalPos);

    // FillScreen.cpp: the scale of the form, and the window filling the screen
    void chooseScale();
    void scaleMenus(qreal factor);
    void makeTouchSized();
    void fillScreen();

    // frmMain.cpp: building the window and delivering its events
    void place(QWidget *widget, const window::TwipsRect &rect);
    void createControls();
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

    // The state the handlers share: the pairs option ticked (0 while none
    // is), the colour painted behind the controls, whether the clock shows,
    // the prices in use.
    std::int16_t intPairs = 0;
    std::int32_t lngBackColor = runtime::SystemButtonFace;
    bool blnDateDisplay = false;
    catalogue::PriceTable prices;

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
    QWidget *menuAnnouncer = nullptr;
    IdleReset *m_idleReset = nullptr;
    // A new price file read while the kiosk runs, waiting until no brand is
    // selected; the files are told apart by the digests of their bytes.
    catalogue::Catalogue m_pendingPrices;
    QByteArray m_pendingPricesDigest;
    QByteArray m_pricesInUse;
    QString m_lastRefusal;
    QTimer *m_pendingPricesCheck = nullptr;

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

    machine::Dialogs &m_dialogs;
    const QString m_priceFile;
    const configuration::ShopConfiguration m_shop;
    // Twips to pixels for this window; the surface holds the form, centred.
    runtime::FormScale m_scale;
    QSize m_surfaceSize;
    machine::EventDelivery m_events;
    staffpassword::StaffExit m_staffExit;
    bool m_unloaded = false;
    window::KioskPresence *m_presence = nullptr;
};
