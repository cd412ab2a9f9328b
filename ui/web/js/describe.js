// The window description the module holds, and what the page derives from
// it: fonts, places in CSS pixels, element ids. The layout is read once;
// the texts of a language are read again whenever the language changes.

// A text handed to the module for the length of one call.
export const withText = (module, text, use) => {
  const size = module.lengthBytesUTF8(text) + 1;
  const at = module._malloc(size);
  module.stringToUTF8(text, at, size);
  try {
    return use(at);
  } finally {
    module._free(at);
  }
};

const json = (module, pointer) => JSON.parse(module.UTF8ToString(pointer));

// The language the page's address asks for, if the page has it, else the
// program's own: the module reads the address, so it is decoded once.
export const openIn = (module, fragment) => withText(module, fragment, (at) => module.UTF8ToString(module._quarvel_open(at)));

// What the module wrote when the page was made: its layout, and the texts
// of the page's own language.
const written = (id) => JSON.parse(document.getElementById(id).textContent);

// The layout with the texts of the page's own language, which need no module.
export const ownDescription = () => {
  const desc = written("layout");
  applyTexts(desc, written("texts"));
  return desc;
};

// The layout with the texts of a language merged in.
export const readDescription = (module, code) => {
  const desc = written("layout");
  applyTexts(desc, code === desc.ownLanguage ? written("texts") : readTexts(module));
  return desc;
};

// A language's texts by its code; the language shown now for "".
export const readTexts = (module, code = "") => withText(module, code, (at) => json(module, module._quarvel_texts(at)));

// The description takes another language's texts: each control's caption,
// names and place, and the page's own words.
export const applyTexts = (desc, texts) => {
  desc.language = desc.languages.find((l) => l.code === texts.code);
  Object.assign(desc, { title: texts.title, diagramName: texts.diagramName, notices: texts.notices,
    teaching: texts.teaching });
  desc.controls.forEach((control, i) => Object.assign(control, texts.controls[i]));
};

// A copy of the description in another language's texts.
export const withTexts = (desc, texts) => {
  const copy = { ...desc, controls: desc.controls.map((control) => ({ ...control })) };
  applyTexts(copy, texts);
  return copy;
};

export const domId = (c) => (c.index >= 0 ? `${c.name}_${c.index}` : c.name);

export const findKey = (list, key) => list.find((item) => item.name === key.name && item.index === key.index);

const families = (list) => list.map((f) => `"${f}"`).join(", ");

// The language's own faces before the window's, which the page bundles by
// name.
export const fontsOf = (desc, language = desc.language) => {
  const own = language.fontFamilies;
  const pixels = `${desc.fonts.defaultPixels}px `;
  const windowFamilies = desc.fonts.defaultFamilies;
  const defaultFont = pixels + families([...own, ...windowFamilies]);
  return {
    defaultFont,
    defaultFamilies: families([...own, ...windowFamilies]),
    // A caption every language shares ("ND", the band letters) keeps the
    // window's faces, as do the boxes, which hold numbers typed on any keyboard.
    fontOf: (control) => {
      const mine = control.translated && control.kind !== "TextBox" ? own : [];
      if (control.captionPoints > 0) {
        return `${Math.round((control.captionPoints * 96) / 72)}px ` +
          families([...mine, desc.fonts.captionFamily, desc.fonts.captionSubstitute]);
      }
      return pixels + families([...mine, ...windowFamilies]);
    },
  };
};

export const pixelsOf = (desc) => (t) => t / desc.twipsPerPixel;

export const placeIn = (px) => (element, p) => {
  element.style.left = `${px(p.left)}px`;
  element.style.top = `${px(p.top)}px`;
  element.style.width = `${px(p.width)}px`;
  element.style.height = `${px(p.height)}px`;
};
