// The baseline for start-up: a bare main window with what frmMain has on
// screen (a menu bar with three menus, a list, two frames, five check boxes,
// five option buttons, three labels, three buttons) and nothing else: no
// fonts of its own, no settings, no colours, no handlers. Its list gets the
// same brand names from the price file beside it, cut out as plainly as
// possible and added in one addItems() call. The list has uniform item sizes,
// as frmMain's has: without them a plain list measures every one of 32767
// entries before its first paint, and the baseline would time that instead.

#include "FirstPaint.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

QStringList brandNames(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList names;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const bool quoted = line.startsWith('"');
        const qsizetype end = quoted ? line.indexOf('"', 1) : line.indexOf(',');
        names << QString::fromUtf8(quoted ? line.mid(1, end - 1) : line.left(end));
    }
    return names;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"));
    QMenu *preferences = window.menuBar()->addMenu(QStringLiteral("&Preferences"));
    preferences->addAction(QStringLiteral("Date and Time On"));
    preferences->addAction(QStringLiteral("Date and Time Off"));
    QMenu *colors = preferences->addMenu(QStringLiteral("&Colors"));
    colors->addAction(QStringLiteral("Custom"));
    colors->addAction(QStringLiteral("Default"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("About"));

    auto *surface = new QWidget;
    surface->setFixedSize(605, 420);
    window.setCentralWidget(surface);

    auto *list = new QListWidget(surface);
    list->setGeometry(48, 152, 137, 213);
    list->setUniformItemSizes(true);
    auto *items = new QGroupBox(QStringLiteral("Items"), surface);
    items->setGeometry(216, 144, 145, 209);
    auto *pairs = new QGroupBox(QStringLiteral("Pairs"), surface);
    pairs->setGeometry(392, 144, 153, 161);
    for (int i = 0; i < 5; ++i) {
        (new QCheckBox(QStringLiteral("Item %1").arg(i), items))->setGeometry(8, 32 + 32 * i, 113, 25);
        (new QRadioButton(QStringLiteral("Pairs %1").arg(i + 1), pairs))->setGeometry(8, 32 + 24 * i, 137, 25);
    }
    (new QLabel(surface))->setGeometry(288, 104, 38, 19);
    (new QLabel(surface))->setGeometry(16, 384, 7, 23);
    auto *instructions = new QLabel(QStringLiteral("Pick a brand, the items and the pairs, then press a button."), surface);
    instructions->setWordWrap(true);
    instructions->setGeometry(24, 8, 569, 81);
    (new QPushButton(QStringLiteral("Calculate"), surface))->setGeometry(376, 328, 97, 49);
    (new QPushButton(QStringLiteral("Clear brand"), surface))->setGeometry(48, 96, 137, 49);
    (new QPushButton(QStringLiteral("Clear all"), surface))->setGeometry(496, 328, 97, 49);

    list->addItems(brandNames(QCoreApplication::applicationDirPath() + QStringLiteral("/BrandsPrices.txt")));

    bench::reportAtFirstPaint(window);
    window.show();
    return app.exec();
}
