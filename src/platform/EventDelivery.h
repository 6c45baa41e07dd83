#pragma once

#include "platform/Dialogs.h"

#include <functional>

namespace platform {

// Every event handler of the window is entered through deliver(). An error
// the handler does not trap is reported as the runtime reports it, a message
// box with "Run-time error 'N':" and its text, and then the program ends with
// a non-zero status. No exception ever reaches Qt's event loop, and once the
// program is ending no further handler runs.
class EventDelivery
{
public:
    using EndProgram = std::function<void(int exitStatus)>;

    EventDelivery(Dialogs &dialogs, EndProgram endProgram);

    void deliver(const std::function<void()> &handler);
    bool ended() const { return m_ended; }
    // Ends the program normally, as unloading the only window does.
    void end(int exitStatus);

private:
    Dialogs &m_dialogs;
    EndProgram m_endProgram;
    bool m_ended = false;
};

} // namespace platform
