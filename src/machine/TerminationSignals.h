#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QSocketNotifier;

namespace machine {

// The name a shell gives a signal: "SIGTERM" for 15.
QString signalName(int signalNumber);

// The exit status a program ended by a signal reports, as shells expect:
// 128 + the signal's number.
int exitStatusForSignal(int signalNumber);

// A service manager stops the kiosk with SIGTERM, a closed terminal sends
// SIGHUP, Ctrl+C SIGINT, Ctrl+\ SIGQUIT; SIGUSR1, SIGUSR2 and SIGALRM would
// end it too. Each then ends the program cleanly, through the event loop
// (modal boxes included), with one line on standard error naming the signal,
// and the status exitStatusForSignal(). The handler itself only writes the
// signal's number into a pipe (all a signal handler may safely do); the event
// loop reads it. Any of them but SIGTERM that was ignored when the program
// started (nohup, a shell's background job) stays ignored.
//
// SIGPIPE is ignored instead: a log line to a standard error nobody reads
// any more (a closed journal stream, a log reader that quit) is lost, and
// the kiosk goes on.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // Catches the signals from now on; made before the application object,
    // so that no signal meanwhile ends the program without its line.
    TerminationSignals();
    ~TerminationSignals() override;

    // Once the application object exists: a signal caught ends its event
    // loops (modal dialogs included).
    void endEventLoopOnSignal();

    // The status to end with: that of the signal that arrived, or `otherwise`.
    int exitStatus(int otherwise) const;

private:
    void readSignal();

    QPointer<QSocketNotifier> m_notifier;
    int m_arrived = 0;
};

} // namespace machine
