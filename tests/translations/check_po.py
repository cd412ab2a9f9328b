#!/usr/bin/env python3
"""Checks one language's PO file against the template: complete, valid for
msgfmt, the same texts with the same placeholders, and as many plural forms
as its header says. Usage: check_po.py PO_DIR CODE"""
import os
import re
import subprocess
import sys

import polib

PLACEHOLDER = re.compile(r"\{[A-Za-z]+\}")
NPLURALS = re.compile(r"nplurals\s*=\s*(\d+)")
# The window's title keeps each program's name and version in every language.
TITLE = "{program}\u3000Ver.\u03b2"


def main():
    po_dir, code = sys.argv[1], sys.argv[2]
    path = os.path.join(po_dir, code + ".po")
    problems = []
    check = subprocess.run(["msgfmt", "--check-format", "--check-header", "--statistics",
                            "-o", os.devnull, path], capture_output=True, text=True)
    said = check.stderr.strip()
    if check.returncode != 0 or "untranslated" in said or "fuzzy" in said or "\n" in said:
        problems.append("msgfmt: " + said)

    template = {(e.msgctxt, e.msgid): e for e in polib.pofile(os.path.join(po_dir, "quarvel.pot"))}
    po = polib.pofile(path)
    entries = {(e.msgctxt, e.msgid): e for e in po if not e.obsolete}
    for key in template.keys() - entries.keys():
        problems.append("missing: %s %r" % key)
    for key in entries.keys() - template.keys():
        problems.append("not in the template: %s %r" % key)

    match = NPLURALS.search(po.metadata.get("Plural-Forms", ""))
    forms = int(match.group(1)) if match else 0
    known = sorted((key, entry) for key, entry in entries.items() if key in template)
    for (context, msgid), entry in known:
        wanted = sorted(PLACEHOLDER.findall(msgid))
        texts = ([entry.msgstr_plural.get(i, "") for i in range(max(forms, len(entry.msgstr_plural)))]
                 if entry.msgid_plural else [entry.msgstr])
        if entry.msgid_plural and len(entry.msgstr_plural) != forms:
            problems.append("%s: %d forms, the header says %d" % (context, len(entry.msgstr_plural), forms))
        for text in texts:
            if not text:
                problems.append("%s: not translated" % context)
            elif sorted(PLACEHOLDER.findall(text)) != wanted:
                problems.append("%s: placeholders %s, not %s" % (context, sorted(PLACEHOLDER.findall(text)), wanted))
        # What a text is, and a caption's room, reach the translator from the template.
        if not entry.comment or entry.comment != template[(context, msgid)].comment:
            problems.append("%s: the translator's comment differs from the template's" % context)
        if context == "Form1" and entry.msgstr != TITLE:
            problems.append("Form1: the title reads %r" % entry.msgstr)
        # English is the template's own text.
        if code == "en" and texts != ([msgid, entry.msgid_plural] if entry.msgid_plural else [msgid]):
            problems.append("%s: English differs from the template" % context)

    for problem in problems:
        print("%s.po: %s" % (code, problem))
    print("%s.po: %d texts, %d plural forms: %s" % (code, len(entries), forms, "fails" if problems else "complete"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
