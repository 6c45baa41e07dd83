#include "machine/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Answers the next modal dialog once it is up: `answer` reads it and says
// whether to accept it. A dialog that never comes leaves `seen` false.
void whenModal(std::function<bool(QDialog *)> answer, bool *seen)
{
    QTimer::singleShot(0, [answer, seen] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            whenModal(answer, seen);
            return;
        }
        *seen = true;
        if (answer(dialog))
            dialog->accept();
        else
            dialog->reject();
    });
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

    machine::QtDialogs dialogs;

private slots:
    void messageBoxHasOnlyOkAndBreaksLinesAtCrLf()
    {
        QString title, text;
        int buttons = 0;
        bool seen = false;
        whenModal(
            [&](QDialog *dialog) {
                auto *box = qobject_cast<QMessageBox *>(dialog);
                title = box->windowTitle();
                text = box->text();
                buttons = box->buttons().size();
                return true;
            },
            &seen);
        dialogs.messageBox("first \r\nsecond", "OOOPS!! Incorrect Password", machine::Dialogs::Icon::None);
        QVERIFY(seen);
        QCOMPARE(title, QStringLiteral("OOOPS!! Incorrect Password"));
        QCOMPARE(text, QStringLiteral("first \nsecond"));
        QCOMPARE(buttons, 1);
    }

    void inputBoxReturnsTheTypedTextOrNothing_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("expected");
        QTest::newRow("typed and OK") << true << "472916 ";
        QTest::newRow("typed and cancelled") << false << "";
    }
    void inputBoxReturnsTheTypedTextOrNothing()
    {
        QFETCH(bool, accept);
        QFETCH(QString, expected);
        QLineEdit::EchoMode echo = QLineEdit::Normal;
        QString title, label;
        bool seen = false;
        whenModal(
            [&](QDialog *dialog) {
                auto *input = qobject_cast<QInputDialog *>(dialog);
                title = input->windowTitle();
                label = input->labelText();
                echo = input->textEchoMode();
                input->setTextValue("472916 ");
                return accept;
            },
            &seen);
        const QString typed = dialogs.inputBox("Enter a password in order to exit the program", "Exit the Program?",
                                               machine::Dialogs::Echo::Masked);
        QVERIFY(seen);
        QCOMPARE(typed, expected);
        QCOMPARE(title, QStringLiteral("Exit the Program?"));
        QCOMPARE(label, QStringLiteral("Enter a password in order to exit the program"));
        QCOMPARE(echo, QLineEdit::Password);
    }

    void colourChooserReturnsTheColourOrNothing_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void colourChooserReturnsTheColourOrNothing()
    {
        QFETCH(bool, accept);
        bool seen = false;
        whenModal(
            [&](QDialog *dialog) {
                qobject_cast<QColorDialog *>(dialog)->setCurrentColor(QColor(0, 0, 255));
                return accept;
            },
            &seen);
        const std::optional<QColor> chosen = dialogs.chooseColor(Qt::red);
        QVERIFY(seen);
        QCOMPARE(chosen.has_value(), accept);
        if (accept)
            QCOMPARE(*chosen, QColor(0, 0, 255));
    }
};

int main(int argc, char *argv[])
{
    // Native dialogs are not widget trees a test can answer.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_dialogs.moc"
