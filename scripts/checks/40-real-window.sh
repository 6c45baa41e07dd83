#!/usr/bin/env bash
# Starts the built program on a virtual X screen and uses it as a person
# would, with the mouse and keyboard: colours, a quote, the staff exit, and
# the report of a missing price file. Uses the test build; screenshots go to
# its real-window/ folder.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$root"

require_built src/pellory tests/realwindow/layout.sh
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
    bash tests/realwindow/run.sh "$build/src/pellory" "$build/tests/realwindow/layout.sh" "$build/real-window"
