// Reading the price file: catalogue::readPriceFile on a file of 32767
// records, the most the program accepts, against the least any reader has to
// do with the same bytes: load them and cut them at commas and line ends.

#include "BenchSupport.h"

#include "catalogue/PriceFile.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

QString g_path;
qint64 g_size = 0;

void BM_ReadPriceFile(benchmark::State &state)
{
    for (auto _ : state) {
        catalogue::Catalogue loaded = catalogue::readPriceFile(g_path);
        benchmark::DoNotOptimize(loaded.brands.data());
        if (loaded.brands.size() != catalogue::MaxRecords)
            state.SkipWithError("wrong number of records");
    }
    state.SetBytesProcessed(state.iterations() * g_size);
}

void BM_ReadAndSplitBaseline(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(g_path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the price file");
            break;
        }
        const QByteArray bytes = file.readAll();
        qsizetype fields = 0;
        qsizetype start = 0;
        const char *data = bytes.constData();
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const char c = data[i];
            if (c == ',' || c == '\r' || c == '\n') {
                const QByteArrayView field(data + start, i - start);
                benchmark::DoNotOptimize(field.data());
                fields += field.isEmpty() ? 0 : 1;
                start = i + 1;
            }
        }
        benchmark::DoNotOptimize(fields);
    }
    state.SetBytesProcessed(state.iterations() * g_size);
}

BENCHMARK(BM_ReadPriceFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadAndSplitBaseline)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
#ifdef __GLIBC__
    // Each read allocates and frees a few megabytes. With glibc's adaptive
    // limits, whether that memory goes back to the system after every read
    // (and faults in again on the next) depends on where unrelated blocks
    // happen to lie: the same build measured 25% apart with and without the
    // second benchmark. Fixed limits keep the heap steady, as in the program,
    // which reads the file once.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    g_path = folder.filePath(QString::fromLatin1(catalogue::PriceFileName));
    const QByteArray bytes = bench::generatedPriceFile(catalogue::MaxRecords);
    if (!folder.isValid() || !bench::writeFile(g_path, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(g_path));
        return 1;
    }
    g_size = bytes.size();
    std::printf("price file: %d records, %.2f MB\n", catalogue::MaxRecords, g_size / 1e6);

    bench::RecordingReporter reporter;
    if (!bench::runBenchmarks(argc, argv, reporter))
        return 1;
    if (!reporter.has("BM_ReadPriceFile") || !reporter.has("BM_ReadAndSplitBaseline"))
        return 0;
    const double ours = reporter.milliseconds("BM_ReadPriceFile");
    const double baseline = reporter.milliseconds("BM_ReadAndSplitBaseline");
    bench::printSummary("read price file, 32767 records", ours, baseline, "ms", 3.0);
    std::printf("summary-note | readPriceFile %.1f MB/s, read and split %.1f MB/s\n", g_size / 1e3 / ours,
                g_size / 1e3 / baseline);
    return 0;
}
