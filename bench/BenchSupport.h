#pragma once

// Every figure these programs print is set against a baseline measured in the
// same run, so a ratio means the same on a fast machine as on a busy one.
// RecordingReporter prints what Google Benchmark prints and keeps each run;
// printSummary() writes one "summary |" line per ratio, which scripts/bench.sh
// gathers into a table.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace bench {

class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    // Colours only on a terminal, so that logs and scripts/bench.sh read clean.
    RecordingReporter();
    void ReportRuns(const std::vector<Run> &runs) override;

    // Real time per iteration in milliseconds of the benchmark named by its
    // function and arguments ("BM_StartUp/1"), the median when it ran with
    // repetitions.
    double milliseconds(const std::string &name) const;
    double counter(const std::string &name, const std::string &counterName) const;
    // False when the benchmark did not run, as when a filter left it out.
    bool has(const std::string &name) const { return m_runs.count(name) || m_medians.count(name); }

private:
    const Run &find(const std::string &name) const;
    std::map<std::string, Run> m_runs;
    std::map<std::string, Run> m_medians;
};

// Runs the benchmarks selected on the command line through `reporter`;
// false when the command line was wrong.
bool runBenchmarks(int argc, char **argv, RecordingReporter &reporter);

// One line: measure | ours | baseline | ratio | goal | verdict. A goal of 0
// means the ratio is reported without a goal.
void printSummary(const std::string &measure, double ours, double baseline, const std::string &unit,
                  double goal = 0);

// A price file of `records` well-formed records laid out as shop staff write
// them: a quoted brand name (some with a comma inside) and five whole-dollar
// prices, CR LF line ends.
QByteArray generatedPriceFile(int records);
bool writeFile(const QString &path, const QByteArray &bytes);

// Peak resident memory of this process, in kilobytes, from /proc/self/status.
long peakResidentKilobytes();

} // namespace bench
