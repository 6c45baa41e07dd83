// Start-up: whole processes, from launch to the first paint of the window,
// of the program (startup_probe_pellory: frmMain, Form_Load, show) against a
// bare window of as many widgets with the same brand names
// (startup_probe_bare), once with the sample price file and once with 32767
// brands. The two are launched alternately, so that whatever else the machine
// is doing weighs on both alike; the medians are compared.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr int Launches = 15;

struct Probe
{
    double milliseconds = 0;
    long peakKilobytes = 0;
};

struct Case
{
    QString label;
    QString folder;
};

QTemporaryDir *g_root = nullptr;
std::vector<Case> g_cases;

std::vector<std::string> probeEnvironment(long long launchNs)
{
    std::vector<std::string> env;
    for (char **entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("QT_QPA_PLATFORM=", 0) != 0 && text.rfind("XDG_CONFIG_HOME=", 0) != 0
            && text.rfind("PELLORY_BENCH_LAUNCH_NS=", 0) != 0)
            env.push_back(text);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("XDG_CONFIG_HOME=" + g_root->filePath(QStringLiteral("config")).toStdString());
    env.push_back("PELLORY_BENCH_LAUNCH_NS=" + std::to_string(launchNs));
    return env;
}

std::optional<Probe> launch(const QString &program)
{
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    // The offscreen platform's warnings would bury the table; they are kept
    // for a probe that fails.
    const std::string errors = g_root->filePath(QStringLiteral("probe-errors.log")).toStdString();
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    const std::string path = program.toStdString();
    char *argv[] = {const_cast<char *>(path.c_str()), nullptr};
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::vector<std::string> env = probeEnvironment(now.tv_sec * 1000000000LL + now.tv_nsec);
    std::vector<char *> envp;
    for (std::string &entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);

    Probe probe;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0
        || std::sscanf(output.c_str(), "first_paint_ms=%lf peak_kb=%ld", &probe.milliseconds, &probe.peakKilobytes) != 2) {
        QFile log(QString::fromStdString(errors));
        if (log.open(QIODevice::ReadOnly))
            std::fprintf(stderr, "%s failed:\n%s\n", path.c_str(), log.readAll().constData());
        return std::nullopt;
    }
    return probe;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_StartUp(benchmark::State &state)
{
    const Case &c = g_cases.at(size_t(state.range(0)));
    const QString ours = QDir(c.folder).filePath(QStringLiteral("startup_probe_pellory"));
    const QString bare = QDir(c.folder).filePath(QStringLiteral("startup_probe_bare"));
    // Warm the page cache and the font cache before anything is timed.
    for (const QString &program : {ours, bare})
        launch(program);

    std::vector<double> oursMs, bareMs, oursKb, bareKb;
    bool oursFirst = true;
    for (auto _ : state) {
        std::optional<Probe> a, b;
        if (oursFirst) {
            a = launch(ours);
            b = launch(bare);
        } else {
            b = launch(bare);
            a = launch(ours);
        }
        oursFirst = !oursFirst;
        if (!a || !b) {
            state.SkipWithError("a probe failed to start or to paint");
            break;
        }
        state.SetIterationTime(a->milliseconds / 1000.0);
        oursMs.push_back(a->milliseconds);
        bareMs.push_back(b->milliseconds);
        oursKb.push_back(double(a->peakKilobytes));
        bareKb.push_back(double(b->peakKilobytes));
    }
    state.SetLabel(c.label.toStdString());
    state.counters["pellory_ms"] = median(oursMs);
    state.counters["bare_ms"] = median(bareMs);
    state.counters["ratio"] = median(bareMs) > 0 ? median(oursMs) / median(bareMs) : 0;
    state.counters["pellory_peak_MB"] = median(oursKb) / 1024;
    state.counters["bare_peak_MB"] = median(bareKb) / 1024;
}

BENCHMARK(BM_StartUp)->Arg(0)->Arg(1)->Iterations(Launches)->UseManualTime()->Unit(benchmark::kMillisecond);

bool prepareFolder(const QString &folder, const QByteArray &prices)
{
    if (!QDir().mkpath(folder) || !bench::writeFile(QDir(folder).filePath(QStringLiteral("BrandsPrices.txt")), prices))
        return false;
    for (const char *probe : {PELLORY_PROBE, BARE_PROBE}) {
        const QString source = QString::fromLocal8Bit(probe);
        // The program reads the price file from its own folder, which a
        // symbolic link would not change: each folder gets real copies.
        if (!QFile::copy(source, QDir(folder).filePath(QFileInfo(source).fileName())))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    g_root = &root;

    QFile sample(QString::fromLocal8Bit(SAMPLE_PRICE_FILE));
    if (!root.isValid() || !sample.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot prepare the probes\n");
        return 1;
    }
    const QByteArray sampleBytes = sample.readAll();
    const QByteArray largeBytes = bench::generatedPriceFile(32767);
    g_cases = {{QStringLiteral("sample file (%1 brands)").arg(sampleBytes.count('\n')), root.filePath(QStringLiteral("sample"))},
               {QStringLiteral("32767 brands"), root.filePath(QStringLiteral("large"))}};
    if (!prepareFolder(g_cases[0].folder, sampleBytes) || !prepareFolder(g_cases[1].folder, largeBytes)) {
        std::fprintf(stderr, "cannot prepare the probes\n");
        return 1;
    }

    bench::RecordingReporter reporter;
    if (!bench::runBenchmarks(argc, argv, reporter))
        return 1;
    for (size_t i = 0; i < g_cases.size(); ++i) {
        const std::string name = "BM_StartUp/" + std::to_string(i);
        if (!reporter.has(name))
            continue;
        const std::string label = g_cases[i].label.toStdString();
        bench::printSummary("start-up to first paint, " + label, reporter.counter(name, "pellory_ms"),
                            reporter.counter(name, "bare_ms"), "ms", 1.3);
        bench::printSummary("peak memory at first paint, " + label, reporter.counter(name, "pellory_peak_MB"),
                            reporter.counter(name, "bare_peak_MB"), "MB");
    }
    return 0;
}
