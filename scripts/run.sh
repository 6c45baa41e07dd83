#!/usr/bin/env bash
# Installs what building and running need, builds the program alone in
# build-run/, and starts it on the sample price file the build places beside
# it.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$root"
run_build=$(own_build run)

"$root/scripts/install-deps.sh" run
cmake -S . -B "$run_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORY_BUILD_TESTS=OFF
cmake --build "$run_build" -j "$(nproc 2>/dev/null || echo 2)" --target pellory

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "Run this from a desktop session, or try it on a virtual screen: xvfb-run -a $run_build/src/pellory" >&2
    exit 1
fi
exec "$run_build/src/pellory"
