#include "machine/DigitPad.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace machine {

namespace {

// The digits as a telephone and a cash machine lay them out, 0 under 8.
constexpr char KeyRows[4][4] = {"123", "456", "789", "E0"};

} // namespace

DigitPad::DigitPad(QLineEdit *edit, int keySize, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("digitPad"));
    QFont keyFont = font();
    keyFont.setPointSizeF(keyFont.pointSizeF() * 1.5);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; KeyRows[row][column] != '\0'; ++column) {
            const QChar key = QLatin1Char(KeyRows[row][column]);
            const bool erase = key == u'E';
            auto *button = new QPushButton(erase ? QStringLiteral("Erase") : QString(key), this);
            button->setObjectName(QStringLiteral("digitPad_") + (erase ? QStringLiteral("Erase") : QString(key)));
            // A screen reader speaks each key by its name.
            button->setAccessibleName(erase ? QStringLiteral("Erase the last digit") : QStringLiteral("Digit ") + key);
            button->setFont(keyFont);
            button->setFocusPolicy(Qt::NoFocus);
            button->setAutoDefault(false);
            button->setMinimumSize(keySize, keySize);
            grid->addWidget(button, row, column);
            if (erase)
                connect(button, &QPushButton::clicked, edit, &QLineEdit::backspace);
            else
                connect(button, &QPushButton::clicked, edit, [edit, key] { edit->insert(QString(key)); });
        }
    }
}

} // namespace machine
