// The window description the module holds, and what the page derives from
// it: fonts, places in CSS pixels, element ids.

export const readDescription = (module) => JSON.parse(module.UTF8ToString(module._quarvel_describe()));

export const domId = (c) => (c.index >= 0 ? `${c.name}_${c.index}` : c.name);

export const findKey = (list, key) => list.find((item) => item.name === key.name && item.index === key.index);

const families = (list) => list.map((f) => `"${f}"`).join(", ");

// The description's families, which the page bundles by name.
export const fontsOf = (desc) => {
  const defaultFont = `${desc.fonts.defaultPixels}px ${families(desc.fonts.defaultFamilies)}`;
  const captionFont = (points) =>
    `${Math.round((points * 96) / 72)}px ` + families([desc.fonts.captionFamily, desc.fonts.captionSubstitute]);
  return {
    defaultFont,
    defaultFamilies: families(desc.fonts.defaultFamilies),
    fontOf: (control) => (control.captionPoints > 0 ? captionFont(control.captionPoints) : defaultFont),
  };
};

export const pixelsOf = (desc) => (t) => t / desc.twipsPerPixel;

export const placeIn = (px) => (element, p) => {
  element.style.left = `${px(p.left)}px`;
  element.style.top = `${px(p.top)}px`;
  element.style.width = `${px(p.width)}px`;
  element.style.height = `${px(p.height)}px`;
};
