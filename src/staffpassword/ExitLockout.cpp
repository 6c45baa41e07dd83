#include "staffpassword/ExitLockout.h"

#include <algorithm>

namespace staffpassword {

namespace {

constexpr int FreeTries = 2;
constexpr std::chrono::seconds FirstLockout{30};
constexpr std::chrono::seconds LongestLockout{15 * 60};

QString counted(long long count, const char *unit)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(unit), QLatin1String(count == 1 ? "" : "s"));
}

} // namespace

std::chrono::seconds lockoutAfter(int wrongInARow)
{
    if (wrongInARow <= FreeTries)
        return std::chrono::seconds{0};
    std::chrono::seconds lockout = FirstLockout;
    for (int further = wrongInARow - FreeTries - 1; further > 0 && lockout < LongestLockout; --further)
        lockout *= 2;
    return std::min(lockout, LongestLockout);
}

QString lockoutMessage(std::chrono::milliseconds wait)
{
    const long long seconds = (wait.count() + 999) / 1000;
    const long long minutes = seconds / 60;
    QString time;
    if (minutes == 0)
        time = counted(seconds, "second");
    else if (seconds % 60 == 0)
        time = counted(minutes, "minute");
    else
        time = counted(minutes, "minute") + QStringLiteral(" ") + counted(seconds % 60, "second");
    return QStringLiteral("Too many wrong passwords.\r\nPlease try again in %1.").arg(time);
}

ExitLockout::ExitLockout(Clock clock)
    : m_clock(std::move(clock))
{
}

std::chrono::milliseconds ExitLockout::steadyClock()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

std::chrono::milliseconds ExitLockout::waitBeforeNextTry() const
{
    return std::max(m_lockedUntil - m_clock(), std::chrono::milliseconds{0});
}

void ExitLockout::recordWrongPassword()
{
    ++m_wrongInARow;
    m_lockedUntil = m_clock() + lockoutAfter(m_wrongInARow);
}

void ExitLockout::recordRightPassword()
{
    m_wrongInARow = 0;
    m_lockedUntil = std::chrono::milliseconds{0};
}

} // namespace staffpassword
