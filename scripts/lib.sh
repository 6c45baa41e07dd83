# Facts and waits the project's scripts share; each script sources this file.
#   root            the checkout
#   build           the build the test suites run in: build/, or the folder
#                   PELLORY_BUILD_FOLDER names
#   own_build NAME  the folder beside it where a script builds its own way
#                   (build-asan, build-fuzz, build-package, build-bench, build-run)
#   caption         the main window's title, as window tools search for it
# shellcheck shell=bash

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${PELLORY_BUILD_FOLDER:-$root/build}")
# shellcheck source=../cmake/program-facts.sh
. "$root/cmake/program-facts.sh"
readonly caption=$PELLORY_WINDOW_TITLE

own_build() {
    printf '%s-%s\n' "$build" "$1"
}

# Stops the script when the test build lacks what it needs.
require_built() {
    local path
    for path in "$@"; do
        [ -e "$build/$path" ] || { echo "$build/$path is missing: run scripts/test.sh unit" >&2; exit 1; }
    done
}

# Sets `work` to a temporary folder for the script's own files, removed when
# the script ends.
make_work_folder() {
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
}

# wait_until SECONDS COMMAND...: runs COMMAND every tenth of a second until it
# succeeds; fails once SECONDS (whole seconds) have passed without.
wait_until() {
    # Microseconds, whatever radix character the locale puts in EPOCHREALTIME.
    local deadline=$(( ${EPOCHREALTIME//[!0-9]/} + $1 * 1000000 ))
    shift
    until "$@"; do
        [ "${EPOCHREALTIME//[!0-9]/}" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# A digest of what the X window (by id, or root for the screen) shows now.
window_print() {
    import -window "$1" ppm:- 2>/dev/null | md5sum
}

# The X window (by id) has been painted and holds still: it shows more than
# one colour, and two pictures of it taken in a row are the same.
window_still() {
    local id=$1 first second
    first=$(window_print "$id") || return 1
    second=$(window_print "$id") || return 1
    [ "$first" = "$second" ] && [ "$(import -window "$id" -format '%k' info: 2>/dev/null)" -gt 1 ]
}

# A window manager runs on the X display.
window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# wait_for_window PATTERN: prints the id of a visible X window whose title
# matches PATTERN once it is on the screen and painted; fails after 20 seconds.
wait_for_window() {
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
    [ -n "$id" ] || return 1
    wait_until 20 window_still "$id" || return 1
    printf '%s\n' "$id"
}
