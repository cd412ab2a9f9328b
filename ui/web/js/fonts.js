// The page's faces travel as inert text, one piece per language and family
// (and one per family for the languages' own names in the menu): none is
// decoded until its language is shown, so that the other languages cost a
// load nothing.
import { fontsOf } from "./describe.js";

const pieces = new Map();  // by name, each its faces' loading

// They stand after the scripts, which run before the parser reaches them:
// first those the page opens with (what a user types, and its own
// language's), which a script after them says are read, so that the window
// need not wait for the rest of the page; then the others.
let opening = new Set();
const openingRead = new Promise((resolve) => addEventListener("openingfaces", () => {
  opening = new Set([...document.querySelectorAll("script[data-piece]")].map((e) => e.dataset.piece));
  resolve();
}, { once: true }));
const parsed = () => new Promise((resolve) => document.addEventListener("DOMContentLoaded", resolve, { once: true }));
const read = (name) => (document.readyState === "loading"
  ? openingRead.then(() => (opening.has(name) ? undefined : parsed()))
  : Promise.resolve());

const faceOf = (element) => {
  const { family, range } = element.dataset;
  // A piece without a range is its family's fallback: it answers for every
  // character its face has and, with its missing-glyph box, for any the
  // page lacks. It stands first, so that every other piece goes before it.
  const descriptors = range ? { unicodeRange: range, display: "block" } : { display: "block" };
  const text = element.textContent;
  return Uint8Array.fromBase64
    ? new FontFace(family, Uint8Array.fromBase64(text).buffer, descriptors)
    : new FontFace(family, `url(data:font/woff2;base64,${text})`, descriptors);
};

const elementsOf = (name) => [...document.querySelectorAll("script[data-piece]")]
  .filter((element) => element.dataset.piece === name);

const add = (name) => {
  if (!pieces.has(name)) {
    pieces.set(name, Promise.all(elementsOf(name).map((element) => {
      const face = faceOf(element);
      document.fonts.add(face);
      return face.load();
    })));
  }
  return pieces.get(name);
};

// The faces of one piece, decoded once and ready to draw; the window's
// fallback faces, those of what a user types, first.
export const loadPiece = (name) => read(name).then(() => {
  add("typed");
  return add(name);
});

// Every face the language's captions draw with, loaded: captions are
// measured in them, so they must be ready before the captions are painted.
export const fontsReady = async (desc) => {
  await loadPiece(desc.language.code);
  const { fontOf } = fontsOf(desc);
  const texts = new Map();
  for (const control of desc.controls) {
    const font = fontOf(control);
    texts.set(font, (texts.get(font) ?? "") + control.caption);
  }
  await Promise.all([...texts].map(([font, text]) => document.fonts.load(font, text)));
};
