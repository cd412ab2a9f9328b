#!/usr/bin/env python3
"""Writes the caption tables the controller reads from the translation
files: every language of languages.tsv, its texts from CODE.po and the
layout rows of CODE.layout.tsv, as one C++ source. The template gives the
order, which is the order of the tables' members."""
import argparse
import os
import re
import sys

import polib

GROUPS = ("notices", "zoom", "spoken", "teaching", "setup", "mistakes", "chart", "page")
PLURAL = re.compile(r"^\s*nplurals\s*=\s*(\d+)\s*;\s*plural\s*=\s*([^;]+);?\s*$")
SAFE_RULE = re.compile(r"^[n0-9\s()!=<>&|?:%+*/-]+$")


def fail(message):
    sys.exit("make_languages: " + message)


def literal(text):
    out = ['"']
    for ch in text:
        if ch in '"\\':
            out.append("\\" + ch)
        elif ch == "\n":
            out.append("\\n")
        elif ord(ch) < 0x20:
            out.append("\\x%02x\"\"" % ord(ch))
        else:
            out.append(ch)
    out.append('"')
    return "".join(out)


def read_table(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip() and not line.startswith("#")]


def plural_rule(po, code):
    match = PLURAL.match(po.metadata.get("Plural-Forms", ""))
    if not match or not SAFE_RULE.match(match.group(2)):
        fail("%s.po: a Plural-Forms header such as 'nplurals=2; plural=(n != 1);'" % code)
    return int(match.group(1)), match.group(2).strip()


def language_source(ident, row, po, template, layout):
    code, tag, direction, fonts = row
    count, rule = plural_rule(po, code)
    texts = {}
    for entry in po:
        if entry.obsolete or not entry.msgctxt:
            continue
        if "fuzzy" in entry.flags:
            fail("%s.po: %s is fuzzy" % (code, entry.msgctxt))
        if entry.msgid_plural:
            forms = [entry.msgstr_plural.get(i, "") for i in range(count)]
            texts[entry.msgctxt] = forms
        else:
            texts[entry.msgctxt] = entry.msgstr
    lines = ["namespace %s {" % ident, "",
             "int Plural([[maybe_unused]] long n) { return static_cast<int>(%s); }" % rule, ""]
    members = {g: [] for g in GROUPS}
    arrays = {}
    captions = []
    name = title = None
    for entry in template:
        context = entry.msgctxt
        text = texts.get(context)
        if text is None or text == "" or (isinstance(text, list) and not all(text)):
            fail("%s.po: %s is not translated" % (code, context))
        if context == "language.name":
            name = text
        elif context == "Form1":
            title = text
        elif "." not in context:
            captions.append('{{"%s"}, %s}' % (context, literal(text)))
        else:
            group, member = context.split(".", 1)
            if group not in members:
                fail("template: %s names no table" % context)
            if isinstance(text, list):
                array = "k" + member[0].upper() + member[1:] + group.capitalize()
                lines.append("constexpr std::string_view %s[] = {%s};" %
                             (array, ", ".join(literal(t) for t in text)))
                members[group].append(".%s = {%s, Plural}" % (member, array))
            elif "." in member:
                field, _ = member.split(".")
                if field not in arrays:
                    arrays[field] = []
                    members[group].append((field,))
                arrays[field].append(literal(text))
            else:
                members[group].append(".%s = %s" % (member, literal(text)))
    fonts_list = [] if fonts == "-" else [f.strip() for f in fonts.split(",")]
    lines.append("constexpr CaptionRow kCaptions[] = {%s};" % ", ".join(captions))
    if fonts_list:
        lines.append("constexpr std::string_view kFonts[] = {%s};" %
                     ", ".join(literal(f) for f in fonts_list))
    if layout:
        rows = ['{{"%s"}, {%s}}' % (r[0], ", ".join(r[1:5])) for r in layout]
        lines.append("constexpr PlacementRow kPlacements[] = {%s};" % ", ".join(rows))
    parts = [".code = %s" % literal(code), ".tag = %s" % literal(tag),
             ".rightToLeft = %s" % ("true" if direction == "rtl" else "false"),
             ".fontFamilies = %s" % ("kFonts" if fonts_list else "{}"),
             ".placements = %s" % ("kPlacements" if layout else "{}"),
             ".name = %s" % literal(name), ".title = %s" % literal(title), ".captions = kCaptions"]
    for group in GROUPS:
        inits = [".%s = {%s}" % (m[0], ", ".join(arrays[m[0]])) if isinstance(m, tuple) else m
                 for m in members[group]]
        parts.append(".%s = {\n        %s}" % (group, ",\n        ".join(inits)))
    lines.append("constexpr Language kLanguage{\n    %s};" % ",\n    ".join(parts))
    lines += ["", "}  // namespace %s" % ident, ""]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--po-dir", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    template = polib.pofile(os.path.join(args.po_dir, "quarvel.pot"))
    rows = read_table(os.path.join(args.po_dir, "languages.tsv"))
    out = ["// Made by make_languages.py from the translation files; edit those instead.",
           '#include "Language.h"', '#include "LanguageTable.h"', "",
           "// A Plural-Forms rule is C, where a && b || c needs no parentheses.",
           '#pragma GCC diagnostic ignored "-Wparentheses"', "", "namespace form {", ""]
    idents = []
    for row in rows:
        if len(row) != 4:
            fail("languages.tsv: four columns in %r" % row)
        code = row[0]
        ident = "language_" + re.sub(r"\W", "_", code)
        layout_path = os.path.join(args.po_dir, code + ".layout.tsv")
        layout = read_table(layout_path) if os.path.exists(layout_path) else []
        out.append(language_source(ident, row, polib.pofile(os.path.join(args.po_dir, code + ".po")),
                                   template, layout))
        idents.append(ident)
    out.append("namespace {")
    out.append("constexpr const Language* kLanguages[] = {%s};" %
               ", ".join("&%s::kLanguage" % i for i in idents))
    out.append("}  // namespace")
    out.append("")
    out.append("std::span<const Language* const> LanguageTable() { return kLanguages; }")
    out.append("")
    out.append("}  // namespace form")
    text = "\n".join(out) + "\n"
    if not os.path.exists(args.output) or open(args.output, encoding="utf-8").read() != text:
        with open(args.output, "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
