#pragma once

#include "runtime/Twips.h"

#include <QList>
#include <QSize>

#include <functional>

class BrandList;
class QAbstractButton;
class QMenu;
class QMenuBar;
class QObject;

namespace window {

// How large the form is drawn, and where: at its designed size on the
// screen's logical resolution, or, on a kiosk, grown as far as the screen
// below the menu bar holds it and centred there. The menu bar grows with the
// form, so the room it leaves depends on the factor chosen.
class FormScaling
{
public:
    // Grows the menu bar's fonts by `factor` and gives the bar's height then.
    using MenuBarHeightAt = std::function<int(qreal factor)>;

    explicit FormScaling(qreal logicalDpi = 96.0);

    // Grows the form to fill `screen`, below a menu bar `menuBarHeight` high
    // at the form's designed size.
    void fillScreen(const QSize &screen, int menuBarHeight, const MenuBarHeightAt &menuBarHeightAt);

    const runtime::FormScale &scale() const { return m_scale; }
    // The surface that holds the form: the form itself, or the whole screen below the menu bar.
    QSize surfaceSize() const { return m_surfaceSize; }
    // The least height of a brand row and width of a scroll bar, in pixels.
    int touchRowHeight() const;
    int touchScrollBarExtent() const;

private:
    runtime::FormScale m_scale;
    QSize m_surfaceSize;
};

// The fonts of the menu bar, of `menus` and of tooltips, `factor` times the application's.
void scaleMenuFonts(QMenuBar *bar, const QList<QMenu *> &menus, qreal factor);

// The boxes of `buttons`, the rows of `list` and its scroll bars grown for a
// finger on a form drawn at `scaling`. The style they share belongs to
// `styleOwner`, which must outlive them.
void makeTouchSized(const FormScaling &scaling, BrandList *list, const QList<QAbstractButton *> &buttons,
                    QObject *styleOwner);

} // namespace window
