#include "window/MenuStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace {

bool isPlainSeparator(const QStyleOption *option)
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    return item && item->menuItemType == QStyleOptionMenuItem::Separator && item->text.isEmpty();
}

} // namespace

MenuStyle::MenuStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                            const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    if (isPlainSeparator(option)) {
        // An etched line: a dark line over a light one, across the menu.
        const QRect line = item->rect.adjusted(3, 0, -3, 0);
        const int y = line.center().y();
        painter->save();
        painter->setPen(item->palette.color(QPalette::Dark));
        painter->drawLine(line.left(), y, line.right(), y);
        painter->setPen(item->palette.color(QPalette::Light));
        painter->drawLine(line.left(), y + 1, line.right(), y + 1);
        painter->restore();
        return;
    }
    if (item->checkType != QStyleOptionMenuItem::NotCheckable && !item->checked) {
        QStyleOptionMenuItem unmarked(*item);
        unmarked.checkType = QStyleOptionMenuItem::NotCheckable;
        QProxyStyle::drawControl(element, &unmarked, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize MenuStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                  const QWidget *widget) const
{
    QSize needed = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem && isPlainSeparator(option))
        needed.setHeight(qMax(needed.height(), option->fontMetrics.height() / 2));
    // Fusion draws the check-mark column up to four fifths of a row's height
    // wide but measures it at 21 pixels, which cuts short the caption of a
    // row grown with a filled screen.
    if (type == CT_MenuItem)
        needed.rwidth() += qMax(0, needed.height() * 4 / 5 - 21);
    return needed;
}
