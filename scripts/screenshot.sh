#!/usr/bin/env bash
# Takes a screenshot of the test build's program window on a virtual screen.
#   scripts/screenshot.sh [OUT.png] [SCALE]
# SCALE 2 shows the window at twice the pixel density. The preferences are
# those of a first start (a fresh settings folder), so the picture shows the
# window as a shop first sees it.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
out=$(realpath -m "${1:-$root/docs/screenshot.png}")
scale=${2:-1}
require_built src/pellory

make_work_folder
XDG_CONFIG_HOME="$work" QT_SCALE_FACTOR="$scale" \
xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
    source "$3"
    "$1" & pid=$!
    win=$(wait_for_window "^$caption\$") || { echo "the window did not show" >&2; kill "$pid"; exit 1; }
    import -window "$win" "$2"
    kill "$pid"; wait "$pid" 2>/dev/null || true
' _ "$build/src/pellory" "$out" "$root/scripts/lib.sh"
echo "saved $out"
