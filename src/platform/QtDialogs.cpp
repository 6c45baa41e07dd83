#include "platform/QtDialogs.h"

#include <QColorDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace platform {

namespace {

// The program writes its line breaks as CR LF; Qt breaks lines at LF alone.
QString displayed(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

void QtDialogs::messageBox(const QString &prompt, const QString &title, Icon icon)
{
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, title, displayed(prompt),
                    QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, Echo echo)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(displayed(prompt));
    dialog.setTextEchoMode(echo == Echo::Masked ? QLineEdit::Password : QLineEdit::Normal);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

std::optional<QColor> QtDialogs::chooseColor(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace platform
