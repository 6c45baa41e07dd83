#pragma once

#include <QString>

#include <optional>

namespace machine {

// True when standard input is a terminal, where a person types.
bool enteredAtTerminal();

// Asks on standard error with `prompt` and reads one line from the terminal
// without showing what is typed. The terminal shows typing again afterwards,
// also when the program is interrupted meanwhile (Ctrl+C). Nothing when the
// input ends first.
std::optional<QString> readHiddenLine(const QString &prompt);

// Reads one line from standard input, as configuration management passes a
// password through a pipe. Nothing when the input is empty or too long to be
// a password.
std::optional<QString> readLineFromInput();

} // namespace machine
