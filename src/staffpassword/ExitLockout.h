#pragma once

#include <QString>

#include <chrono>
#include <functional>

namespace staffpassword {

// How long the password box stays away after `wrongInARow` wrong passwords
// in a row: nothing for the first two, 30 seconds after the third, twice as
// long after each further one, and never more than 15 minutes. A script
// that tries every code then takes years instead of hours.
std::chrono::seconds lockoutAfter(int wrongInARow);

// What the staff exit says while the password box stays away: how long to
// wait, in whole seconds rounded up.
QString lockoutMessage(std::chrono::milliseconds wait);

// Counts the wrong passwords typed at the staff exit and says how long the
// next try must wait. The clock is a steady one, so changing the computer's
// time neither ends a wait nor makes it longer; tests give a clock of their
// own.
class ExitLockout
{
public:
    using Clock = std::function<std::chrono::milliseconds()>;

    explicit ExitLockout(Clock clock = steadyClock);

    // Zero when the password box may be offered.
    std::chrono::milliseconds waitBeforeNextTry() const;
    void recordWrongPassword();
    void recordRightPassword();

    static std::chrono::milliseconds steadyClock();

private:
    Clock m_clock;
    int m_wrongInARow = 0;
    std::chrono::milliseconds m_lockedUntil{0};
};

} // namespace staffpassword
