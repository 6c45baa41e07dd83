#include "BenchSupport.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

namespace bench {

RecordingReporter::RecordingReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
{
}

void RecordingReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.error_occurred)
            continue;
        // Keyed by function and arguments alone, so that a caller need not
        // spell out repetitions, iteration counts or the timing mode.
        const std::string name = run.run_name.function_name
            + (run.run_name.args.empty() ? std::string() : "/" + run.run_name.args);
        if (run.run_type == Run::RT_Iteration)
            m_runs[name] = run;
        else if (run.aggregate_name == "median")
            m_medians[name] = run;
    }
}

const benchmark::BenchmarkReporter::Run &RecordingReporter::find(const std::string &name) const
{
    if (const auto median = m_medians.find(name); median != m_medians.end())
        return median->second;
    if (const auto run = m_runs.find(name); run != m_runs.end())
        return run->second;
    throw std::runtime_error("no result for benchmark " + name);
}

double RecordingReporter::milliseconds(const std::string &name) const
{
    const Run &run = find(name);
    // An aggregate (the median) carries its statistic times the number of
    // repetitions, as a run carries its total over its iterations.
    const double perIteration
        = run.real_accumulated_time / double(std::max<benchmark::IterationCount>(run.iterations, 1));
    return perIteration * 1000.0;
}

double RecordingReporter::counter(const std::string &name, const std::string &counterName) const
{
    const Run &run = find(name);
    const auto it = run.counters.find(counterName);
    if (it == run.counters.end())
        throw std::runtime_error("no counter " + counterName + " for benchmark " + name);
    return it->second.value;
}

bool runBenchmarks(int argc, char **argv, RecordingReporter &reporter)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return false;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return true;
}

void printSummary(const std::string &measure, double ours, double baseline, const std::string &unit, double goal)
{
    const double ratio = baseline > 0 ? ours / baseline : 0;
    char goalText[32] = "-";
    const char *verdict = "-";
    if (goal > 0) {
        std::snprintf(goalText, sizeof goalText, "<= %.2fx", goal);
        verdict = ratio <= goal ? "met" : "MISSED";
    }
    std::printf("summary | %s | %.4g %s | %.4g %s | %.2fx | %s | %s\n", measure.c_str(), ours, unit.c_str(),
                baseline, unit.c_str(), ratio, goalText, verdict);
    std::fflush(stdout);
}

QByteArray generatedPriceFile(int records)
{
    QByteArray bytes;
    bytes.reserve(records * 34);
    for (int i = 0; i < records; ++i) {
        // One brand in eight carries a comma in its quoted name, and prices of
        // 0 appear as they do in the shop's own file.
        const QByteArray name = i % 8 == 3 ? QByteArray("Vane, & Co ") + QByteArray::number(i)
                                           : QByteArray("Brand ") + QByteArray::number(i);
        bytes += '"' + name + "\",";
        for (int item = 0; item < 5; ++item) {
            const int price = (i * 7 + item * 13) % 5 == 0 ? 0 : 40 + (i * 31 + item * 17) % 160;
            bytes += QByteArray::number(price);
            bytes += item < 4 ? "," : "\r\n";
        }
    }
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

long peakResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

} // namespace bench
