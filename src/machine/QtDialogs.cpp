#include "machine/QtDialogs.h"

#include "machine/DigitPad.h"
#include "machine/ScreenResolution.h"
#include "runtime/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>

namespace machine {

namespace {

// A key of the digit pad: 600 twips, 40 pixels at the designed size.
constexpr int KeyTwips = 600;

// A dialog's buttons, when the dialog is for fingers, are half as wide again
// as a key and three quarters as high.
void fitForFingers(QDialog *dialog, int keySize)
{
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
        if (!button->objectName().startsWith(QStringLiteral("digitPad")))
            button->setMinimumSize(keySize * 3 / 2, keySize * 3 / 4);
    }
}

// The program writes its line breaks as CR LF; Qt breaks lines at LF alone.
QString displayed(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

int QtDialogs::keySize() const
{
    return runtime::FormScale{machine::logicalDpi(), m_scale}.pixels(KeyTwips);
}

void QtDialogs::scale(QDialog *dialog) const
{
    if (m_scale == 1.0)
        return;
    QFont font = QApplication::font(dialog);
    font.setPointSizeF(font.pointSizeF() * m_scale);
    dialog->setFont(font);
    fitForFingers(dialog, keySize());
}

void QtDialogs::messageBox(const QString &prompt, const QString &title, Icon icon)
{
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, title, displayed(prompt),
                    QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    scale(&box);
    box.exec();
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, Echo echo)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(displayed(prompt));
    dialog.setTextEchoMode(echo == Echo::Masked ? QLineEdit::Password : QLineEdit::Normal);
    // The dialog makes its box, buttons and layout when first measured.
    dialog.sizeHint();
    scale(&dialog);
    auto *edit = dialog.findChild<QLineEdit *>();
    auto *layout = qobject_cast<QBoxLayout *>(dialog.layout());
    if (m_digitPad && echo == Echo::Masked && edit && layout) {
        // Between the box and its OK and Cancel.
        layout->insertWidget(layout->indexOf(edit) + 1, new DigitPad(edit, keySize(), &dialog));
        fitForFingers(&dialog, keySize());
    }
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

std::optional<QColor> QtDialogs::chooseColor(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace machine
