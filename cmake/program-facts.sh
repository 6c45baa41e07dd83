# shellcheck shell=sh
# Facts the program, its install and the project's scripts share, each
# written here once. Scripts source this file (scripts/lib.sh);
# cmake/ProgramFacts.cmake reads the same lines into the build and writes
# them into runtime/ProgramFacts.h for the code. One NAME="value" a line.

# The main window's title, as window tools and screen readers find it.
PELLORY_WINDOW_TITLE="The Pellory Check Price Of Sneakers Program"
# Where an installed kiosk keeps its program and its shop files, below the
# system root (/ for the package, the prefix for any other install).
PELLORY_PROGRAM_FOLDER="opt/pellory"
PELLORY_CONFIGURATION_FOLDER="etc/pellory"
