#!/usr/bin/env bash
# Starts the built program on a virtual X screen and uses it as a person
# would, with the mouse and keyboard: colours, a quote, the staff exit, and
# the report of a missing price file. Screenshots go to build/real-window/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

[ -x build/src/pellory ] || { echo "build/src/pellory is missing: run scripts/test.sh" >&2; exit 1; }
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    bash tests/realwindow/run.sh build/src/pellory build/real-window
