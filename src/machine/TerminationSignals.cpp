#include "machine/TerminationSignals.h"

#include "machine/ErrorLog.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace machine {

namespace {

// Every signal whose default action would end the program silently and
// that someone may send on purpose: a service manager's SIGTERM, a closed
// terminal's SIGHUP, Ctrl+C and Ctrl+\, and the user and alarm signals a
// script may send by mistake.
const int EndingSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM};

int g_signalPipe[2] = {-1, -1};

extern "C" void passSignalToEventLoop(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    // The pipe never blocks; should it ever be full, a signal is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &number, 1);
    errno = savedErrno;
}

} // namespace

QString signalName(int signalNumber)
{
    switch (signalNumber) {
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGHUP: return QStringLiteral("SIGHUP");
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGQUIT: return QStringLiteral("SIGQUIT");
    case SIGUSR1: return QStringLiteral("SIGUSR1");
    case SIGUSR2: return QStringLiteral("SIGUSR2");
    case SIGALRM: return QStringLiteral("SIGALRM");
    default: return QStringLiteral("signal %1").arg(signalNumber);
    }
}

int exitStatusForSignal(int signalNumber)
{
    return 128 + signalNumber;
}

TerminationSignals::TerminationSignals()
{
    ::signal(SIGPIPE, SIG_IGN);
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = passSignalToEventLoop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : EndingSignals) {
        // A signal the starter chose to ignore (a hang-up under nohup, an
        // interrupt or quit for a background job of a shell) stays ignored;
        // SIGTERM always ends it.
        struct sigaction current {};
        if (signalNumber != SIGTERM && ::sigaction(signalNumber, nullptr, &current) == 0
            && current.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signalNumber, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    for (const int signalNumber : EndingSignals) {
        struct sigaction current {};
        if (::sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == passSignalToEventLoop)
            ::signal(signalNumber, SIG_DFL);
    }
    delete m_notifier;
    for (int &fd : g_signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void TerminationSignals::endEventLoopOnSignal()
{
    if (g_signalPipe[0] < 0 || m_notifier)
        return;
    // Owned by the application, so it goes before the event dispatcher does.
    m_notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
}

int TerminationSignals::exitStatus(int otherwise) const
{
    return m_arrived != 0 ? exitStatusForSignal(m_arrived) : otherwise;
}

void TerminationSignals::readSignal()
{
    unsigned char number = 0;
    while (::read(g_signalPipe[0], &number, 1) == 1) {
        if (m_arrived != 0)
            continue;
        m_arrived = number;
        logForSupport(QStringLiteral("Stopped by %1; ending with status %2.")
                          .arg(signalName(m_arrived))
                          .arg(exitStatusForSignal(m_arrived)));
        QCoreApplication::exit(exitStatusForSignal(m_arrived));
    }
}

} // namespace machine
