#!/usr/bin/env bash
# Builds the benchmarks in build-bench/ (beside the test build), runs them all
# and prints every ratio against its same-run baseline as one table (also left
# in bench-summary.md there). Arguments go to each benchmark program, for
# example --benchmark_min_time=2 for steadier figures.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$root"
bench_build=$(own_build bench)

"$root/scripts/install-deps.sh" bench
cmake -S . -B "$bench_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORY_BUILD_TESTS=OFF -DPELLORY_BUILD_BENCHMARKS=ON
cmake --build "$bench_build" -j "$(nproc 2>/dev/null || echo 2)"

# Every benchmark program the build made, as scripts/checks/10-benchmarks.sh
# runs them, so that no list here can name one that is not built.
log=$bench_build/bench-output.txt
: >"$log"
for program in "$bench_build"/bench/bench_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    echo "== ${program##*/}" | tee -a "$log"
    "$program" "$@" 2>&1 | tee -a "$log"
done

summary=$bench_build/bench-summary.md
{
    echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'); $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo
    echo "| measure | ours | baseline | ratio | goal | verdict |"
    echo "|---|---|---|---|---|---|"
    grep '^summary |' "$log" | sed 's/^summary | /| /; s/$/ |/'
    grep '^summary-note |' "$log" | sed 's/^summary-note | /\n/' || true
} >"$summary"
echo
cat "$summary"
# A missed goal is a finding to look into, not a broken build: say so loudly.
if grep -q '| MISSED' "$summary"; then
    echo "At least one goal was missed; see bench/RESULTS.md for what is known about it." >&2
fi
