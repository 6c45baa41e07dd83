#!/usr/bin/env bash
# Installs what is missing, builds in build/ (the test suites and the
# benchmarks, which must keep compiling), and runs every check: the test
# suites, then each stage in scripts/checks/ in order, each of which builds
# what else it needs in a folder of its own. Any failure fails the run.
#   scripts/test.sh            everything
#   scripts/test.sh unit       only the build and the test suites
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh" test

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORY_BUILD_BENCHMARKS=ON
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

[ "${1:-all}" = unit ] && exit 0
for stage in scripts/checks/*.sh; do
    echo "== ${stage##*/}"
    bash "$stage"
done
echo "All checks passed."
