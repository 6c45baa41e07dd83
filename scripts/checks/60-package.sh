#!/usr/bin/env bash
# Builds the Debian package from build/ and checks what a shop's machine would
# get from it: the program and its price file together in /opt/pellory, a
# launcher on the PATH that starts that program, a valid desktop entry, the
# icon it names, and the packages the program cannot run without.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build"

rm -f "$build"/pellory_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/pellory_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one pellory_*.deb in build/" >&2; exit 1; }
deb=${debs[0]}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree="$work/tree"
dpkg-deb -x "$deb" "$tree"

failures=()
fail() { failures+=("$1"); }

# Layout: nothing outside the program folder, /usr/bin and /usr/share.
while IFS= read -r path; do
    case "$path" in
        ./opt/pellory/*|./usr/bin/*|./usr/share/*) ;;
        *) fail "unexpected file in the package: ${path#.}" ;;
    esac
done < <(cd "$tree" && find . \( -type f -o -type l \))

program="$tree/opt/pellory/pellory"
if [ -f "$program" ] && [ -x "$program" ] && file -b "$program" | grep -q '^ELF .*executable'; then :; else
    fail "/opt/pellory/pellory is not an executable program"
fi
cmp -s "$tree/opt/pellory/BrandsPrices.txt" "$root/data/BrandsPrices.txt" \
    || fail "/opt/pellory/BrandsPrices.txt is missing or differs from data/BrandsPrices.txt"

launcher="$tree/usr/bin/pellory"
if [ ! -L "$launcher" ]; then
    fail "/usr/bin/pellory is not a link to the program"
elif [ "$(realpath -m "$launcher")" != "$(realpath -m "$program")" ]; then
    fail "/usr/bin/pellory points at $(readlink "$launcher"), not at /opt/pellory/pellory"
fi

desktop="$tree/usr/share/applications/pellory.desktop"
entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
if [ ! -f "$desktop" ]; then
    fail "no desktop entry /usr/share/applications/pellory.desktop"
else
    if command -v desktop-file-validate >/dev/null; then
        report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
    else
        echo "note: desktop-file-validate is not installed; the entry's fields are still checked" >&2
    fi
    [ "$(entry Name)" = "The Pellory" ] || fail "desktop entry Name is '$(entry Name)'"
    [ "$(entry Type)" = Application ] || fail "desktop entry Type is '$(entry Type)'"
    [ -n "$(entry Comment)" ] || fail "desktop entry has no Comment"
    [ -n "$(entry Categories)" ] || fail "desktop entry has no Categories"
    exec_command=$(entry Exec | cut -d' ' -f1)
    [ -e "$tree/usr/bin/$exec_command" ] || fail "desktop entry runs '$exec_command', which the package does not put in /usr/bin"
    icon="$tree/usr/share/icons/hicolor/scalable/apps/$(entry Icon).svg"
    if [ ! -f "$icon" ]; then
        fail "desktop entry names icon '$(entry Icon)', not in /usr/share/icons/hicolor/scalable/apps"
    elif command -v rsvg-convert >/dev/null; then
        rsvg-convert -w 48 -h 48 "$icon" -o "$work/icon.png" 2>"$work/icon.log" \
            || fail "the icon does not render: $(cat "$work/icon.log")"
    fi
fi

# Control fields, and each package the program needs to open its window.
[ "$(dpkg-deb -f "$deb" Package)" = pellory ] || fail "package name is '$(dpkg-deb -f "$deb" Package)'"
for field in Maintainer Description Section Version; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "control field $field is empty"
done
depends=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/^ *//; s/ *$//' | sort -u)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-comic-neue; do
    grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed"
done

# Start the unpacked program through its launcher: when it finds the price
# file beside itself, start-up completes and stores the clock preference
# (a failed start-up reports the error and stores nothing).
if [ -x "$program" ] && [ -L "$launcher" ]; then
    status=0
    XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen timeout 5 "$launcher" >/dev/null 2>&1 || status=$?
    if [ "$status" -ne 124 ]; then
        fail "the unpacked program ended by itself (status $status) instead of showing its window"
    elif ! grep -qx 'DateDisplay=False' "$work/config/PELLORY.conf" 2>/dev/null; then
        fail "the unpacked program, started through /usr/bin/pellory, did not complete start-up"
    fi
fi

if [ ${#failures[@]} -gt 0 ]; then
    printf 'FAIL: %s\n' "${failures[@]}" >&2
    exit 1
fi
echo "package ${deb##*/}: layout, desktop entry, icon and Depends as expected"
