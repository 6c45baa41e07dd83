#pragma once

#include "machine/Dialogs.h"
#include "machine/ErrorLog.h"

#include <functional>

namespace machine {

// Every event handler of the window is entered through deliver(). An error
// the handler does not trap is reported as the runtime reports it, a message
// box with "Run-time error 'N':" and its text, and then the program ends with
// a non-zero status. Before the box appears the error also goes to standard
// error as one line (errorLogLine), so it is kept even when nobody is there
// to read the box. No exception ever reaches Qt's event loop, and once the
// program is ending no further handler runs.
class EventDelivery
{
public:
    using EndProgram = std::function<void(int exitStatus)>;
    using ErrorLog = std::function<void(const QString &line)>;

    EventDelivery(Dialogs &dialogs, EndProgram endProgram, ErrorLog log = writeToStandardError);

    void deliver(const std::function<void()> &handler);
    bool ended() const { return m_ended; }
    // Ends the program normally, as unloading the only window does.
    void end(int exitStatus);

private:
    void report(const runtime::RuntimeError &error);

    Dialogs &m_dialogs;
    EndProgram m_endProgram;
    ErrorLog m_log;
    bool m_ended = false;
};

} // namespace machine
