#pragma once

#include <QProxyStyle>

// Draws the window's menus as the shop knows them: a separator is a line with
// room above and below it (some styles give it two pixels that vanish against
// the menu's border), and an item that can carry a check mark shows nothing
// while it is unchecked (some styles draw an empty box).
class MenuStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Follows the application's style in everything else.
    MenuStyle();

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
};
