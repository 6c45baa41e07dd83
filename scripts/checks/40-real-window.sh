#!/usr/bin/env bash
# Starts the built program on a virtual X screen and uses it as a person
# would, with the mouse and keyboard: colours, a quote, the staff exit, and
# the report of a missing price file. Uses the build in build/ (or in
# REAL_WINDOW_BUILD); screenshots go to its real-window/ folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

build=$(realpath -m "${REAL_WINDOW_BUILD:-build}")
for built in src/pellory tests/realwindow/layout.sh; do
    [ -e "$build/$built" ] || { echo "$build/$built is missing: run scripts/test.sh" >&2; exit 1; }
done
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    bash tests/realwindow/run.sh "$build/src/pellory" "$build/tests/realwindow/layout.sh" "$build/real-window"
