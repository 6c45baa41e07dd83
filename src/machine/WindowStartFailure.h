#pragma once

#include <QStringList>

namespace machine {

// The options on a command line that opens the window which neither the
// program nor Qt knows (pellory --chek): the window opens all the same, and
// each is named on standard error as ignored. `arguments` leaves out the
// program's own name.
QStringList unknownWindowOptions(const QStringList &arguments);

// Names each unknown option of the command line on standard error.
void reportUnknownWindowOptions(int argc, char **argv);

// Without a display Qt cannot open the window, and it ends the program with
// an abort and a core dump. While this lives, that end is replaced: one line
// says on standard error that no display was found (or what else stopped Qt),
// and the program ends with status 1. Made just before the application
// object and let go once it exists.
class WindowStartFailure
{
public:
    WindowStartFailure();
    ~WindowStartFailure() { release(); }
    // Qt's fatal messages end the program as Qt ends it again.
    void release();
    WindowStartFailure(const WindowStartFailure &) = delete;
    WindowStartFailure &operator=(const WindowStartFailure &) = delete;

private:
    bool m_installed = false;
};

// The line for a start that found no platform to show the window on; Qt's
// own message is kept when a display was there all the same.
QString windowStartFailureLine(bool displayNamed, const QString &qtMessage);

} // namespace machine
