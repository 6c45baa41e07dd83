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

// A command button shows exactly its background colour in every widget style
// (the styles' own buttons shade it): it is drawn flat with a raised border,
// as the graphical buttons of the shop's earlier program were.
void paintButton(QPushButton *button, const QColor &color);

// Keeps a widget's own colours when its parent is recoloured.
void keepOwnColors(QWidget *widget);

} // namespace window
