#!/usr/bin/env python3
"""Drives the kiosk by keyboard on a real X display and listens on the
AT-SPI bus, as a screen reader does. Checks that every quote shown is
announced with exactly its text, a refused calculation with none, the first
brand picked by key, and the name of each menu that opens.

Usage: spoken_events.py PROGRAM   (with DISPLAY, a D-Bus session and the
accessibility bus running; see scripts/checks/47-screen-reader.sh)"""
import subprocess
import sys
import threading
import time

import pyatspi

QUOTE = "The cost of the selected sneaker(s) is $ "
events = []
lock = threading.Lock()
failures = []


def record(event):
    try:
        source = event.source
        # The bus caches names; a notification is spoken by its name of now.
        source.clear_cache()
        entry = (event.type, source.getRoleName(), source.name or "", event.detail1)
    except Exception:  # the source may be gone already
        return
    with lock:
        events.append(entry)


def keys(*names, wait=0.8):
    """Presses the keys and returns the events they caused."""
    with lock:
        start = len(events)
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        time.sleep(0.15)
    time.sleep(wait)
    with lock:
        return events[start:]


def wait_for(condition, timeout):
    """Polls the events seen so far until the condition holds of them."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        with lock:
            if condition(events):
                return True
        time.sleep(0.1)
    return False


def announced(caused):
    return [name for kind, role, name, shown in caused
            if kind == "object:state-changed:showing" and role == "notification" and shown == 1]


def focused(caused):
    return [(role, name) for kind, role, name, on in caused
            if kind == "object:state-changed:focused" and on == 1]


def expect(what, actual, wanted):
    verdict = "ok" if actual == wanted else "FAILED"
    print(f"{verdict}: {what}: {actual!r}" + ("" if actual == wanted else f", expected {wanted!r}"), flush=True)
    if actual != wanted:
        failures.append(what)


def drive(program):
    try:
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(program.pid)],
                                capture_output=True, text=True, timeout=30).stdout.split()[0]
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=False)
        # A screen reader hears of the window once a control in it has the focus.
        if not wait_for(focused, 20):
            raise RuntimeError("no control of the window took the focus on the accessibility bus")

        expect("first brand picked by key", focused(keys("Down")), [("list item", "Stridewell")])
        keys("Tab", "space")                     # Cross Trainers
        keys("Tab", "Tab", "Tab", "Tab", "Tab")  # to the pairs
        keys("space", "Tab")                     # one pair, then Calculate
        expect("first quote", announced(keys("space")), [QUOTE + "65.00"])
        expect("same quote again", announced(keys("space")), [QUOTE + "65.00"])
        keys("shift+Tab", "Down", "space", "Tab")  # two pairs, back to Calculate
        expect("changed quote", announced(keys("space")), [QUOTE + "130.00"])

        keys("Tab", "space", "shift+Tab")        # Clear Sneaker Brand, back to Calculate
        refused = keys("space", wait=1.2)
        expect("refused calculation", announced(refused), [])
        expect("its message", [(role, name) for kind, role, name, on in refused
                               if kind == "object:state-changed:focused" and on == 1][:1], [("push button", "OK")])
        keys("Return", wait=1.2)
        keys(*["shift+Tab"] * 7, "Down")         # back to the list, the first brand again
        keys(*["Tab"] * 7)                       # to Calculate
        expect("quote after a message", announced(keys("space")), [QUOTE + "130.00"])

        expect("File menu", announced(keys("alt+f")), ["File menu"])
        keys("Escape", "Escape")
        expect("Preferences menu", announced(keys("alt+p")), ["Preferences menu"])
        expect("Colors menu", announced(keys("Down", "Down", "Right")), ["Colors menu"])
        keys("Escape", "Escape", "Escape")
        expect("Help menu", announced(keys("alt+h")), ["Help menu"])
        keys("Escape", "Escape")
    except Exception as error:  # report, and let the checks fail
        failures.append(f"driving the window: {error}")
        print(f"FAILED: driving the window: {error}", flush=True)
    finally:
        program.kill()
        pyatspi.Registry.stop()


def main():
    for kind in ("object:state-changed:showing", "object:state-changed:focused"):
        pyatspi.Registry.registerEventListener(record, kind)
    program = subprocess.Popen([sys.argv[1]])
    threading.Thread(target=drive, args=(program,), daemon=True).start()
    pyatspi.Registry.start()
    program.wait()
    if failures:
        print(f"{len(failures)} screen reader check(s) failed", flush=True)
        sys.exit(1)
    print("Every quote, the first brand and every menu reach the screen reader.", flush=True)


if __name__ == "__main__":
    main()
