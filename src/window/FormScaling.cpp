#include "window/FormScaling.h"

#include "window/BrandList.h"
#include "window/ControlLayout.h"
#include "window/ScaledStyle.h"
#include "window/WindowPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolTip>

namespace window {

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

FormScaling::FormScaling(qreal logicalDpi)
    : m_scale{logicalDpi}
    , m_surfaceSize(m_scale.pixels(ClientWidth), m_scale.pixels(ClientHeight))
{
}

void FormScaling::fillScreen(const QSize &screen, int menuBarHeight, const MenuBarHeightAt &menuBarHeightAt)
{
    const QSize designed(m_scale.pixels(ClientWidth), m_scale.pixels(ClientHeight));
    // The bar's height at the designed size gives a first guess of the
    // factor; the bar grown by that guess leaves the rest of the screen.
    qreal factor = fillFactor(screen, designed + QSize(0, menuBarHeight));
    factor = qMin(factor, fillFactor(screen - QSize(0, menuBarHeightAt(factor)), designed));
    m_scale.factor = factor;
    m_surfaceSize = screen - QSize(0, menuBarHeightAt(factor));
    const QSize form(m_scale.pixels(ClientWidth), m_scale.pixels(ClientHeight));
    m_scale.origin = centredTopLeft(QRect(QPoint(), m_surfaceSize), form);
}

int FormScaling::touchRowHeight() const
{
    return m_scale.pixels(TouchRowTwips);
}

int FormScaling::touchScrollBarExtent() const
{
    return m_scale.pixels(TouchScrollBarTwips);
}

void scaleMenuFonts(QMenuBar *bar, const QList<QMenu *> &menus, qreal factor)
{
    bar->setFont(scaled(QApplication::font(bar), factor));
    for (QMenu *menu : menus)
        menu->setFont(scaled(QApplication::font(menu), factor));
    // Tooltips show by a long press; they are read at the same distance.
    QToolTip::setFont(scaled(QApplication::font(), factor));
}

void makeTouchSized(const FormScaling &scaling, BrandList *list, const QList<QAbstractButton *> &buttons,
                    QObject *styleOwner)
{
    list->setMinimumRowHeight(scaling.touchRowHeight());
    auto *style = new ScaledStyle(scaling.scale().factor, scaling.touchScrollBarExtent());
    style->setParent(styleOwner);
    for (QAbstractButton *button : buttons)
        button->setStyle(style);
    for (QScrollBar *bar : {list->verticalScrollBar(), list->horizontalScrollBar()})
        bar->setStyle(style);
}

} // namespace window
