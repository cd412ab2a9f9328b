#!/usr/bin/env python3
"""Writes one self-contained page: the template with its style, the fonts
subset to the characters the page shows, the compiled module and the page's
script, all inline, so the file opens offline from anywhere."""
import argparse
import base64
import html
import io
import json
import re
import subprocess

from fontTools import subset
from fontTools.ttLib import TTFont

READ_DESCRIPTION = (
    "require(process.argv[1])().then(m => "
    "process.stdout.write(m.UTF8ToString(m._quarvel_describe())))"
)


def description(node, module):
    out = subprocess.run([node, "-e", READ_DESCRIPTION, module], check=True,
                         capture_output=True, text=True).stdout
    return json.loads(out)


def shown_text(desc):
    """Every character a caption or a page text can show, and what a user
    types into a number box."""
    texts = [c["caption"] for c in desc["controls"]]
    texts += [c["accessibleName"] for c in desc["controls"]]
    for notice in desc["notices"].values():
        texts += notice if isinstance(notice, list) else [notice]
    texts += [t for t in desc.get("teaching", {}).values() if isinstance(t, str)]
    texts += desc.get("moreTexts", [])
    texts.append("".join(chr(c) for c in range(0x20, 0x7F)))
    return "".join(sorted(set("".join(texts))))


def font_face(family, path, text):
    font = TTFont(path)
    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = ["*"]
    options.name_IDs = ["*"]  # keeps the copyright and licence records
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    data = io.BytesIO()
    font.flavor = "woff2"
    font.save(data)
    encoded = base64.b64encode(data.getvalue()).decode("ascii")
    return ('@font-face { font-family: "%s"; font-display: block; '
            'src: url(data:font/woff2;base64,%s) format("woff2"); }' % (family, encoded))


EXPORTED = re.compile(r"^export (?:async )?(?:function\*?|const|let|class) ([A-Za-z_$][\w$]*)", re.M)
IMPORT = re.compile(r"^import [^;]*;\n", re.M)


def bundle(paths):
    """The page's modules, in dependency order, as one classic script: each
    keeps its own names private and hands its exports to the modules after
    it, as an ES module would, without a request per module."""
    parts = ['"use strict";']
    for path in paths:
        with open(path, encoding="utf-8") as f:
            code = f.read()
        names = EXPORTED.findall(code)
        code = IMPORT.sub("", code).replace("\nexport ", "\n")
        if code.startswith("export "):
            code = code[len("export "):]
        exported = ", ".join(names)
        parts.append("const { %s } = (() => {\n%s\nreturn { %s };\n})();" % (exported, code, exported)
                     if names else "(() => {\n%s\n})();" % code)
    return "\n".join(parts)


def inline_script(code):
    # A script element ends at the first "</script", wherever it stands.
    return code.replace("</script", "<\\/script")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--node", required=True)
    parser.add_argument("--module", required=True)
    parser.add_argument("--template", required=True)
    parser.add_argument("--script", action="append", required=True,
                        help="a module of the page's script, in dependency order")
    parser.add_argument("--style", required=True)
    parser.add_argument("--font", action="append", default=[], help="family=file")
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    desc = description(args.node, args.module)
    text = shown_text(desc)
    faces = [font_face(*pair.split("=", 1), text) for pair in args.font]
    with open(args.template, encoding="utf-8") as f:
        page = f.read()
    with open(args.style, encoding="utf-8") as f:
        style = f.read()
    script = bundle(args.script)
    with open(args.module, encoding="utf-8") as f:
        module = f.read()
    replacements = {
        "{{LANG}}": html.escape(desc["languageTag"]),
        "{{TITLE}}": html.escape(desc["title"]),
        "/*STYLE*/": "\n".join(faces) + "\n" + style,
        "/*MODULE*/": inline_script(module),
        "/*SCRIPT*/": inline_script(script),
    }
    missing = [p for p in replacements if p not in page]
    if missing:
        raise SystemExit("template lacks " + ", ".join(missing))
    # One pass, so that no inserted text is searched for placeholders again.
    pattern = "|".join(re.escape(p) for p in replacements)
    page = re.sub(pattern, lambda m: replacements[m.group(0)], page)
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
