#include "FirstPaint.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace bench {

namespace {

double nowMilliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double millisecondsSinceStart()
{
    if (const QByteArray launch = qgetenv("PELLORY_BENCH_LAUNCH_NS"); !launch.isEmpty())
        return nowMilliseconds(CLOCK_MONOTONIC) - launch.toDouble() / 1e6;
    // Field 22 of /proc/self/stat, counted after the command name, which may
    // itself hold blanks and parentheses.
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    return nowMilliseconds(CLOCK_BOOTTIME) - startTicks * 1e3 / double(sysconf(_SC_CLK_TCK));
}

class FirstPaintFilter : public QObject
{
public:
    explicit FirstPaintFilter(QWidget &window)
        : QObject(&window)
        , m_window(window)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == &m_window) {
            qApp->removeEventFilter(this);
            // The window and every child are painted in one pass; the queued
            // call runs once that pass is over.
            QTimer::singleShot(0, qApp, [] {
                std::printf("first_paint_ms=%.3f peak_kb=%ld\n", millisecondsSinceStart(), peakResidentKilobytes());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    QWidget &m_window;
};

} // namespace

void reportAtFirstPaint(QWidget &window)
{
    qApp->installEventFilter(new FirstPaintFilter(window));
}

} // namespace bench
