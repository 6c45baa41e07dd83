#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz (beside the test
# build) and runs each for a short while (FUZZ_SECONDS, default 30). Any
# crash, hang, leak, sanitizer report or broken invariant fails the stage;
# the input that caused it is saved under build-fuzz/artifacts/. New inputs
# found go to build-fuzz/corpus/, never into the seed corpus in fuzz/corpus/.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$root"

seconds=${FUZZ_SECONDS:-30}
build=$(own_build fuzz)
targets=(fuzz_pricefile fuzz_settings fuzz_format)

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPELLORY_BUILD_FUZZERS=ON -DPELLORY_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j 2 --target "${targets[@]}"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1:print_stacktrace=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/artifacts"

for target in "${targets[@]}"; do
    work="$build/corpus/$target"
    mkdir -p "$work"
    dict=()
    case "$target" in
        fuzz_pricefile) dict=(-dict=fuzz/pricefile.dict) ;;
        fuzz_format) dict=(-dict=fuzz/format.dict) ;;
    esac
    echo "-- $target for ${seconds}s"
    # The outer timeout only guards against libFuzzer itself wedging.
    if ! timeout $((seconds + 120)) "$build/fuzz/$target" "$work" "fuzz/corpus/$target" "${dict[@]}" \
            -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
            -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 2>"$build/$target.log"; then
        tail -n 60 "$build/$target.log" >&2
        echo "$target failed; the input is in $build/artifacts/" >&2
        exit 1
    fi
    grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$build/$target.log" || true
done
echo "fuzzing found nothing"
