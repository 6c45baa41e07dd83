#include "machine/EventDelivery.h"

#include "runtime/RuntimeError.h"

#include <QDateTime>

#include <cstdlib>

namespace machine {

EventDelivery::EventDelivery(Dialogs &dialogs, EndProgram endProgram, ErrorLog log)
    : m_dialogs(dialogs)
    , m_endProgram(std::move(endProgram))
    , m_log(std::move(log))
{
}

void EventDelivery::deliver(const std::function<void()> &handler)
{
    if (m_ended)
        return;
    try {
        handler();
        return;
    } catch (const runtime::RuntimeError &error) {
        report(error);
    } catch (...) {
        // Anything else is a fault of the program itself (out of memory and
        // the like); the runtime reports those as its internal error. Letting
        // it reach Qt's event loop would end the program without a word.
        report(runtime::RuntimeError(runtime::ErrorNumber::InternalError));
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

void EventDelivery::report(const runtime::RuntimeError &error)
{
    m_log(errorLogLine(QDateTime::currentDateTime(), error));
    m_dialogs.messageBox(runtime::runtimeErrorReport(error), ApplicationTitle, Dialogs::Icon::Critical);
}

} // namespace machine
