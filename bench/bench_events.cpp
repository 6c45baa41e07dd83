// One "Calculate" click and one brand click on the real frmMain, against a
// plain QPushButton whose clicked() reaches an empty slot. Each is timed two
// ways: the handler alone (click() returns), and through to the repaint the
// customer sees (the events the click posted, paints included, processed).
// The window runs under the offscreen platform with scripted dialogs; any
// message box raised on the way would be a wrong set-up and stops the run.

#include "BenchSupport.h"

#include "machine/ScriptedDialogs.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

struct LoadedWindow
{
    machine::ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> form;
    QListWidget *list = nullptr;
    QPushButton *calculate = nullptr;
};

enum Mode { HandlerOnly = 0, ThroughRepaint = 1 };

void settle(Mode mode)
{
    if (mode == ThroughRepaint)
        QCoreApplication::processEvents();
}

// A window loaded from `prices`, written to a temporary folder for the time it
// takes to load.
std::unique_ptr<LoadedWindow> loadWindow(const QByteArray &prices)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("BrandsPrices.txt"));
    if (!folder.isValid() || !bench::writeFile(path, prices))
        return nullptr;
    auto loaded = std::make_unique<LoadedWindow>();
    loaded->form = std::make_unique<frmMain>(loaded->dialogs, path);
    if (!loaded->form->load())
        return nullptr;
    loaded->form->show();
    QCoreApplication::processEvents();
    loaded->list = loaded->form->findChild<QListWidget *>(QStringLiteral("lstBrands"));
    loaded->calculate = loaded->form->findChild<QPushButton *>(QStringLiteral("cmdCalculate"));
    return loaded;
}

void calculateClick(benchmark::State &state, LoadedWindow *w)
{
    const auto mode = Mode(state.range(0));
    // A brand that carries every item, one item ticked, two pairs.
    w->list->setCurrentRow(0);
    QCheckBox *item = w->form->findChild<QCheckBox *>(QStringLiteral("chkSneakerItem_0"));
    if (!item->isEnabled())
        item = w->form->findChild<QCheckBox *>(QStringLiteral("chkSneakerItem_1"));
    item->setChecked(true);
    w->form->findChild<QRadioButton *>(QStringLiteral("optPair_2"))->click();
    settle(ThroughRepaint);

    for (auto _ : state) {
        w->calculate->click();
        settle(mode);
    }
    const QLabel *quote = w->form->findChild<QLabel *>(QStringLiteral("lblPriceQuote"));
    if (!w->dialogs.shown().isEmpty() || quote->text().isEmpty())
        state.SkipWithError("the click did not produce a quote");
}

void brandClick(benchmark::State &state, LoadedWindow *w)
{
    const auto mode = Mode(state.range(0));
    const int rows = w->list->count();
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % rows;
        w->list->setCurrentRow(row);
        settle(mode);
    }
    if (!w->dialogs.shown().isEmpty())
        state.SkipWithError("a brand click raised a message");
}

void plainClickBaseline(benchmark::State &state, QPushButton *button)
{
    const auto mode = Mode(state.range(0));
    for (auto _ : state) {
        button->click();
        settle(mode);
    }
}

std::string benchmarkName(const char *what, Mode mode)
{
    return std::string(what) + (mode == HandlerOnly ? "/0" : "/1");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);

    QFile sampleFile(QString::fromLocal8Bit(SAMPLE_PRICE_FILE));
    if (!sampleFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", SAMPLE_PRICE_FILE);
        return 1;
    }
    const std::unique_ptr<LoadedWindow> sample = loadWindow(sampleFile.readAll());
    const std::unique_ptr<LoadedWindow> large = loadWindow(bench::generatedPriceFile(32767));
    if (!sample || !large) {
        std::fprintf(stderr, "the window did not load\n");
        return 1;
    }

    QWidget plainWindow;
    auto *plainButton = new QPushButton(QStringLiteral("Calculate"), &plainWindow);
    QObject::connect(plainButton, &QPushButton::clicked, &plainWindow, [] {});
    plainWindow.show();
    QCoreApplication::processEvents();

    benchmark::RegisterBenchmark("PlainButtonClick", plainClickBaseline, plainButton)->Arg(0)->Arg(1);
    benchmark::RegisterBenchmark("CalculateClick", calculateClick, sample.get())->Arg(0)->Arg(1);
    benchmark::RegisterBenchmark("BrandClick", brandClick, sample.get())->Arg(0)->Arg(1);
    benchmark::RegisterBenchmark("BrandClick32767", brandClick, large.get())->Arg(0)->Arg(1);

    bench::RecordingReporter reporter;
    if (!bench::runBenchmarks(argc, argv, reporter))
        return 1;
    for (const Mode mode : {HandlerOnly, ThroughRepaint}) {
        const std::string baseline = benchmarkName("PlainButtonClick", mode);
        const char *how = mode == HandlerOnly ? "handler" : "through repaint";
        const std::pair<const char *, const char *> measures[] = {
            {"CalculateClick", "Calculate click"},
            {"BrandClick", "brand click, sample file"},
            {"BrandClick32767", "brand click, 32767 brands"},
        };
        for (const auto &[name, label] : measures) {
            if (reporter.has(baseline) && reporter.has(benchmarkName(name, mode)))
                bench::printSummary(std::string(label) + " (" + how + ")",
                                    reporter.milliseconds(benchmarkName(name, mode)) * 1000,
                                    reporter.milliseconds(baseline) * 1000, "us");
        }
    }
    return 0;
}
