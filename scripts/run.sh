#!/usr/bin/env bash
# Installs what building and running need, builds the program alone in
# build-run/, and starts it on the sample price file the build places beside
# it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh" run
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORY_BUILD_TESTS=OFF
cmake --build build-run -j "$(nproc 2>/dev/null || echo 2)" --target pellory

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "Run this from a desktop session, or try it on a virtual screen: xvfb-run -a build-run/src/pellory" >&2
    exit 1
fi
exec build-run/src/pellory
