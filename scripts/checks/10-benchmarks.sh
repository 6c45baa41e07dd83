#!/usr/bin/env bash
# Runs every benchmark program the test build made (bench/bench_* in it)
# once, briefly, so that a benchmark that no longer starts, finds its files
# or measures anything fails the run. No timing is judged here:
# scripts/bench.sh measures.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

found=0
for program in "$build"/bench/bench_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    found=$((found + 1))
    log="$build/bench-smoke-${program##*/}.log"
    echo "-- ${program##*/}"
    if ! timeout 300 "$program" --benchmark_min_time=0.01 >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        echo "FAIL: ${program##*/} did not run to its end (log: $log)" >&2
        exit 1
    fi
    grep -q '^summary |' "$log" || { echo "FAIL: ${program##*/} printed no summary line (log: $log)" >&2; exit 1; }
    if grep -q 'ERROR OCCURRED' "$log"; then
        grep 'ERROR OCCURRED' "$log" >&2
        echo "FAIL: a benchmark of ${program##*/} stopped with an error (log: $log)" >&2
        exit 1
    fi
done
[ "$found" -gt 0 ] || { echo "FAIL: no benchmark programs in $build/bench: run scripts/test.sh" >&2; exit 1; }
echo "$found benchmark programs ran"
