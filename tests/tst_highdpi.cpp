#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>

using namespace testsupport;

// Run at twice the pixel density (QT_SCALE_FACTOR=2): the window keeps its
// layout in logical pixels, paints at twice the size, and clips no caption.
class TestHighDpi : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        freshSettings();
        QVERIFY(openWindow());
    }
    void cleanupTestCase() { closeWindow(); }

    void windowPaintsAtTwiceTheSize()
    {
        frmMain &form = driver->form();
        QCOMPARE(form.devicePixelRatio(), 2.0);
        // The logical pixels are those of the normal density, 96 dots per inch.
        QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInch(), 96.0);
        const QSize client(605, 420);
        QCOMPARE(form.centralWidget()->size(), client);
        QCOMPARE(form.centralWidget()->grab().size(), client * 2);
        auto *calculate = driver->find<QWidget>("cmdCalculate");
        QCOMPARE(calculate->pos(), QPoint(376, 328));
    }

    void noCaptionIsClipped()
    {
        QWidget *surface = driver->form().centralWidget();
        for (auto *box : surface->findChildren<QAbstractButton *>()) {
            if (auto *button = qobject_cast<QPushButton *>(box)) {
                QStyleOptionButton option;
                option.initFrom(button);
                const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                const QRect needed = button->fontMetrics().boundingRect(contents, Qt::AlignCenter | Qt::TextWordWrap,
                                                                        button->text());
                QVERIFY2(contents.contains(needed), qPrintable(button->objectName()));
            } else {
                QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->objectName()));
                QVERIFY2(box->sizeHint().height() <= box->height(), qPrintable(box->objectName()));
            }
        }
        for (auto *frame : surface->findChildren<QGroupBox *>())
            QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width() - 20,
                     qPrintable(frame->objectName()));
        auto *instructions = driver->find<QLabel>("lblInstructions");
        QVERIFY(instructions->heightForWidth(instructions->width()) <= instructions->height());
    }
};

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
