#pragma once

#include <QColor>

class QGroupBox;
class QPushButton;
class QWidget;

namespace window {

// Fills a check box, option button or the window's surface with a colour.
void paintBackground(QWidget *widget, const QColor &color);

// Fills a frame with exactly the colour in every widget style, with its
// caption in the top border.
void paintFrame(QGroupBox *frame, const QColor &color);

// A command button shows its background colour in every widget style: a
// system colour keeps the style's own button, a fixed colour is drawn flat
// with a raised border, as a graphical button of the shop's earlier program was.
void paintButton(QPushButton *button, const QColor &color, bool systemColor);

// Keeps a widget's own colours when its parent is recoloured.
void keepOwnColors(QWidget *widget);

} // namespace window
