// The windowed controls, built from the description above the painted
// surface: boxes, buttons, the check box and the chart's canvas. Labels are
// painted, so they are only collected here.
import { domId, fontsOf, pixelsOf, placeIn } from "./describe.js";
import { hiddenText } from "./speech.js";

const makers = {
  TextBox: (control) => {
    const element = document.createElement("input");
    element.type = "text";
    // Numbers, which read left to right in every language.
    element.dir = "ltr";
    element.value = control.caption;
    element.spellcheck = false;
    element.autocomplete = "off";
    element.setAttribute("autocapitalize", "off");
    element.setAttribute("autocorrect", "off");
    return element;
  },
  Button: () => {
    const element = document.createElement("button");
    element.type = "button";
    return element;
  },
  PictureBox: () => {
    const element = document.createElement("canvas");
    element.setAttribute("role", "img");
    return element;
  },
};

// Each control's words, names, font and place in the description's
// language; a box's text is the user's, and stays.
export const retextControls = (desc, built) => {
  const { fontOf } = fontsOf(desc);
  const place = placeIn(pixelsOf(desc));
  for (const { control, element, placed } of built.controls) {
    if (control.kind === "Button") element.textContent = control.caption;
    if (control.kind === "CheckBox") placed.lastChild.textContent = control.caption;
    else element.setAttribute("aria-label", control.accessibleName);
    const description = built.descriptions.get(element);
    if (description.textContent !== control.description) description.textContent = control.description;
    // The chart is described by its trend too, a doping box by the note of
    // a pair that gives no Fermi level while it stands.
    const by = [control.description && description.id, control === built.chart?.control && built.chartTrend.id,
      built.noted.has(element) && built.noteId];
    if (by.some(Boolean)) element.setAttribute("aria-describedby", by.filter(Boolean).join(" "));
    else element.removeAttribute("aria-describedby");
    placed.style.font = fontOf(control);
    // The shorthand sets the line height too; the style sheet's stands, so
    // that a script with tall lines (Noto's) takes no more room than others.
    placed.style.lineHeight = "";
    place(placed, control);
  }
};

export const buildControls = (desc, form, chartTrend) => {
  const built = { byName: {}, boxes: [], labels: [], check1: null, chart: null, controls: [],
    descriptions: new Map(), chartTrend, noted: new Set(), noteId: "doping-note" };
  for (const control of desc.controls) {
    if (control.kind === "Label") {
      built.labels.push(control);
      continue;
    }
    let element;
    let placed;
    if (control.kind === "CheckBox") {
      // The box and its caption share one label, so a tap on either toggles it.
      placed = document.createElement("label");
      placed.id = `${domId(control)}-label`;
      element = document.createElement("input");
      element.type = "checkbox";
      placed.append(element, document.createElement("span"));
      built.check1 = element;
    } else {
      element = makers[control.kind](control);
      placed = element;
    }
    element.id = domId(control);
    element.tabIndex = control.tabIndex + 1;
    // Every control has a description, if empty now: another language may give it one.
    built.descriptions.set(element, hiddenText(`${element.id}-description`));
    form.appendChild(placed);
    built.byName[control.name] = element;
    built.controls.push({ control, element, placed });
    if (control.kind === "TextBox") built.boxes[control.box] = element;
    if (control.kind === "PictureBox") built.chart = { element, control };
  }
  retextControls(desc, built);
  built.readouts = new Set(built.controls.filter((c) => c.control.role === "Readout").map((c) => c.element));
  // The first control of the tab order takes the focus at load.
  built.first = built.controls.reduce((a, b) => (b.control.tabIndex < a.control.tabIndex ? b : a)).element;
  return built;
};

// Every control at its place in the phone's arrangement, as large as its
// block's scale makes it (its text too, which a browser then takes for the
// size it reads), or in the window's own for null.
export const arrangeControls = (desc, built, arrangement) => {
  const { fontOf } = fontsOf(desc);
  const px = pixelsOf(desc);
  for (const { control, placed } of built.controls) {
    const v = arrangement?.viewOf(control.name) ?? { s: 1, dx: 0, dy: 0 };
    const font = fontOf(control);
    placed.style.font = font;
    placed.style.lineHeight = "";
    if (arrangement) placed.style.fontSize = `${parseFloat(font) * v.s}px`;
    placed.style.left = `${v.dx + px(control.left) * v.s}px`;
    placed.style.top = `${v.dy + px(control.top) * v.s}px`;
    placed.style.width = `${px(control.width) * v.s}px`;
    placed.style.height = `${px(control.height) * v.s}px`;
    if (arrangement) placed.style.setProperty("--block-scale", String(v.s));
    else placed.style.removeProperty("--block-scale");
  }
};

// Where a control stands in the window's own arrangement, in its pixels,
// whatever the page shows now: for a picture of the window.
export const designPlace = (desc, built, element) => {
  const px = pixelsOf(desc);
  const { control } = built.controls.find((c) => c.placed === element) ?? {};
  return control && { left: px(control.left), top: px(control.top) };
};
