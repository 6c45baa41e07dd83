#!/usr/bin/env bash
# Drives the real program on an X display (run it under xvfb-run): checks the
# colours where the window places its controls, makes a quote with the mouse,
# changes the colour through the menu and checks that the captions keep their
# font and the buttons, one of them focused, their colour, leaves through the
# staff exit, and checks that a missing price file is reported without the
# window ever showing; then, under a window manager, that the window comes
# back when minimised or unmapped, stays through desktop switches, comes back
# whole on the screen when dragged off it, and that the program ends when
# another program destroys it.
#   run.sh PROGRAM LAYOUT OUTPUT_FOLDER
# LAYOUT is the control layout the build wrote from window/ControlLayout.h
# (tests/realwindow/layout.sh in the build folder): where each control sits,
# in twips, and twips_to_pixels, the window's own conversion. Screenshots of every step are left in OUTPUT_FOLDER. Every wait
# polls for what it waits for and has a timeout, so a program that hangs
# fails the run instead of blocking it.
set -euo pipefail
# shellcheck source=../../scripts/lib.sh
source "$(dirname "$0")/../../scripts/lib.sh"

program=$(realpath "$1")
# shellcheck disable=SC1090
source "$2"
out=$(realpath -m "$3")
mkdir -p "$out"
rm -f "$out"/*.png

convert=/usr/bin/convert
compare=/usr/bin/compare
import=/usr/bin/import

work=$(mktemp -d)
pid=
wm=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "real-window: $*" >&2
    "$import" -window root "$out/failure.png" 2>/dev/null || true
    exit 1
}

shot() {
    "$import" -window root "$out/$1.png"
}

# "r,g,b" of one screen pixel in a screenshot.
pixel() {
    "$convert" "$out/$1.png" -format \
        "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}

# Waits for a visible, painted window whose title matches the pattern;
# prints its id.
wait_window() {
    wait_for_window "$1" || fail "no window titled '$1' appeared"
}

# Waits until the program has drawn what the last input asked for: the
# whole screen holds still.
settle() {
    wait_until 5 window_still root || fail "the screen did not settle"
}

screen_changed_from() { [ "$(window_print root)" != "$1" ]; }

# Sends input with COMMAND... and waits for the program to answer it: for the
# screen to change (input that changes nothing visible waits a second) and
# then to hold still.
send() {
    local before
    before=$(window_print root)
    "$@"
    wait_until 1 screen_changed_from "$before" || true
    settle
}

window_gone() {
    ! xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# True while the program runs (an ended one this shell has not yet waited
# for is a zombie).
running() {
    local state
    state=$(ps -o stat= -p "$pid" 2>/dev/null) && [[ "$state" != Z* ]]
}

# Waits for the program to end and sets status to its exit status. Not run
# in a subshell: only this shell can wait for its child.
wait_exit() {
    wait_until 10 eval '! running' || fail "the program did not end"
    status=0
    wait "$pid" || status=$?
    pid=
}

start() {
    local folder=$1
    XDG_CONFIG_HOME="$work/config" timeout 120 "$folder/pellory" &
    pid=$!
}

mkdir -p "$work/app" "$work/missing" "$work/config"
cp "$program" "$work/app/pellory"
cp "$program" "$work/missing/pellory"
printf '"Alpha Runner",60,75,10,20,30\r\n"Beta Court",0,95,0,85,0\r\n"Gamma Trail",12,24,36,48,60\r\n' \
    > "$work/app/BrandsPrices.txt"
printf '[STARTUP]\nDateDisplay=True\nBackColor=255\n' > "$work/config/PELLORY.conf"

# --- A quote on the red window, then the staff exit -------------------------
start "$work/app"
win=$(wait_window "^$caption\$")
xdotool windowfocus --sync "$win" 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$win")"
winx=$X winy=$Y
# The window's width is exactly the client area's, so it gives the scale the
# program used: pixels = twips * logical dpi / 1440. The menu bar is whatever
# height the window has above the client area.
dpi=$(awk -v w="$WIDTH" -v t="$ClientWidth" 'BEGIN { printf "%.3f", w * 1440 / t }')
clientHeight=$(twips_to_pixels "$dpi" "$ClientHeight")
menuBar=$((HEIGHT - clientHeight))
echo "window ${WIDTH}x${HEIGHT} at $winx,$winy; logical dpi $dpi; menu bar ${menuBar}px;" \
     "X server: $(xdpyinfo | awk '/resolution:/ { print $2 }')"
[ "$menuBar" -gt 0 ] && [ "$menuBar" -lt 80 ] || fail "window height $HEIGHT does not fit a client area of $clientHeight px"

# Screen position of a point given in twips from the client area's top-left.
sx() { echo $((winx + $(twips_to_pixels "$dpi" "$1"))); }
sy() { echo $((winy + menuBar + $(twips_to_pixels "$dpi" "$1"))); }

expect_pixel() {
    local name=$1 what=$2 x=$3 y=$4 want=$5 got
    got=$(pixel "$name" "$(sx "$x")" "$(sy "$y")")
    [ "$got" = "$want" ] || fail "$what at twips $x,$y: expected $want, got $got (see $out/$name.png)"
    echo "ok: $what is $got"
}

# Points on the bare window beside the controls, and inside the controls
# clear of their borders and captions.
listMiddle=$((lstBrands_top + lstBrands_height / 2))
shot 01-started
expect_pixel 01-started "form left of the brand list" $((lstBrands_left / 2)) "$listMiddle" 255,0,0
expect_pixel 01-started "form right of the pairs frame" \
    $(((fraPairs_left + fraPairs_width + ClientWidth) / 2)) "$listMiddle" 255,0,0
expect_pixel 01-started "Calculate button" $((cmdCalculate_left + cmdCalculate_width / 2)) $((cmdCalculate_top + 90)) \
    255,0,0
expect_pixel 01-started "Clear All Selections button" $((cmdReset_left + cmdReset_width / 2)) $((cmdReset_top + 90)) \
    255,0,0
expect_pixel 01-started "brand list below its entries" $((lstBrands_left + lstBrands_width / 2)) \
    $((lstBrands_top + lstBrands_height - 300)) 255,255,255

# The clock is on: its label changes within a second and a half.
# pixels_changed BEFORE AFTER AREA: how many pixels of AREA differ between two screenshots.
pixels_changed() {
    "$convert" "$out/$1.png" -crop "$3" "$work/$1-area.png"
    "$convert" "$out/$2.png" -crop "$3" "$work/$2-area.png"
    "$compare" -metric AE "$work/$1-area.png" "$work/$2-area.png" null: 2>&1 || true
}

clock="$(sx "$lblDateTime_left")x$(sy "$lblDateTime_top")"
clock_moved() {
    shot 02-clock
    changed=$(pixels_changed 01-started 02-clock "160x20+$(sx "$lblDateTime_left")+$(sy "$lblDateTime_top")")
    [ "${changed%% *}" -gt 0 ]
}
wait_until 3 clock_moved || fail "the clock at $clock did not move"
echo "ok: the clock ticks ($changed pixels changed)"

click() { send xdotool mousemove --sync "$1" "$2" click 1; }
# First brand: a row is about 20 px high; click inside the first one.
click "$(sx $((lstBrands_left + lstBrands_width / 3)))" "$(( $(sy "$lstBrands_top") + 10 ))"
# Cross Trainers and Basketball: the indicator sits at the left of each box,
# which its frame places.
for item in 0 1; do
    left=chkSneakerItem_${item}_left top=chkSneakerItem_${item}_top height=chkSneakerItem_${item}_height
    click "$(( $(sx $((fraSneakerItems_left + ${!left}))) + 8 ))" \
          "$(sy $((fraSneakerItems_top + ${!top} + ${!height} / 2)))"
done
# Three pairs.
click "$(( $(sx $((fraPairs_left + optPair_3_left))) + 8 ))" "$(sy $((fraPairs_top + optPair_3_top + optPair_3_height / 2)))"
shot 03-selected
# The quote label grows to its text; the area covers twice its first height.
quoteArea="420x$(( $(sy $((lblPriceQuote_top + 2 * lblPriceQuote_height))) - $(sy "$lblPriceQuote_top") ))"
quoteArea+="+$(sx "$lblPriceQuote_left")+$(sy "$lblPriceQuote_top")"
click "$(sx $((cmdCalculate_left + cmdCalculate_width / 2)))" "$(sy $((cmdCalculate_top + cmdCalculate_height / 2)))"
quote_shown() {
    shot 04-quoted
    changed=$(pixels_changed 03-selected 04-quoted "$quoteArea")
    [ "${changed%% *}" -gt 200 ]
}
wait_until 5 quote_shown || fail "no quote appeared at lblPriceQuote ($changed pixels changed; see 03 and 04)"
echo "ok: the quote appeared ($changed pixels changed)"
# Ticking and choosing left the controls in the form's colour.
expect_pixel 04-quoted "form after the quote" $((lstBrands_left / 2)) "$listMiddle" 255,0,0

# --- A colour change through the menu, a button holding the focus -----------
menu_keys() {
    local key
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    for key in "$@"; do
        send xdotool key --clearmodifiers "$key"
    done
}
# The clock goes off first, so that only the colour differs between the shots.
menu_keys alt+p Down Return
shot 05-before-colour
menu_keys alt+p c Return
chooser=$(wait_window "^Select Color\$")
xdotool windowfocus --sync "$chooser" 2>/dev/null || true
xdotool key --clearmodifiers alt+h ctrl+a
xdotool type --delay 20 "#008080"
xdotool key Return
wait_until 5 window_gone "$chooser" || fail "the colour chooser did not close"
settle
# Back in the window Calculate holds the focus again, as since its click.
menu_keys
shot 06-after-colour

# Solid black text pixels do not depend on the colour behind them: the same
# count before and after means every caption kept its face, weight and size.
black_pixels() {
    "$convert" "$out/$1.png" -crop "${WIDTH}x${HEIGHT}+$winx+$winy" +repage -fill white +opaque black \
        -format "%[fx:round(w*h*(1-mean))]" info:
}
before=$(black_pixels 05-before-colour)
after=$(black_pixels 06-after-colour)
difference=$(( before > after ? before - after : after - before ))
[ "$before" -gt 500 ] && [ $((difference * 100)) -le "$before" ] ||
    fail "the captions changed with the colour: $before solid black pixels before, $after after (see 05 and 06)"
echo "ok: the captions kept their font ($before and $after solid black pixels)"

# Tab moves the focus on as a keyboard user would, which some styles show
# by tinting the button.
menu_keys Tab
shot 07-focus-moved

# Each command button's raised top-left border is the chosen colour mixed half
# with white, which nothing else in the window uses; its box is the button.
readonly Chosen=0,128,128 ButtonLight=127,191,191
buttons=$("$convert" "$out/07-focus-moved.png" -fill black +opaque "rgb($ButtonLight)" \
              -fill white -opaque "rgb($ButtonLight)" -define connected-components:verbose=true \
              -define connected-components:area-threshold=20 -connected-components 8 null: |
          awk '/srgb\(255,255,255\)/ { print $2 }')
found=$(echo "$buttons" | grep -c x || true)
[ "$found" -eq 3 ] || fail "expected 3 command buttons in the chosen colour, found $found (see 07)"
for box in $buttons; do
    read -r w h x y <<< "${box//[x+]/ }"
    for corner in "$((x + 6)) $((y + 6))" "$((x + w - 6)) $((y + 6))" \
                  "$((x + 6)) $((y + h - 6))" "$((x + w - 6)) $((y + h - 6))"; do
        # shellcheck disable=SC2086
        got=$(pixel 07-focus-moved $corner)
        [ "$got" = "$Chosen" ] || fail "button face at $corner is $got, not $Chosen (see 07)"
    done
done
echo "ok: the three buttons show exactly the chosen colour, one of them focused"

# File > Exit with the staff password.
xdotool windowfocus --sync "$win" 2>/dev/null || true
send xdotool key --clearmodifiers alt+f
shot 08-file-menu
xdotool key x
prompt=$(wait_window "^Exit the Program\\?\$")
xdotool windowfocus --sync "$prompt" 2>/dev/null || true
xdotool type --delay 50 472916
shot 09-password
xdotool key Return
thanks=$(wait_window "^The Pellory\$")
shot 10-thank-you
xdotool windowfocus --sync "$thanks" 2>/dev/null || true
xdotool key Return
wait_exit
[ "$status" -eq 0 ] || fail "the staff exit ended the program with status $status"
echo "ok: the staff exit ended the program with status 0"

# --- No price file: one report, no window, a failure status -----------------
start "$work/missing"
report=$(wait_window "^The Pellory\$")
shot 11-missing-price-file
if xdotool search --onlyvisible --name "^$caption\$" >/dev/null 2>&1; then
    fail "the main window showed although the price file is missing"
fi
xdotool windowfocus --sync "$report" 2>/dev/null || true
xdotool key Return
wait_exit
[ "$status" -ne 0 ] || fail "a missing price file ended the program with status 0"
if [ -f "$work/missing/BrandsPrices.txt" ]; then
    fail "the program created a price file"
fi
echo "ok: the missing price file was reported and the program ended with status $status"

# --- Under a window manager: minimised or hidden, the window comes back ------
# openbox offers to minimise any window (a title-bar button, Alt+Space >
# Iconify); xdotool asks it the same way. Another X client may unmap the
# window or destroy it; destroyed, the program ends with a failure.
command -v openbox >/dev/null || fail "openbox is missing: run scripts/install-deps.sh test"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
wait_until 10 window_manager_running || fail "openbox did not start: $(cat "$work/openbox.log")"
XDG_CONFIG_HOME="$work/config" timeout 120 "$work/app/pellory" 2>"$work/managed.err" &
pid=$!
win=$(wait_window "^$caption\$")
# Waits until the window is on the screen again after something took it away.
expect_back() {
    # A window brought back sooner than this poll looks is never seen away.
    wait_until 1 window_gone "$win" || true
    if wait_until 5 eval '! window_gone "$win"'; then
        echo "ok: $1, the window came back"
        return
    fi
    shot "12-not-back"
    fail "$1, the window did not come back within 5 seconds (see $out/12-not-back.png)"
}
xdotool windowminimize "$win"
expect_back "minimised by the window manager"
xdotool windowunmap "$win"
expect_back "unmapped by another program"

# openbox keeps four desktops and shows only the current one's windows; a
# customer reaches the others with a wheel on the bare desktop or
# Ctrl+Alt+arrows, and sends the focused window to one with Shift+Alt+arrows.
# The kiosk is on every desktop: a switch never hides it, even for a moment
# (openbox marks a window it hides Iconic, or withdraws it); sent to one
# desktop, it comes back. Either way the program runs on, also once the time a
# window has to come back is over.
expect_stays() {
    local what=$1 shown=yes
    wait_until 5 eval '! window_gone "$win"' || shown=no
    sleep 4
    running || fail "$what, the program ended: $(cat "$work/managed.err")"
    window_gone "$win" && shown=no
    if [ "$shown" = no ]; then
        shot 13-not-shown
        fail "$what, the window is not on the screen (see $out/13-not-shown.png)"
    fi
}
# True once openbox shows another desktop than the one numbered $1.
left_desktop() { [ "$(xdotool get_desktop)" != "$1" ]; }
switch_desktop() {
    local what=$1 from spy
    shift
    from=$(xdotool get_desktop)
    xprop -spy -id "$win" WM_STATE >"$work/wm-state" 2>&1 &
    spy=$!
    "$@"
    wait_until 5 left_desktop "$from" || fail "$what did not switch desktops"
    expect_stays "$what"
    kill "$spy"
    ! grep -q 'Iconic\|not found' "$work/wm-state" ||
        fail "$what, the window was hidden on the way: $(tr -s '\n\t' ' ' < "$work/wm-state")"
    echo "ok: $what, the window stayed on the screen and the program runs"
}
switch_desktop "switched to another desktop by another program" xdotool set_desktop 1
shot 13-desktop-switched
# The window is centred: the screen's top-left corner is bare desktop.
switch_desktop "a wheel turned on the bare desktop" xdotool mousemove --sync 3 3 click 5
xdotool windowfocus --sync "$win" 2>/dev/null || true
switch_desktop "Ctrl+Alt+Right pressed" xdotool key --clearmodifiers ctrl+alt+Right
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --clearmodifiers shift+alt+Left
expect_stays "the window sent to another desktop"
echo "ok: the window sent to another desktop came back and the program runs"
xdotool set_desktop 0

# A customer may drag the window by its title bar, or another program move
# it, partly off the screen: it comes back whole, menu bar and all, within the
# screen's corners. The frame's borders count.
read -r screenWidth screenHeight <<< "$(xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }')"
# Sets X, Y, WIDTH and HEIGHT to where the window (inside its frame) is on the
# screen. Not xdotool's: under a window manager its position counts the
# frame's border and title bar twice.
window_geometry() {
    read -r X Y WIDTH HEIGHT <<< "$(xwininfo -id "$win" | awk '/Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')"
}
frame_on_screen() {
    local left right top bottom
    window_geometry
    read -r left right top bottom <<< "$(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    framed="$((WIDTH + left + right))x$((HEIGHT + top + bottom)) at $((X - left)),$((Y - top))"
    [ "$((X - left))" -ge 0 ] && [ "$((Y - top))" -ge 0 ] &&
        [ "$((X + WIDTH + right))" -le "$screenWidth" ] && [ "$((Y + HEIGHT + bottom))" -le "$screenHeight" ]
}
expect_on_screen() {
    local what=$1 name=$2
    # Not at once: the window manager has the last word while a drag lasts.
    sleep 1
    if wait_until 5 frame_on_screen; then
        shot "$name"
        echo "ok: $what, the window came back whole on the screen ($framed)"
        return
    fi
    shot "$name"
    fail "$what, the window stayed at $framed on a ${screenWidth}x${screenHeight} screen (see $out/$name.png)"
}
frame_on_screen || fail "the window started off the screen: $framed"
xdotool windowmove "$win" 200 $((screenHeight - 4))
expect_on_screen "moved down off the screen by another program" 14-moved-off
# Dragged by its title bar until the pointer meets the screen's bottom.
window_geometry
grabX=$((X + WIDTH / 3)) grabY=$((Y - 5))
xdotool mousemove --sync "$grabX" "$grabY" mousedown 1 sleep 0.2
for step in 1 2 3 4 5 6; do
    xdotool mousemove --sync "$grabX" $((grabY + step * (screenHeight - 1 - grabY) / 6)) sleep 0.1
done
xdotool mouseup 1
expect_on_screen "dragged down by its title bar" 15-dragged-off

xdotool windowclose "$win"
wait_exit
[ "$status" -eq 1 ] || fail "the destroyed window ended the program with status $status, not 1"
grep -q ' pellory: The window was destroyed by another program' "$work/managed.err" ||
    fail "the destroyed window left no line on standard error: $(cat "$work/managed.err")"
echo "ok: the window destroyed by another program ended it with status 1 and a line on standard error"
kill "$wm" 2>/dev/null || true
echo "screenshots in $out"
