#pragma once

#include <QWidget>

class QLineEdit;

namespace machine {

// An on-screen digit pad for the password box on a touch screen, where there
// is no keyboard: the digits 0 to 9 and Erase, each `keySize` pixels square,
// typing into `edit` as the keyboard does. It is a part of the dialog, not a
// keyboard of the window system, so it works on every platform, a kiosk
// compositor included. Its keys take no focus, so a keyboard, when there is
// one, keeps typing into the box too.
class DigitPad : public QWidget
{
    Q_OBJECT

public:
    DigitPad(QLineEdit *edit, int keySize, QWidget *parent);
};

} // namespace machine
