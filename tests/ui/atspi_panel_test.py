#!/usr/bin/python3
"""The "Class data" panel over AT-SPI, in each build given as <program>
<application name> pairs, opened with a set-up from the command line:
the set-up is in the boxes, and the panel is named, described with the run's
figures in the build's language, follows the run, and goes with its key;
then Alt+R's file dialog has Qt's buttons in the build's language.
atspi_panel_test.sh runs it with the buses."""

import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WAIT = 20.0
# The law of mass action at 350 K, e^7, as the panel writes it.
LAW_AT_350 = "1097"
failures = []
# The file dialog's save and cancel buttons, as Qt's translation words them.
DIALOG_BUTTONS = {"Quarvel": ("Save", "Cancel"), "Norvia": ("保存", "キャンセル")}


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    failures.extend([] if condition else [what])
    return condition


def wait_for(find, seconds=WAIT):
    end = time.monotonic() + seconds
    while not (found := find()) and time.monotonic() < end:
        GLib.MainContext.default().iteration(False) or time.sleep(0.05)
    return found


def showing(obj):
    try:
        return obj.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def check_build(program, name):
    print(f"# {name}", flush=True)
    for _ in range(3):  # a display that has just started may turn a client away
        started = subprocess.Popen([program, "--temperature", "350", "--field", "--speed", "20",
                                    "--start"])
        app = wait_for(lambda: "gone" if started.poll() is not None else next(
            (a for a in pyatspi.Registry.getDesktop(0)
             if a and a.name == name and a.childCount), None))
        if app != "gone":
            break
        time.sleep(0.5)
    if not check(app not in (None, "gone"), f"{name} is on the accessibility bus"):
        return started.kill()
    window = app[0]
    boxes = pyatspi.findAllDescendants(window, lambda o: o.getRole() == pyatspi.ROLE_TEXT)
    field = pyatspi.findDescendant(window, lambda o: o.getRole() == pyatspi.ROLE_CHECK_BOX)
    check(boxes and boxes[0].queryText().getText(0, -1) == "350"
          and field.getState().contains(pyatspi.STATE_CHECKED),
          "the command line's temperature is in its box and the field is on")
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                            str(started.pid), "--name", "."], capture_output=True, text=True)
    for handle in found.stdout.split():
        subprocess.run(["xdotool", "windowfocus", "--sync", handle])
    subprocess.run(["xdotool", "key", "alt+c"])
    panel = wait_for(lambda: next((w for w in app if w and w != window and showing(w)), None))
    if not check(panel is not None and panel.name, "Alt+C opens a named panel"):
        return started.kill()
    first = wait_for(lambda: LAW_AT_350 in panel.description and panel.description)
    check(bool(first), f"'{panel.name}' is described with the law at 350 K: {panel.description}")
    japanese = re.search(r"[\u3040-\u30ff\u4e00-\u9fff]", panel.name + panel.description)
    check((japanese is not None) == (name == "Norvia"), "in the build's language")
    labels = [o.name for o in pyatspi.findAllDescendants(
        panel, lambda o: o.getRole() == pyatspi.ROLE_LABEL)]
    check(LAW_AT_350 in labels, f"its rows are labels, the law's value among them: {labels}")
    check(bool(wait_for(lambda: panel.description != first, 5)), "the description follows the run")
    subprocess.run(["xdotool", "key", "alt+c"])
    check(bool(wait_for(lambda: not showing(panel), 5)), "Alt+C closes it again")
    # Qt's own words in the file dialog are the build's language too.
    subprocess.run(["xdotool", "key", "alt+r"])
    dialog = wait_for(lambda: next((w for w in app if w and w not in (window, panel)
                                    and showing(w)), None))
    buttons = [o.name for o in pyatspi.findAllDescendants(
        dialog, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON)] if dialog else []
    words = DIALOG_BUTTONS[name]
    check(all(any(b.startswith(w) for b in buttons) for w in words),
          f"Alt+R's file dialog has {' and '.join(words)}: {buttons}")
    subprocess.run(["xdotool", "key", "Escape"])
    started.terminate()
    started.wait(10)


for i in range(1, len(sys.argv), 2):
    check_build(sys.argv[i], sys.argv[i + 1])
sys.exit(1 if failures else 0)
