#!/usr/bin/python3
"""What a screen reader finds and hears over AT-SPI, in each build given as
<program> <application name> pairs; atspi_test.sh runs it with the buses."""

import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WAIT = 20.0  # seconds for anything the program is asked to do
failures = []
events = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def pump(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not GLib.MainContext.default().iteration(False):
            time.sleep(0.005)


def wait_for(find, seconds=WAIT):
    end = time.monotonic() + seconds
    while time.monotonic() < end and not (found := find()):
        pump(0.05)
    return found


def numbers(text):
    return re.findall(r"-?\d+(?:\.\d+)?", text)


def keep(event):
    try:
        role = event.source.getRole()
    except Exception:  # the program may have gone
        role = None
    data = event.any_data if isinstance(event.any_data, str) else ""
    events.append(dict(type=event.type, source=event.source, role=role, data=data,
                       name=event.source.name if role else "", detail1=event.detail1,
                       at=time.monotonic()))


def since(start, kind, source=None):
    return [e for e in events if e["at"] >= start and e["type"].startswith(kind)
            and source in (None, e["source"])]


def announcements(start):
    return [e["name"] for e in since(start, "object:state-changed:showing")
            if e["role"] == pyatspi.ROLE_NOTIFICATION and e["detail1"] == 1]


def tree(obj):
    yield obj
    for child in obj:
        if child is not None:
            yield from tree(child)


def of_role(objects, role):
    return [o for o in objects if o.getRole() == role]


def press(obj):
    action = obj.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def application(name):
    return next((a for a in pyatspi.Registry.getDesktop(0)
                 if a is not None and a.name == name and a.childCount > 0), None)


def check_build(program, name):
    print(f"# {name}", flush=True)
    started = subprocess.Popen([program])
    app = wait_for(lambda: application(name))
    if not check(app is not None, f"{name} is on the accessibility bus"):
        return started.kill()
    # The window must be active for the focus to go where it is sent.
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                            str(started.pid), "--name", "."],
                           timeout=WAIT, capture_output=True, text=True)
    for window in found.stdout.split():
        subprocess.run(["xdotool", "windowfocus", "--sync", window], timeout=WAIT)
    objects = list(tree(app))
    boxes = of_role(objects, pyatspi.ROLE_TEXT)
    buttons = of_role(objects, pyatspi.ROLE_PUSH_BUTTON)
    notifications = of_role(objects, pyatspi.ROLE_NOTIFICATION)
    charts = of_role(objects, pyatspi.ROLE_CHART)
    if not check(len(boxes) == 7 and len(buttons) == 4 and len(notifications) == 1
                 and len(charts) == 1, "seven text boxes, four buttons, a notification, a chart"):
        return started.kill()
    diagram = notifications[0].parent
    check(diagram.name != "" and len(of_role(diagram, pyatspi.ROLE_LABEL)) == 17,
          f"the diagram '{diagram.name}' holds the painted labels and the notification")
    idle = diagram.description
    check(idle != "" and not numbers(idle), f"before Start the diagram says no numbers: {idle}")
    check(charts[0].description != "" and not numbers(charts[0].description),
          f"so does the chart: {charts[0].description}")
    # In layout order: temperature, Fermi level, electrons, ND, NA, holes, current.
    temperature, fermi, electrons = boxes[0], boxes[1], boxes[2]
    inputs = [boxes[i] for i in (0, 1, 3, 4)] + of_role(objects, pyatspi.ROLE_CHECK_BOX)
    described = [o.description for o in inputs]
    check(all(described) and len(set(described)) == 5, "each input has its own description")
    check("4436" in temperature.description and len(numbers(fermi.description)) == 2,
          "the temperature and the Fermi level give their ranges")
    japanese = re.search(r"[\u3040-\u30ff\u4e00-\u9fff]", idle + described[0]) is not None
    check(japanese == (name == "Norvia"), "descriptions are in the build's language")

    start = next(b for b in buttons if b.getState().contains(pyatspi.STATE_FOCUSED))
    temperature.queryEditableText().setTextContents("99999")
    asked = time.monotonic()
    press(start)
    notice = wait_for(lambda: next(iter(of_role(tree(app), pyatspi.ROLE_ALERT)), None))
    if check(notice is not None, "a refused Start shows its notice"):
        pump(1.5)
        press(of_role(tree(notice), pyatspi.ROLE_PUSH_BUTTON)[0])
    pump(0.5)
    check(announcements(asked) == [], "a refused Start announces nothing besides")

    temperature.queryEditableText().setTextContents("300")
    pressed = time.monotonic()
    press(start)
    said = wait_for(lambda: announcements(pressed))
    scene = diagram.description
    fermi_text = fermi.queryText().getText(0, -1)
    if check(bool(said), "Start is announced"):
        check(len(numbers(said[0])) == 4 and {"300", fermi_text} <= set(numbers(said[0])),
              f"it gives the temperature, the Fermi level and two counts: {said[0]}")
        check(set(numbers(said[0])) <= set(numbers(scene)), f"the diagram agrees: {scene}")
    pump(5)
    check(len(announcements(pressed)) == 1, "Start is announced once")
    changed = [e["at"] for e in since(pressed, "object:property-change:accessible-desc", diagram)]
    gaps = [b - a for a, b in zip(changed, changed[1:])]
    check(2 <= len(changed) <= 7 and min(gaps, default=1) > 0.7,
          f"the description follows the run about once a second: {len(changed)} in 5 s")

    # No event for a tick that writes what a readout already shows.
    told = {}
    for e in since(pressed, "object:text-changed:insert"):
        told.setdefault(e["source"], []).append(e["data"])
    check(len(told) == 3 and electrons in told, "the three readouts follow the run")
    check(not [t for t in told.values() if any(a == b for a, b in zip(t, t[1:]))],
          "no readout is told the text it already shows")

    electrons.queryComponent().grabFocus()
    if check(wait_for(lambda: electrons.getState().contains(pyatspi.STATE_FOCUSED), 5),
             "the electrons box takes the focus"):
        focused = time.monotonic()
        pump(9)
        heard = [e["at"] for e in since(focused, "object:text-changed:insert", electrons)]
        gaps = [b - a for a, b in zip(heard, heard[1:])]
        check(1 <= len(heard) <= 6 and min(gaps, default=2) > 1.5,
              f"the focused count is heard at most every 2 s: {len(heard)} in 9 s")

    charts[0].queryComponent().grabFocus()
    wait_for(lambda: charts[0].getState().contains(pyatspi.STATE_FOCUSED), 5)
    trend = charts[0].description
    check(len(numbers(trend)) >= 3, f"the focused chart describes its trend: {trend}")

    press(buttons[1])  # Close
    try:
        status = started.wait(WAIT)
    except subprocess.TimeoutExpired:
        status = started.kill()
    check(status == 0, f"Close ends the program with status 0 (got {status})")


def main(argv):
    for kind in ("object:state-changed:showing", "object:text-changed",
                 "object:property-change:accessible-description"):
        pyatspi.Registry.registerEventListener(keep, kind)
    pump(0.5)  # the listeners reach the registry before any program starts
    for program, name in zip(argv[1::2], argv[2::2]):
        check_build(program, name)
    print(f"{len(failures)} check(s) failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
