// The windowed controls, built from the description above the painted
// surface: boxes, buttons, the check box and the chart's canvas. Labels are
// painted, so they are only collected here.
import { domId, fontsOf, pixelsOf, placeIn } from "./describe.js";
import { hiddenText } from "./speech.js";

const describeBy = (element, text) => {
  if (text) element.setAttribute("aria-describedby", hiddenText(`${element.id}-description`, text).id);
};

const makers = {
  TextBox: (control) => {
    const element = document.createElement("input");
    element.type = "text";
    element.value = control.caption;
    element.spellcheck = false;
    element.autocomplete = "off";
    element.setAttribute("autocapitalize", "off");
    element.setAttribute("autocorrect", "off");
    return element;
  },
  Button: (control) => {
    const element = document.createElement("button");
    element.type = "button";
    element.textContent = control.caption;
    return element;
  },
  PictureBox: (control, chartTrend) => {
    const element = document.createElement("canvas");
    element.setAttribute("role", "img");
    element.setAttribute("aria-describedby", chartTrend.id);
    return element;
  },
};

export const buildControls = (desc, form, chartTrend) => {
  const { fontOf } = fontsOf(desc);
  const place = placeIn(pixelsOf(desc));
  const built = { byName: {}, boxes: [], labels: [], check1: null, chart: null, controls: [] };
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
      const caption = document.createElement("span");
      caption.textContent = control.caption;
      placed.append(element, caption);
      built.check1 = element;
    } else {
      element = makers[control.kind](control, chartTrend);
      element.setAttribute("aria-label", control.accessibleName);
      placed = element;
    }
    element.id = domId(control);
    element.tabIndex = control.tabIndex + 1;
    describeBy(element, control.description);
    placed.style.font = fontOf(control);
    place(placed, control);
    form.appendChild(placed);
    built.byName[control.name] = element;
    built.controls.push({ control, element });
    if (control.kind === "TextBox") built.boxes[control.box] = element;
    if (control.kind === "PictureBox") built.chart = { element, control };
  }
  built.readouts = new Set(built.controls.filter((c) => c.control.role === "Readout").map((c) => c.element));
  // The first control of the tab order takes the focus at load.
  built.first = built.controls.reduce((a, b) => (b.control.tabIndex < a.control.tabIndex ? b : a)).element;
  return built;
};
