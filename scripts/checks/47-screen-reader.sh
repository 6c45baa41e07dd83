#!/usr/bin/env bash
# Drives the built program by keyboard on a virtual X screen with a window
# manager, a D-Bus session and the accessibility bus, and listens on that bus
# as a screen reader does (tests/screenreader/spoken_events.py): every quote
# shown must be announced with exactly its text, a refused calculation with
# none, and the first brand picked by key and each menu that opens must be
# told too. The program reads the sample prices beside it and keeps its
# settings in a temporary folder.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$root"
require_built src/pellory

make_work_folder
cat >"$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
source "$1/scripts/lib.sh"
accessibility_bus_running() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1
}
openbox >/dev/null 2>&1 &
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
wait_until 20 window_manager_running || { echo "openbox did not start" >&2; exit 1; }
wait_until 20 accessibility_bus_running || { echo "the accessibility bus did not start" >&2; exit 1; }
exec /usr/bin/python3 "$1/tests/screenreader/spoken_events.py" "$2"
SESSION
chmod +x "$work/session.sh"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8 LANG=C.UTF-8
mkdir -m 700 "$XDG_RUNTIME_DIR"
timeout 180 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- "$work/session.sh" "$root" "$build/src/pellory" 2> >(grep -v 'fd limit' >&2)
