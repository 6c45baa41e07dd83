#pragma once

#include "machine/Dialogs.h"
#include "staffpassword/StaffExit.h"

#include <QObject>
#include <QString>

#include <functional>

namespace window {

// The staff password box, for the staff exit and for the preferences a shop
// keeps for staff: one password, one count of wrong tries and one wait after
// them for both. The box is not offered while a typed password is still
// being checked, nor during the wait, which is said instead. A wrong password
// is told here; the caller hears only whether staff may go on.
class StaffPasswordPrompt : public QObject
{
public:
    // What the password is asked for; each names its own box.
    enum class Purpose { Exit, Preferences };
    // Runs the verdict as the window runs its handlers.
    using Deliver = std::function<void(const std::function<void()> &work)>;
    // True once the right password was typed; false when it was not, or when
    // the box was not offered or was cancelled.
    using Verdict = std::function<void(bool granted)>;

    StaffPasswordPrompt(machine::Dialogs &dialogs, Deliver deliver, QObject *parent = nullptr);

    // The password file and the wait after wrong tries; the shop's file by default.
    void guardWith(staffpassword::StaffExit staffExit) { m_staffExit = std::move(staffExit); }

    // The shop's own password takes a good part of a second to check, so
    // `verdict` may come after this returns; it never comes once the prompt
    // is gone.
    void ask(Purpose purpose, Verdict verdict);

private:
    machine::Dialogs &m_dialogs;
    Deliver m_deliver;
    staffpassword::StaffExit m_staffExit;
};

} // namespace window
