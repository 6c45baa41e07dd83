#!/usr/bin/env bash
# Starts the built program as a kiosk account would see it: under cage, the
# Wayland kiosk compositor, on its headless back-end, once through Qt's
# Wayland plugin and once through XWayland, and takes a screenshot of each
# (grim). Cage draws no title bar, so through XWayland the menu bar is the
# top of the screen; through Qt's Wayland plugin it must be too, or Qt has
# drawn its own title bar with minimise and maximise buttons.
# Screenshots go to KIOSK_SHOTS (default: kiosk/ in the test build). The
# program runs as the unprivileged user nobody, from a copy in a temporary folder that also holds its runtime and settings
# folders, so it sees a fresh kiosk account; becoming nobody takes root, so
# the stage is skipped without it.
# Then the kiosk as a shop runs it on a touch screen, with FillScreen=true in
# its settings, on a 1280x800 screen: the window must fill the screen.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$root"
out=$(realpath -m "${KIOSK_SHOTS:-$build/kiosk}")
readonly KioskUid=65534

if [ "$(id -u)" -ne 0 ]; then
    echo "note: not root, so the program cannot run as another user; the kiosk under cage is not tried" >&2
    exit 0
fi
require_built src/pellory src/BrandsPrices.txt

make_work_folder
chmod 755 "$work"
mkdir -p "$work/program" "$work/shots" "$out"
cp "$build/src/pellory" "$build/src/BrandsPrices.txt" "$work/program/"
chown "$KioskUid" "$work/shots"

# What cage runs: the program, once cage's screen has the size asked for (if
# any), and the screenshot, once the screen differs from the empty one and
# holds still across two shots in a row. The end of this shell ends cage.
readonly CageSession='
    program=$1 shot=$2 size=$3
    until [ -z "$size" ] || [ "$(grim - | identify -format %wx%h -)" = "$size" ]; do sleep 0.1; done
    grim "$shot.empty"
    "$program" & pid=$!
    for _ in $(seq 1 100); do
        sleep 0.3
        grim "$shot.now"
        if ! cmp -s "$shot.now" "$shot.empty" && cmp -s "$shot.now" "$shot.before"; then
            mv "$shot.now" "$shot"
            break
        fi
        mv "$shot.now" "$shot.before"
    done
    kill "$pid"'

# One start of the program in a fresh cage.
shoot() {
    local name=$1 platform=$2 home="$work/home-$1"
    mkdir -p "$home/runtime"
    chown -R "$KioskUid:$KioskUid" "$home"
    chmod 700 "$home/runtime"
    timeout 60 setpriv --reuid="$KioskUid" --regid="$KioskUid" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/runtime" XDG_CONFIG_HOME="$home/config" \
        WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 QT_QPA_PLATFORM="$platform" \
        cage -- sh -c "$CageSession" _ "$work/program/pellory" "$work/shots/$name.png" "" >"$work/$name.log" 2>&1 || true
    if [ ! -s "$work/shots/$name.png" ]; then
        cat "$work/$name.log" >&2
        echo "FAIL: no screenshot of the kiosk through $platform" >&2
        exit 1
    fi
    cp "$work/shots/$name.png" "$out/"
    /usr/bin/convert "$out/$name.png" -crop 600x24+0+0 +repage "$work/top-$name.png"
    # The screen is black where no window is.
    local brightness
    brightness=$(/usr/bin/convert "$work/top-$name.png" -format '%[fx:round(100*mean)]' info:)
    if [ "$brightness" -lt 50 ]; then
        echo "FAIL: through $platform the window was not on the screen; see $out/$name.png" >&2
        exit 1
    fi
}

# The program filling a 1280x800 screen under cage. Cage's headless screen is
# 1280x720 and cannot be resized, so here cage draws into a window on a
# virtual X screen instead (its X11 back-end), which is made 1280x800 before
# the program starts.
shoot_filled() {
    local name=kiosk-fill-1280x800 home="$work/home-fill" program="$work/program-fill" display xvfb cage window
    mkdir -p "$home/runtime" "$program"
    cp "$work/program/pellory" "$work/program/BrandsPrices.txt" "$program/"
    printf '[kiosk]\nFillScreen=true\n' >"$program/pellory.conf"
    chown -R "$KioskUid:$KioskUid" "$home"
    chmod 700 "$home/runtime"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -ac 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    wait_until 5 test -s "$work/display" || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
    display=":$(cat "$work/display")"
    timeout 60 setpriv --reuid="$KioskUid" --regid="$KioskUid" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/runtime" XDG_CONFIG_HOME="$home/config" \
        DISPLAY="$display" WLR_BACKENDS=x11 WLR_RENDERER=pixman QT_QPA_PLATFORM=wayland \
        cage -- sh -c "$CageSession" _ "$program/pellory" "$work/shots/$name.png" 1280x800 >"$work/$name.log" 2>&1 &
    cage=$!
    cage_window() {
        window=$(DISPLAY=$display xwininfo -root -children 2>/dev/null | awk '/^ +0x/ { print $1; exit }')
        [ -n "$window" ]
    }
    wait_until 10 cage_window && DISPLAY=$display xdotool windowsize "$window" 1280 800 windowmove "$window" 0 0
    wait "$cage" || true
    kill "$xvfb" 2>/dev/null || true
    if [ ! -s "$work/shots/$name.png" ]; then
        cat "$work/$name.log" >&2
        echo "FAIL: no screenshot of the kiosk filling a 1280x800 screen" >&2
        exit 1
    fi
    cp "$work/shots/$name.png" "$out/"
    local size
    size=$(/usr/bin/identify -format '%wx%h' "$out/$name.png")
    [ "$size" = 1280x800 ] || { echo "FAIL: cage's screen was $size, not 1280x800; see $out/$name.png" >&2; exit 1; }
    # The screen is black where no window is: every edge must be the window's.
    local edge darkest
    for edge in 1280x1+0+0 1280x1+0+799 1x800+0+0 1x800+1279+0; do
        darkest=$(/usr/bin/convert "$out/$name.png" -crop "$edge" +repage -format '%[fx:round(100*minima.intensity)]' info:)
        if [ "$darkest" -lt 50 ]; then
            echo "FAIL: with FillScreen=true the window does not fill the 1280x800 screen (edge $edge);" \
                 "see $out/$name.png" >&2
            exit 1
        fi
    done
}

shoot kiosk-wayland wayland
shoot kiosk-xwayland xcb
differing=$(/usr/bin/compare -metric AE "$work/top-kiosk-wayland.png" "$work/top-kiosk-xwayland.png" null: 2>&1 || true)
if [ "$differing" != 0 ]; then
    echo "FAIL: through Qt's Wayland plugin the top of the screen is not the menu bar it is through XWayland" \
         "($differing pixels differ): a title bar with minimise and maximise is back; see $out/" >&2
    exit 1
fi
shoot_filled
echo "kiosk under cage: no title bar through Qt's Wayland plugin or XWayland, and with FillScreen=true" \
     "the window fills a 1280x800 screen; screenshots in $out/"
