#pragma once

#include <QStringList>

namespace check {

// Exit status of a command line the program does not understand.
inline constexpr int UsageError = 2;
// Exit status when the report could not be written (a full disk, a closed
// standard output).
inline constexpr int OutputError = 3;

// Every option name the command line answers to, without dashes: the
// program's own and Qt's help and version.
QStringList commandLineOptionNames();

// True when the arguments ask for the command line (--check, --help,
// --version or --set-staff-password, with one dash or two) rather than the
// window. Looked at before
// any application object exists, so the check needs no display.
bool isCommandLineRequest(int argc, char **argv);

// Runs the command line without a window: checks a price file and prints what
// the kiosk would make of it, or prints the help or the version. Returns the
// exit status: 0 when the kiosk would load the file, 1 when it would refuse
// it, 2 for a usage error.
int runCommandLine(int argc, char **argv);

} // namespace check
