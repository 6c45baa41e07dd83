#!/usr/bin/env bash
# Installs what is missing, builds the test suites and the benchmarks (which
# must keep compiling) in the test build (build/, or PELLORY_BUILD_FOLDER),
# and runs every check: the test suites, then each stage in scripts/checks/
# in order, each of which builds what else it needs in a folder of its own.
# Any failure fails the run.
#   scripts/test.sh            everything
#   scripts/test.sh unit       only the build and the test suites, installing
#                              only what they need
#   scripts/test.sh mutants    plants each fault of tests/mutants/ and tells
#                              which ones the suites miss (slow; see
#                              scripts/mutants.sh)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$root"

kind=${1:-all}
case "$kind" in
  all) "$root/scripts/install-deps.sh" test ;;
  unit) "$root/scripts/install-deps.sh" unit ;;
  mutants) exec "$root/scripts/mutants.sh" ;;
  *) echo "usage: $0 [unit|mutants]" >&2; exit 2 ;;
esac

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORY_BUILD_BENCHMARKS=ON
cmake --build "$build" -j "$jobs"
(cd "$build" && ctest --output-on-failure -j "$jobs")

[ "$kind" = unit ] && exit 0
for stage in scripts/checks/*.sh; do
    echo "== ${stage##*/}"
    bash "$stage"
done
echo "All checks passed."
