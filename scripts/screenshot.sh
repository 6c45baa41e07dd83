#!/usr/bin/env bash
# Takes a screenshot of the built program's window on a virtual screen.
#   scripts/screenshot.sh [OUT.png] [SCALE]
# SCALE 2 shows the window at twice the pixel density. The preferences are
# those of a first start (a fresh settings folder), so the picture shows the
# window as a shop first sees it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot.png}")
scale=${2:-1}
program="$root/build/src/pellory"
[ -x "$program" ] || { echo "build the program first: scripts/test.sh unit" >&2; exit 2; }

settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
XDG_CONFIG_HOME="$settings" QT_SCALE_FACTOR="$scale" \
xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
    "$1" & pid=$!
    win=$(timeout 20 xdotool search --sync --onlyvisible --name "The Pellory Check Price Of Sneakers Program" | head -n1)
    sleep 1
    import -window "$win" "$2"
    kill "$pid"; wait "$pid" 2>/dev/null || true
' _ "$program" "$out"
echo "saved $out"
