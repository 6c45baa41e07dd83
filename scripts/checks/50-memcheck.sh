#!/usr/bin/env bash
# Runs a whole session (start, load, quotes, colour and clock changes, staff
# exit) and the failed start-ups under valgrind's memcheck, on the optimised
# build that ships. Fails on any memory error or definite leak.
#
# Why valgrind as well as the sanitizer stage: LeakSanitizer there already
# checks every suite for leaks, but AddressSanitizer does not see reads of
# uninitialised memory, and the sanitizer build is an unoptimised one.
# Memcheck sees both in the real build. The sessions are the QTest suites
# with scripted dialogs on the offscreen platform, so no display is needed
# and nothing of X11, fontconfig or a desktop's libraries has to be
# suppressed: with Qt 6.4 these sessions run clean without suppressions.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$root"

require_built tests/tst_session

export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LANG=C.UTF-8
memcheck() {
    local suite=$1; shift
    echo "-- $suite $*"
    (cd "$build/tests" && timeout 600 valgrind --tool=memcheck --error-exitcode=42 \
        --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
        --track-origins=yes --num-callers=40 --log-file="$build/memcheck-$suite.log" "./$suite" "$@" >/dev/null) || {
        cat "$build/memcheck-$suite.log" >&2
        echo "memcheck found errors in $suite (log: $build/memcheck-$suite.log)" >&2
        exit 1
    }
    grep -E "ERROR SUMMARY|definitely lost" "$build/memcheck-$suite.log"
}

memcheck tst_session
memcheck tst_pricefile_faults "faultsStopStartUpWithOneReport:missing file" \
    "faultsStopStartUpWithOneReport:short line in the middle" "faultsStopStartUpWithOneReport:price not a number" \
    "spreadsheetExportsLoad:Calc, UTF-16 tab-separated"
