#!/usr/bin/env bash
# Drives the built program by keyboard on a virtual X screen with a window
# manager, a D-Bus session and the accessibility bus, and listens on that bus
# as a screen reader does (tests/screenreader/spoken_events.py): every quote
# shown must be announced with exactly its text, a refused calculation with
# none, and the first brand picked by key and each menu that opens must be
# told too. The program reads the sample prices beside it and keeps its
# settings in a temporary folder. TEST_BUILD names another build folder than
# build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
build=$(realpath -m "${TEST_BUILD:-build}")
[ -x "$build/src/pellory" ] || { echo "$build/src/pellory is missing: run scripts/test.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
openbox >/dev/null 2>&1 &
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 2
exec /usr/bin/python3 "$1/tests/screenreader/spoken_events.py" "$2"
SESSION
chmod +x "$work/session.sh"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8 LANG=C.UTF-8
mkdir -m 700 "$XDG_RUNTIME_DIR"
timeout 180 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- "$work/session.sh" "$root" "$build/src/pellory" 2> >(grep -v 'fd limit' >&2)
