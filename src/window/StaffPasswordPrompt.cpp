#include "window/StaffPasswordPrompt.h"

namespace window {

namespace {

struct Box
{
    QString title;
    QString prompt;
};

Box boxFor(StaffPasswordPrompt::Purpose purpose)
{
    if (purpose == StaffPasswordPrompt::Purpose::Exit)
        return {QStringLiteral("Exit the Program?"), QStringLiteral("Enter a password in order to exit the program")};
    return {QStringLiteral("Staff Only"), QStringLiteral("Enter the staff password to change the preferences")};
}

} // namespace

StaffPasswordPrompt::StaffPasswordPrompt(machine::Dialogs &dialogs, Deliver deliver, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_deliver(std::move(deliver))
{
}

void StaffPasswordPrompt::ask(Purpose purpose, Verdict verdict)
{
    // A password typed a moment ago is still being checked.
    if (m_staffExit.isChecking()) {
        verdict(false);
        return;
    }
    const Box box = boxFor(purpose);
    // After wrong passwords the box stays away for a while; the wait is said.
    if (const auto wait = m_staffExit.waitBeforeNextTry(); wait.count() > 0) {
        m_dialogs.messageBox(staffpassword::lockoutMessage(wait), box.title);
        verdict(false);
        return;
    }
    const QString typed = m_dialogs.inputBox(box.prompt, box.title, machine::Dialogs::Echo::Masked);
    m_staffExit.tryPassword(typed, this, [this, verdict = std::move(verdict)](bool right) {
        m_deliver([this, verdict, right] {
            if (!right) {
                m_dialogs.messageBox(
                    QStringLiteral("Please contact one of The Pellory \r\nstaff members for assistance."),
                    QStringLiteral("OOOPS!! Incorrect Password"));
            }
            verdict(right);
        });
    });
}

} // namespace window
