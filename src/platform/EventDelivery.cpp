#include "platform/EventDelivery.h"

#include "platform/RuntimeError.h"

#include <cstdlib>
#include <exception>

namespace platform {

EventDelivery::EventDelivery(Dialogs &dialogs, EndProgram endProgram)
    : m_dialogs(dialogs)
    , m_endProgram(std::move(endProgram))
{
}

void EventDelivery::deliver(const std::function<void()> &handler)
{
    if (m_ended)
        return;
    try {
        handler();
        return;
    } catch (const RuntimeError &error) {
        m_dialogs.messageBox(runtimeErrorReport(error), ApplicationTitle, Dialogs::Icon::Critical);
    } catch (const std::exception &) {
        // Anything else is a fault of the program itself (out of memory and
        // the like); the runtime reports those as its internal error.
        m_dialogs.messageBox(runtimeErrorReport(RuntimeError(ErrorNumber::InternalError)), ApplicationTitle,
                             Dialogs::Icon::Critical);
    }
    end(EXIT_FAILURE);
}

void EventDelivery::end(int exitStatus)
{
    if (m_ended)
        return;
    m_ended = true;
    m_endProgram(exitStatus);
}

} // namespace platform
