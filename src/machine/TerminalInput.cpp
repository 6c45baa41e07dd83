#include "machine/TerminalInput.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace machine {

namespace {

// A password line longer than this is not a password.
constexpr qsizetype LongestLine = 1024;

const int InterruptingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

termios g_shownTyping{};

// Only async-signal-safe calls: the terminal is set back, and the signal then
// ends the program as it would have.
extern "C" void showTypingAgainAndEnd(int signalNumber)
{
    ::tcsetattr(STDIN_FILENO, TCSANOW, &g_shownTyping);
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

class HiddenTyping
{
public:
    HiddenTyping()
    {
        if (::tcgetattr(STDIN_FILENO, &g_shownTyping) != 0)
            return;
        struct sigaction action {};
        action.sa_handler = showTypingAgainAndEnd;
        sigemptyset(&action.sa_mask);
        for (const int signalNumber : InterruptingSignals)
            ::sigaction(signalNumber, &action, nullptr);
        termios hidden = g_shownTyping;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        hidden.c_lflag |= ECHONL;
        m_active = ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden) == 0;
    }
    ~HiddenTyping()
    {
        if (m_active)
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_shownTyping);
        for (const int signalNumber : InterruptingSignals)
            ::signal(signalNumber, SIG_DFL);
    }
    HiddenTyping(const HiddenTyping &) = delete;
    HiddenTyping &operator=(const HiddenTyping &) = delete;

private:
    bool m_active = false;
};

// One line from standard input, without its line end; nothing at the end of
// the input, on an error, or when the line is too long.
std::optional<QString> readLine()
{
    QByteArray line;
    for (;;) {
        char c = 0;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || (got == 0 && line.isEmpty()))
            return std::nullopt;
        if (got == 0 || c == '\n')
            break;
        if (line.size() == LongestLine)
            return std::nullopt;
        line += c;
    }
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

} // namespace

bool enteredAtTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

std::optional<QString> readHiddenLine(const QString &prompt)
{
    const QByteArray text = prompt.toLocal8Bit();
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fflush(stderr);
    const HiddenTyping hidden;
    return readLine();
}

std::optional<QString> readLineFromInput()
{
    return readLine();
}

} // namespace machine
