// A new price file taking effect on the running kiosk: frmMain reads it again
// and, with no brand selected, puts the new list and prices in place, all on
// the window's thread. Timed for the sample file and for 32767 brands, each
// against the read start-up does of the same file (catalogue::readPriceFile).
// The goal for the sample file is one frame, 16 ms, whatever the ratio.

#include "BenchSupport.h"

#include "catalogue/PriceFile.h"
#include "machine/ScriptedDialogs.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

struct Kiosk
{
    QTemporaryDir folder;
    QString path;
    QByteArray prices;
    machine::ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> form;
};

// A window on a price file it keeps; the file is rewritten between readings,
// so reading it again never passes over an unchanged file.
std::unique_ptr<Kiosk> kioskOn(const QByteArray &prices)
{
    auto kiosk = std::make_unique<Kiosk>();
    kiosk->path = kiosk->folder.filePath(QStringLiteral("BrandsPrices.txt"));
    kiosk->prices = prices;
    if (!kiosk->folder.isValid() || !bench::writeFile(kiosk->path, prices))
        return nullptr;
    configuration::ShopConfiguration shop;
    shop.reloadPrices = false;
    kiosk->form = std::make_unique<frmMain>(kiosk->dialogs, kiosk->path, shop);
    if (!kiosk->form->load())
        return nullptr;
    kiosk->form->show();
    QCoreApplication::processEvents();
    return kiosk;
}

void reloadPrices(benchmark::State &state, Kiosk *kiosk)
{
    auto *list = kiosk->form->findChild<QListWidget *>(QStringLiteral("lstBrands"));
    int version = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Another first brand name, so the file differs from the one in use.
        bench::writeFile(kiosk->path, "\"Version " + QByteArray::number(++version) + "\"" + kiosk->prices.mid(
                                          kiosk->prices.indexOf(',')));
        state.ResumeTiming();
        kiosk->form->readPricesAgain();
    }
    if (!list->item(0) || list->item(0)->text() != QStringLiteral("Version %1").arg(version))
        state.SkipWithError("the new price file did not take effect");
}

void startUpRead(benchmark::State &state, Kiosk *kiosk)
{
    for (auto _ : state) {
        catalogue::Catalogue loaded = catalogue::readPriceFile(kiosk->path);
        benchmark::DoNotOptimize(loaded.brands.data());
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    // Each reload leaves its line for support; they go to a file of the run.
    std::freopen(QFile::encodeName(config.filePath(QStringLiteral("support.log"))).constData(), "w", stderr);

    QFile sampleFile(QString::fromLocal8Bit(SAMPLE_PRICE_FILE));
    if (!sampleFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", SAMPLE_PRICE_FILE);
        return 1;
    }
    const std::unique_ptr<Kiosk> sample = kioskOn(sampleFile.readAll());
    const std::unique_ptr<Kiosk> large = kioskOn(bench::generatedPriceFile(32767));
    if (!sample || !large) {
        std::fprintf(stderr, "the window did not load\n");
        return 1;
    }
    benchmark::RegisterBenchmark("ReloadPrices", reloadPrices, sample.get())->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartUpRead", startUpRead, sample.get())->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ReloadPrices32767", reloadPrices, large.get())->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartUpRead32767", startUpRead, large.get())->Unit(benchmark::kMillisecond);

    bench::RecordingReporter reporter;
    if (!bench::runBenchmarks(argc, argv, reporter))
        return 1;
    const std::pair<const char *, const char *> measures[] = {
        {"ReloadPrices", "new prices taking effect, sample file"},
        {"ReloadPrices32767", "new prices taking effect, 32767 brands"},
    };
    for (const auto &[name, label] : measures) {
        const std::string baseline = std::string(name).replace(0, 12, "StartUpRead");
        if (reporter.has(name) && reporter.has(baseline))
            bench::printSummary(label, reporter.milliseconds(name), reporter.milliseconds(baseline), "ms");
    }
    if (reporter.has("ReloadPrices"))
        std::printf("summary-note | new prices for the sample file block the window %.3f ms; a frame is 16 ms\n",
                    reporter.milliseconds("ReloadPrices"));
    return 0;
}
