#pragma once

class QWidget;

namespace window {

// A screen reader reads a label only when the customer visits it, and nobody
// visits a label; what it speaks the moment it shows is a notification. These
// make a widget a notification to assistive technology, spoken by its
// accessible name, and show it so that it is spoken, the same text again
// included.
void speakWhenShown(QWidget *widget);
void showAndSpeak(QWidget *widget);

} // namespace window
