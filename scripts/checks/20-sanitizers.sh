#!/usr/bin/env bash
# Builds everything again with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan (beside the test build) and runs every test suite there. Any
# report fails the run: memory errors, undefined behaviour, and leaks
# (LeakSanitizer) of the program's own code. The suites run on the offscreen platform, where Qt
# 6.4 leaves nothing for LeakSanitizer to report, so no leak is suppressed.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$root"

build=$(own_build asan)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DPELLORY_SANITIZE=ON >/dev/null
cmake --build "$build" -j 2

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:print_stacktrace=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
(cd "$build" && ctest --output-on-failure -j 2)
