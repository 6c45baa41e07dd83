#include "window/frmMain.h"

#include "machine/ScreenResolution.h"
#include "window/ScaledStyle.h"
#include "window/WindowPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>

namespace {

// The least height of a brand row and width of a scroll bar, in the form's
// twips. Filling a 21.5-inch 1920x1080 screen, scaling alone leaves both just
// under 9 mm, too small to hit with a finger; these give 12 and 11 mm there.
constexpr int TouchRowTwips = 300;
constexpr int TouchScrollBarTwips = 270;

QFont scaled(QFont font, qreal factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(qRound(font.pixelSize() * factor));
    return font;
}

} // namespace

void frmMain::chooseScale()
{
    m_scale.logicalDpi = machine::logicalDpi();
    const QSize designed(m_scale.pixels(window::ClientWidth), m_scale.pixels(window::ClientHeight));
    m_surfaceSize = designed;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!m_shop.fillScreen || !screen)
        return;
    // The menu bar grows with the form: its height at a first guess of the
    // factor leaves the rest of the screen to the form.
    const QSize screenSize = screen->geometry().size();
    qreal factor = window::fillFactor(screenSize, designed + QSize(0, menuBar()->sizeHint().height()));
    scaleMenus(factor);
    factor = qMin(factor, window::fillFactor(screenSize - QSize(0, menuBar()->sizeHint().height()), designed));
    scaleMenus(factor);
    m_scale.factor = factor;
    m_surfaceSize = screenSize - QSize(0, menuBar()->sizeHint().height());
    const QSize form(m_scale.pixels(window::ClientWidth), m_scale.pixels(window::ClientHeight));
    m_scale.origin = window::centredTopLeft(QRect(QPoint(), m_surfaceSize), form);
}

void frmMain::scaleMenus(qreal factor)
{
    menuBar()->setFont(scaled(QApplication::font(menuBar()), factor));
    for (QMenu *menu : {mnuFile, mnuPreferences, mnuPreferencesColors, mnuHelp})
        menu->setFont(scaled(QApplication::font(menu), factor));
    // Tooltips show by a long press; they are read at the same distance.
    QToolTip::setFont(scaled(QApplication::font(), factor));
}

void frmMain::makeTouchSized()
{
    lstBrands->setMinimumRowHeight(m_scale.pixels(TouchRowTwips));
    // Made after the controls, so it outlives them when the window goes.
    auto *style = new ScaledStyle(m_scale.factor, m_scale.pixels(TouchScrollBarTwips));
    style->setParent(this);
    for (QCheckBox *box : chkSneakerItem)
        box->setStyle(style);
    for (QRadioButton *option : pairOptions())
        option->setStyle(style);
    for (QScrollBar *bar : {lstBrands->verticalScrollBar(), lstBrands->horizontalScrollBar()})
        bar->setStyle(style);
}

void frmMain::fillScreen()
{
    // Full screen: a desktop's window manager draws no title bar and covers
    // its panels, as a kiosk compositor does.
    setWindowState(Qt::WindowFullScreen);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().topLeft());
}
