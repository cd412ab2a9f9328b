#!/usr/bin/python3
"""What a screen reader finds and hears over AT-SPI, in each build given as
<program> <application name> pairs; atspi_test.sh runs it with the buses."""

import os
import re
import subprocess
import sys
import time

import polib
import pyatspi
from gi.repository import GLib

HERE = os.path.dirname(os.path.abspath(__file__))
WAIT = 20.0  # seconds for anything the program is asked to do
failures, events = [], []
described_in_own = {}  # the temperature box's description, by application


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    failures.extend([] if condition else [what])
    return condition


def pump(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        GLib.MainContext.default().iteration(False) or time.sleep(0.005)


def wait_for(find, seconds=WAIT):
    end = time.monotonic() + seconds
    while not (found := find()) and time.monotonic() < end:
        pump(0.05)
    return found


def keep(e):
    try:  # the program may have gone
        shown = e.source.getRole() == pyatspi.ROLE_NOTIFICATION and e.detail1
        said = e.source.name if shown else None
    except Exception:
        said = None
    data = e.any_data if isinstance(e.any_data, str) else ""
    events.append(dict(type=e.type, source=e.source, said=said, data=data, at=time.monotonic()))


def since(start, kind, source=None):
    return [e for e in events if e["at"] >= start and e["type"].startswith(kind)
            and source in (None, e["source"])]


def said_since(start):
    return [e["said"] for e in since(start, "object:state-changed:showing") if e["said"]]


def numbers(text):
    return re.findall(r"-?\d+(?:\.\d+)?", text)


def of_role(obj, role):
    return pyatspi.findAllDescendants(obj, lambda o: o.getRole() == role)


def press(obj):
    obj.queryAction().doAction(0)


def focus(obj):
    obj.queryComponent().grabFocus()
    return wait_for(lambda: obj.getState().contains(pyatspi.STATE_FOCUSED), 5)


# Every boundary of the text queries, and the granularities of the newer one.
BOUNDARIES = [getattr(pyatspi, "TEXT_BOUNDARY_" + b) for b in
              ("CHAR", "WORD_START", "WORD_END", "SENTENCE_START", "SENTENCE_END",
               "LINE_START", "LINE_END")]
GRANULARITIES = [getattr(pyatspi, "TEXT_GRANULARITY_" + g) for g in
                 ("CHAR", "WORD", "SENTENCE", "LINE", "PARAGRAPH")]


def answer_time(query, *arguments):
    """Seconds until the program answers, or None if it does not. A call the
    program does not implement is answered too: with an error."""
    asked = time.monotonic()
    try:
        query(*arguments)
    except Exception as error:
        if "reply" in str(error).lower() or "timeout" in str(error).lower():
            return None
    return time.monotonic() - asked


def ask_every_text_query(box):
    """Asks each text query at every offset of the box's text, the end
    included, while that text may change; returns the answer times, with
    None for a query left unanswered (and then stops)."""
    text, times, offset = box.queryText(), [], 0
    queries = [text.getTextAtOffset, text.getTextBeforeOffset, text.getTextAfterOffset]
    asks = [(q, b) for q in queries for b in BOUNDARIES]
    if hasattr(text, "getStringAtOffset"):
        asks += [(text.getStringAtOffset, g) for g in GRANULARITIES]
    while offset <= text.characterCount:
        for query, kind in asks:
            times.append(answer_time(query, offset, kind))
            if times[-1] is None:
                return times
        offset += 1
    return times


def heard_on_tab(box):
    """What Orca 43 says of the text when Tab reaches a box, by the calls it
    makes: the line at the caret, cut where the text's attribute runs end,
    then "selected" if the one selection covers that line."""
    text = box.queryText()
    count, caret = text.characterCount, text.caretOffset
    if count == 0:
        return ""
    if count == 1:
        line, start = text.getText(0, 1), 0
    else:
        at = caret - 1 if caret == count else caret
        line, start, _ = text.getTextAtOffset(at, pyatspi.TEXT_BOUNDARY_LINE_START)
    end, offset, runs_end = start + len(line), start, start
    while offset < end:
        _, _, runs_end = text.getAttributeRun(offset, False)
        offset = max(runs_end, offset + 1)
    spoken = text.getText(start, min(end, runs_end)) if runs_end > start else ""
    whole, first, last = text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)
    selected = text.getNSelections() == 1 and first == 0 and last == len(whole)
    return spoken + (" selected" if selected else "")


def tab_through(controls, since):
    """Presses Tab until the focus has gone round the controls from `since`;
    for each text box it reaches, what a screen reader hears of it."""
    heard, at = [], since
    for _ in controls:
        subprocess.run(["xdotool", "key", "Tab"])
        at = wait_for(lambda: next((c for c in controls if c != at
                                    and c.getState().contains(pyatspi.STATE_FOCUSED)), None), 5)
        if at is None or at == since:
            break
        if at.getRole() == pyatspi.ROLE_TEXT:
            wait_for(lambda: at.queryText().getNSelections() == 1, 2)
            heard.append((at.queryText().getText(0, -1), heard_on_tab(at)))
    return heard


def check_build(program, name):
    print(f"# {name}", flush=True)
    started = subprocess.Popen([program])
    app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                 if a and a.name == name and a.childCount), None))
    if not check(app is not None, f"{name} is on the accessibility bus"):
        return started.kill()
    # The window must be active for the focus to go where it is sent.
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                            str(started.pid), "--name", "."], capture_output=True, text=True)
    for window in found.stdout.split():
        subprocess.run(["xdotool", "windowfocus", "--sync", window])
    boxes, buttons = of_role(app, pyatspi.ROLE_TEXT), of_role(app, pyatspi.ROLE_PUSH_BUTTON)
    notes, charts = of_role(app, pyatspi.ROLE_NOTIFICATION), of_role(app, pyatspi.ROLE_CHART)
    if not check([len(boxes), len(buttons), len(notes), len(charts)] == [7, 4, 1, 1],
                 "seven text boxes, four buttons, a notification and a chart"):
        return started.kill()
    diagram, chart = notes[0].parent, charts[0]
    check(diagram.name and len(of_role(diagram, pyatspi.ROLE_LABEL)) == 17,
          f"the diagram '{diagram.name}' holds the painted labels and the notification")
    idle = diagram.description
    check(idle and not numbers(idle + chart.description), f"no numbers before Start: {idle}")
    # In layout order: temperature, Fermi level, electrons, ND, NA, holes, current.
    temperature, fermi, electrons = boxes[:3]
    described = [o.description for o in [boxes[i] for i in (0, 1, 3, 4)]
                 + of_role(app, pyatspi.ROLE_CHECK_BOX)]
    check(all(described) and len(set(described)) == 5 and "4436" in described[0]
          and len(numbers(described[1])) == 2, "each input says what it is, with its range")
    described_in_own[name] = described[0]
    japanese = re.search(r"[\u3040-\u30ff\u4e00-\u9fff]", idle + described[0]) is not None
    check(japanese == (name == "Norvia"), "descriptions are in the build's language")

    start = next(b for b in buttons if b.getState().contains(pyatspi.STATE_FOCUSED))
    heard = tab_through(boxes + buttons + charts + of_role(app, pyatspi.ROLE_CHECK_BOX), start)
    check(len(heard) == 7 and all(said == text + " selected" for text, said in heard)
          and {"300", "0.5", "1e10", "0"} == {text for text, _ in heard},
          f"Tab reads each box whole, with its text selected: {[said for _, said in heard]}")
    temperature.queryEditableText().setTextContents("99999")
    asked = time.monotonic()
    press(start)
    notice = wait_for(lambda: next(iter(of_role(app, pyatspi.ROLE_ALERT)), None))
    if check(notice is not None, "a refused Start shows its notice"):
        pump(1.5)
        press(of_role(notice, pyatspi.ROLE_PUSH_BUTTON)[0])
    pump(0.5)
    check(said_since(asked) == [], "a refused Start announces nothing besides")

    temperature.queryEditableText().setTextContents("300")
    pressed = time.monotonic()
    press(start)
    said = wait_for(lambda: said_since(pressed))
    scene, level = diagram.description, fermi.queryText().getText(0, -1)
    if check(bool(said), "Start is announced"):
        check(len(numbers(said[0])) == 4 and {"300", level} <= set(numbers(said[0])),
              f"with the temperature, the Fermi level and two counts: {said[0]}")
        check(set(numbers(said[0])) <= set(numbers(scene)), f"the diagram agrees: {scene}")
    pump(5)
    check(len(said_since(pressed)) == 1, "Start is announced once")
    changed = [e["at"] for e in since(pressed, "object:property-change:accessible-desc", diagram)]
    check(2 <= len(changed) <= 7 and all(b - a > 0.7 for a, b in zip(changed, changed[1:])),
          f"the description follows the run about once a second: {len(changed)} in 5 s")

    told = {}
    for e in since(pressed, "object:text-changed:insert"):
        told.setdefault(e["source"], []).append(e["data"])
    check(len(told) == 3 and electrons in told, "the three readouts follow the run")
    check(not [t for t in told.values() if any(a == b for a, b in zip(t, t[1:]))],
          "no readout is told the text it already shows")
    if check(focus(electrons), "the electrons box takes the focus"):
        focused = time.monotonic()
        pump(9)
        heard = [e["at"] for e in since(focused, "object:text-changed:insert", electrons)]
        check(1 <= len(heard) <= 6 and all(b - a > 1.5 for a, b in zip(heard, heard[1:])),
              f"the focused count is heard at most every 2 s: {len(heard)} in 9 s")
    focus(chart)
    check(len(numbers(chart.description)) >= 3, f"the chart's trend: {chart.description}")

    fermi.queryEditableText().setTextContents("-0.5")  # a text that no word starts
    times = []
    for box in boxes:
        times += ask_every_text_query(box)
        if None in times:
            break
    answered = [t for t in times if t is not None]
    if not check(len(answered) == len(times) and max(answered, default=0) < 1.0,
                 f"{len(answered)} of {len(times)} text queries answered, in {sum(answered):.2f} s,"
                 f" the slowest in {max(answered, default=0) * 1000:.0f} ms"):
        return started.kill()  # frozen: nothing more to ask of it
    pump(0.5)  # what the program said while it was asked
    asked = time.monotonic()
    pump(2.5)
    check(since(asked, "object:text-changed:insert"), "and the run goes on")

    press(buttons[1])  # Close
    try:
        status = started.wait(WAIT)
    except subprocess.TimeoutExpired:
        status = started.kill()
    check(status == 0, f"Close ends the program with status 0 (got {status})")


def caption(code, control):
    """A control's caption in a language, as its PO file has it."""
    po = polib.pofile(f"{HERE}/../../po/{code}.po")
    return next(e.msgstr for e in po if e.msgctxt == control)


def check_language(program, name, code):
    """Opened with --language: the names a screen reader reads are the
    language's, the diagram's and a described box's words too."""
    print(f"# {name} --language {code}", flush=True)
    started = subprocess.Popen([program, "--language", code])
    app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                 if a and a.name == name and a.childCount), None))
    if check(app is not None, f"{name} is on the accessibility bus"):
        start = of_role(app, pyatspi.ROLE_PUSH_BUTTON)[0]  # in layout order
        temperature = of_role(app, pyatspi.ROLE_TEXT)[0]
        diagram = of_role(app, pyatspi.ROLE_NOTIFICATION)[0].parent
        expected = caption(code, "Command1"), caption(code, "Label1")
        check((start.name, temperature.name) == expected,
              f"Start and the temperature box are named {expected}")
        words = {caption(code, c) for c in ("Label3", "Label4", "Label8", "Label10")}
        labels = {label.name for label in of_role(diagram, pyatspi.ROLE_LABEL)}
        check(words <= labels, f"the diagram's labels are the language's: {sorted(labels)}")
        said = temperature.description
        check(said and "4436" in said and said != described_in_own.get(name),
              f"the box is described in the language: {said}")
    started.kill()
    started.wait()


def main(argv):
    for kind in ("object:state-changed:showing", "object:text-changed",
                 "object:property-change:accessible-description"):
        pyatspi.Registry.registerEventListener(keep, kind)
    # Longer than the second an answer may take, so that a slow answer is
    # timed rather than taken for none.
    pyatspi.setTimeout(3000, 15000)
    pump(0.5)  # the listeners reach the registry before any program starts
    for program, name in zip(argv[1::2], argv[2::2]):
        check_build(program, name)
    for code in ("es", "ar"):
        check_language(argv[1], argv[2], code)
    print(f"{len(failures)} check(s) failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
