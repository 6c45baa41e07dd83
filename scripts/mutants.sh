#!/usr/bin/env bash
# Plants each fault of tests/mutants/*.patch (or the patches named) in a copy
# of the checkout, one at a time, rebuilds and runs the test suites, and
# prints each fault no suite catches and the score. Slow: not part of CI.
#   scripts/mutants.sh                 every planted fault
#   scripts/mutants.sh PATCH...        only these
# A patch may name, in header lines before the diff:
#   # suite: tst_name     the suite built and run first, alone (the run stops at the first failure)
#   # stage: 40-real-window  a stage of scripts/checks/ run when every suite passes
# The copy and its build stay in the folder beside the test build named
# build-mutants, so the next run rebuilds only what the faults touch.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$root"

patches=("$@")
[ ${#patches[@]} -gt 0 ] || patches=("$root"/tests/mutants/*.patch)

place=$(own_build mutants)
copy=$place/source
mbuild=$place/build
mkdir -p "$copy"

# Brings the copy to the checkout as it is now, edits not yet committed
# included; files already the same are left alone, so their times stay and
# the build stays incremental.
sync_copy() {
    local file
    while IFS= read -r -d '' file; do
        [ -f "$file" ] || continue
        cmp -s "$file" "$copy/$file" || { mkdir -p "$copy/$(dirname "$file")" && cp -p "$file" "$copy/$file"; }
    done < <(git ls-files -z --cached --others --exclude-standard)
}
sync_copy

cmake -S "$copy" -B "$mbuild" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$mbuild" -j2 >/dev/null || { echo "The checkout itself does not build." >&2; exit 1; }

header() { sed -n "s/^# $1: *//p" "$2" | head -n 1; }

caught=0 survived=0 unusable=0
survivors=()
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    if ! patch -d "$copy" -p1 --batch --forward --silent --dry-run <"$patch" >/dev/null; then
        echo "$name: does not apply; plant it again in the code as it is now"
        sync_copy
        unusable=$((unusable + 1))
        continue
    fi
    patch -d "$copy" -p1 --batch --forward --silent --no-backup-if-mismatch <"$patch" >/dev/null
    verdict=""
    first=$(header suite "$patch")
    # The suite named first is built alone: most faults stop there, and
    # relinking every suite for each fault is what takes the time.
    if [ -n "$first" ] && cmake --build "$mbuild" -j2 --target "$first" >/dev/null 2>&1 \
        && ! (cd "$mbuild" && ctest -R "^$first\$" --timeout 120 >/dev/null 2>&1); then
        verdict="caught by $first"
        caught=$((caught + 1))
    elif ! cmake --build "$mbuild" -j2 >/dev/null 2>&1; then
        verdict="does not build"
        unusable=$((unusable + 1))
    else
        if (cd "$mbuild" && ctest -j2 --timeout 120 --stop-on-failure >"$place/ctest.log" 2>&1); then
            stage=$(header stage "$patch")
            if [ -n "$stage" ] && ! PELLORY_BUILD_FOLDER=$mbuild bash "$copy/scripts/checks/$stage.sh" >/dev/null 2>&1; then
                verdict="caught by stage $stage"
            fi
        else
            verdict="caught by $(sed -n 's/.*Test *#[0-9]*: \([^ ]*\) .*\*\*\*Failed.*/\1/p;s/.*Test *#[0-9]*: \([^ ]*\) .*Timeout.*/\1/p' "$place/ctest.log" | head -n 1)"
        fi
        if [ -z "$verdict" ]; then
            survived=$((survived + 1))
            survivors+=("$name")
            verdict="SURVIVED"
        else
            caught=$((caught + 1))
        fi
    fi
    echo "$name: $verdict"
    patch -d "$copy" -p1 --batch --reverse --silent --no-backup-if-mismatch <"$patch" >/dev/null
done

echo
total=$((caught + survived))
echo "Caught $caught of $total planted faults ($(( total ? 100 * caught / total : 0 ))%); $unusable did not apply or build."
for name in "${survivors[@]}"; do
    echo "  survived: $name"
done
