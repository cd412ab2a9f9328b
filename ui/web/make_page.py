#!/usr/bin/env python3
"""Writes one self-contained page: the template with its style, the page's
script bundled by esbuild, the compiled module and its wasm, and fonts cut
to the characters each language shows, all inline, so that the file opens
offline from anywhere.

Only what the page's own language needs is decoded at load: the wasm and
the other languages' fonts travel as inert text, which the script reads
when it needs them."""
import argparse
import base64
import html
import io
import json
import logging
import re
import subprocess

from fontTools import subset
from fontTools.ttLib import TTCollection, TTFont

# The wasm handed over as bytes: emscripten's own loader would fetch() a file
# name, which node's fetch refuses.
READ_TEXTS = r"""
const wasmBinary = require("fs").readFileSync(process.argv[1].replace(/\.js$/, ".wasm"));
require(process.argv[1])({ wasmBinary }).then((m) => {
  const text = (pointer) => m.UTF8ToString(pointer);
  const layout = JSON.parse(text(m._quarvel_layout()));
  const texts = layout.languages.map(({ code }) => {
    const size = m.lengthBytesUTF8(code) + 1;
    const at = m._malloc(size);
    m.stringToUTF8(code, at, size);
    const json = text(m._quarvel_texts(at));
    m._free(at);
    return JSON.parse(json);
  });
  process.stdout.write(JSON.stringify({ layout, texts }));
});
"""

# A font's tables the subsetter drops on purpose (FFTM, a build date) need no word.
logging.getLogger("fontTools.subset").setLevel(logging.ERROR)

# What a user types into a box, which draws with the window's own faces: a
# keyboard's characters, and the blank a Japanese input method gives (which
# every title has too).
TYPED = "".join(chr(c) for c in range(0x20, 0x7F)) + "\u3000"


def read_module(node, module):
    out = subprocess.run([node, "-e", READ_TEXTS, module], check=True,
                         capture_output=True, text=True).stdout
    data = json.loads(out)
    return data["layout"], {t["code"]: t for t in data["texts"]}


def load_font(path, family):
    """A font file, or the font of a collection whose family is named."""
    if not path.lower().endswith((".ttc", ".otc")):
        return TTFont(path)
    for number, font in enumerate(TTCollection(path).fonts):
        if font["name"].getDebugName(1) == family:
            return TTFont(path, fontNumber=number)
    raise SystemExit("%s holds no font of the family %s" % (path, family))


class Faces:
    """The files of the families the page names, and what each draws: the
    window's own faces as given, and a language's from the folders of fonts
    that may travel with the page, found by fontconfig."""

    def __init__(self, files, folders):
        self.files = dict(files)
        self.window = set(self.files)  # the window's own faces, as given
        self.folders = [folder.rstrip("/") + "/" for folder in folders]
        self.cmaps = {}

    def find(self, family):
        if family not in self.files:
            found = subprocess.run(["fc-list", "--format", "%{file}\n", ":family=%s:style=Regular" % family],
                                   check=True, capture_output=True, text=True).stdout.split()
            found = sorted(path for path in found if path.startswith(tuple(self.folders)))
            self.files[family] = found[0] if found else None
        return self.files[family]

    def file(self, family):
        if not self.find(family):
            raise SystemExit("no font file for %s in %s" % (family, ", ".join(self.folders)))
        return self.files[family]

    def covers(self, family, character):
        if family not in self.cmaps:
            # A face the window names but the page does not carry draws nothing.
            path = self.find(family)
            self.cmaps[family] = set(load_font(path, family).getBestCmap()) if path else set()
        return ord(character) in self.cmaps[family]

    def woff2(self, family, characters):
        font = load_font(self.file(family), family)
        options = subset.Options()
        options.flavor = "woff2"
        options.name_IDs = ["*"]  # keeps the copyright and licence records
        options.notdef_outline = True
        # The window's faces hinted as they come, or a screen's rasteriser
        # spaces the letters of a small caption unevenly; the languages'
        # Noto faces without, which they draw well and which halves them.
        # CJK outlines pack smaller without subroutines.
        options.hinting = family in self.window
        options.desubroutinize = True
        subsetter = subset.Subsetter(options)
        subsetter.populate(text="".join(sorted(characters)))
        subsetter.subset(font)
        data = io.BytesIO()
        font.flavor = "woff2"
        font.save(data)
        return base64.b64encode(data.getvalue()).decode("ascii")


def drawn_texts(layout, language, texts):
    """What a language draws, each text with the stack of families it is
    drawn in: its own captions and words in its faces before the window's,
    the captions every language shares and the boxes in the window's."""
    fonts = layout["fonts"]
    own = language["fontFamilies"]
    drawn = []
    for control, text in zip(layout["controls"], texts["controls"]):
        mine = own if text["translated"] and control["kind"] != "TextBox" else []
        window = ([fonts["captionFamily"], fonts["captionSubstitute"]] if control["captionPoints"] > 0
                  else fonts["defaultFamilies"])
        drawn.append((mine + window, text["caption"]))
    # The title too: it stands, unseen, in the page's heading.
    words = [texts["title"], texts["notices"]["programEnded"], texts["notices"]["ok"]]
    words += [texts["teaching"][key] for key in ("keysHint", "language")]
    drawn += [(own + fonts["defaultFamilies"], text) for text in words + texts["shown"]]
    return drawn


def reaching(faces, families, text):
    """Each family of a stack with the characters of text it draws: those
    no family before it has."""
    drawn = {}
    for character in set(text) - {"\n"}:
        for family in families:
            if faces.covers(family, character):
                drawn.setdefault(family, set()).add(character)
                break
    return drawn


def language_faces(faces, layout, language, texts):
    """The characters each family draws for a language."""
    drawn = {}
    for families, text in drawn_texts(layout, language, texts):
        for family, characters in reaching(faces, families, text).items():
            drawn.setdefault(family, set()).update(characters)
    return drawn


def unicode_range(characters):
    codes = sorted(ord(c) for c in characters)
    ranges = []
    for code in codes:
        if ranges and ranges[-1][1] == code - 1:
            ranges[-1][1] = code
        else:
            ranges.append([code, code])
    return ",".join("U+%X" % a if a == b else "U+%X-%X" % (a, b) for a, b in ranges)


def font_pieces(faces, layout, texts):
    """The faces, as inert pieces, each made into a face only when needed:
    what a user types into a box, at once; a language's as it is shown; the
    languages' own names once the menu lists them. Returns those the page
    opens with (what a user types, and its own language's) apart from the
    others."""
    for family in layout["fonts"]["defaultFamilies"] + [layout["fonts"]["captionSubstitute"]]:
        if family not in faces.files:
            raise SystemExit("no font file given for the window's " + family)
    for language in layout["languages"]:
        for family in language["fontFamilies"]:
            faces.file(family)
    # Every language draws what a user types in the window's faces, and the
    # captions all share ("ND", the band letters): one piece for all, the
    # fallback of the window's faces, which answers for any character no
    # other piece has with its face's missing-glyph box; each language's own
    # the rest.
    window = layout["fonts"]["defaultFamilies"] + [layout["fonts"]["captionSubstitute"]]
    typed = {family: set(c for c in TYPED if faces.covers(family, c)) for family in window}
    pieces = [("typed", family, chars, True) for family, chars in typed.items()]
    names = {}
    for language in layout["languages"]:
        code = language["code"]
        for family, characters in language_faces(faces, layout, language, texts[code]).items():
            if characters - typed.get(family, set()):
                pieces.append((code, family, characters - typed.get(family, set()), False))
        families = language["fontFamilies"] + layout["fonts"]["defaultFamilies"]
        for family, characters in reaching(faces, families, language["name"]).items():
            names.setdefault(family, set()).update(characters - typed.get(family, set()))
    pieces += [("names", family, chars, False) for family, chars in names.items() if chars]
    opening = ("typed", layout["ownLanguage"])
    return ["\n".join(
        '<script type="font/woff2" data-piece="%s" data-family="%s"%s>%s</script>'
        % (code, html.escape(family), "" if fallback else ' data-range="%s"' % unicode_range(chars),
           faces.woff2(family, chars))
        for code, family, chars, fallback in pieces if (code in opening) == first) for first in (True, False)]


def minified(esbuild, code):
    """The module's own script, smaller: less for a slow device to parse."""
    return subprocess.run([esbuild, "--minify", "--target=es2022", "--log-level=warning"],
                          input=code, check=True, capture_output=True, text=True).stdout


def bundle(esbuild, entry):
    """The page's modules as one minified script. Nearly all of it runs at
    load, so the hint has V8 compile each function as it reads the script
    rather than read it again when first called (other engines skip it)."""
    return "//# allFunctionsCalledOnLoad\n" + subprocess.run(
        [esbuild, entry, "--bundle", "--minify", "--format=iife", "--target=es2022",
         "--legal-comments=none", "--log-level=warning"],
        check=True, capture_output=True, text=True).stdout


def ascii_html(text):
    return html.escape(text).encode("ascii", "xmlcharrefreplace").decode("ascii")


def json_text(value):
    # Inert inside a script element: no "</script" or "<!--" can stand in it.
    return json.dumps(value, separators=(",", ":")).replace("<", "\\u003c")


def inline_script(code):
    # A script element ends at the first "</script", wherever it stands.
    return code.replace("</script", "<\\/script")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--node", required=True)
    parser.add_argument("--esbuild", required=True)
    parser.add_argument("--zopfli", required=True, help="packs the wasm as gzip, smaller than gzip -9")
    parser.add_argument("--module", required=True, help="the module's script; its wasm beside it")
    parser.add_argument("--template", required=True)
    parser.add_argument("--script", required=True, help="the page script's entry module")
    parser.add_argument("--style", required=True)
    parser.add_argument("--font", action="append", default=[], help="family=file: the window's faces")
    parser.add_argument("--font-dir", action="append", default=[],
                        help="a folder of fonts that may travel with the page, for the languages' faces")
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    layout, texts = read_module(args.node, args.module)
    own = texts[layout["ownLanguage"]]
    own_language = next(l for l in layout["languages"] if l["code"] == layout["ownLanguage"])
    faces = Faces((pair.split("=", 1) for pair in args.font), args.font_dir)
    opening_fonts, other_fonts = font_pieces(faces, layout, texts)
    with open(args.template, encoding="utf-8") as f:
        page = f.read()
    with open(args.style, encoding="utf-8") as f:
        style = f.read()
    with open(args.module, encoding="utf-8") as f:
        module = f.read()
    wasm_path = re.sub(r"\.js$", ".wasm", args.module)
    packed = subprocess.run([args.zopfli, "--gzip", "-c", wasm_path], check=True, capture_output=True).stdout
    wasm = base64.b64encode(packed).decode("ascii")
    replacements = {
        "{{LANG}}": html.escape(own_language["tag"]),
        "{{DIR}}": "rtl" if own_language["rightToLeft"] else "ltr",
        "{{TITLE}}": ascii_html(own["title"]),
        "{{OK}}": ascii_html(own["notices"]["ok"]),
        "/*STYLE*/": style,
        # The module's own JSON, read at build time: writing it costs a slow
        # device more at load than reading it.
        "<!--DATA-->": '<script type="application/json" id="layout">%s</script>\n'
                       '<script type="application/json" id="texts">%s</script>\n'
                       '<script type="application/gzip" id="wasm">%s</script>'
                       % (json_text(layout), json_text(own), wasm),
        # After the scripts, so that the wasm starts first: the faces the
        # page opens with, which the script after them says are read, so
        # that the window need not wait for the rest of the page; then the
        # others, which the parser reads while the window is built.
        "<!--OPENING-->": opening_fonts,
        "<!--FONTS-->": other_fonts,
        "/*MODULE*/": inline_script(minified(args.esbuild, module)),
        "/*SCRIPT*/": inline_script(bundle(args.esbuild, args.script)),
    }
    missing = [p for p in replacements if p not in page]
    if missing:
        raise SystemExit("template lacks " + ", ".join(missing))
    # One pass, so that no inserted text is searched for placeholders again.
    pattern = "|".join(re.escape(p) for p in replacements)
    page = re.sub(pattern, lambda m: replacements[m.group(0)], page)
    # All ASCII, every other character escaped where it stands: a browser
    # reads such a file as it is, without decoding it character by character.
    if not page.isascii():
        raise SystemExit("the page holds characters other than ASCII: %r"
                         % sorted(set(c for c in page if not c.isascii()))[:10])
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
