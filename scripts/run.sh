#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the sample
# price file that the build places beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target pellory

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "Run this from a desktop session, or try it on a virtual screen: xvfb-run -a build/src/pellory" >&2
    exit 1
fi
exec build/src/pellory
