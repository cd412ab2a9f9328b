// The whole design area at the largest uniform scale that fits the
// viewport, or at a zoom step of that size, as the desktop's Ctrl+Plus,
// Ctrl+Minus and Ctrl+0 give; the painter follows at the device pixel ratio.
// aside, if given, is what stands beside the window when open (the class
// data panel): extent() says how much room it takes at this viewport, and
// it is given relayout() to call when it opens or closes.
import { pixelsOf } from "./describe.js";
import { arrangePhone, wantsPhone } from "./phone.js";

// A canvas this many device pixels wide is sharp enough at any zoom a
// screen can show, and a tick still paints it quickly.
const maxCanvasWidth = 4096;

// Ctrl (Cmd on a Mac) with these keys, by the character or else by the key
// that types it on a US keyboard.
const zoomKeys = { "+": 1, "=": 1, "-": -1, "0": 0 };
const zoomCodes = { Equal: 1, NumpadAdd: 1, Minus: -1, NumpadSubtract: -1, Digit0: 0, Numpad0: 0 };

// placed(arrangement): the controls and what stands beside them take their
// places in the phone's arrangement, or in the window's for null; it says
// how much height the phone's needs below the blocks.
export const fitToViewport = (desc, form, painter, painted, aside = null, placed = () => 0) => {
  const px = pixelsOf(desc);
  const width = px(desc.clientWidth);
  const height = px(desc.clientHeight);
  const root = document.documentElement;
  const steps = desc.zoomSteps;
  let step = 0;
  // Too small a screen for the window: its blocks laid out for the screen,
  // at the zoom step's scale.
  const phoneLayout = (zoom) => {
    root.classList.add("phone");
    let arrangement = null;
    // Once the page scrolls, a desktop's scroll bar may take some width.
    for (let tries = 0; tries < 2 && root.clientWidth !== arrangement?.width; tries++) {
      arrangement = arrangePhone(desc, root.clientWidth, root.clientHeight);
      arrangement.height += placed(arrangement);
      form.style.width = `${arrangement.width}px`;
      form.style.height = `${arrangement.height}px`;
    }
    root.classList.toggle("zoomed", zoom > 1);
    form.style.transform = `scale(${zoom})`;
    root.style.setProperty("--scale", String(zoom));
    painter.resize(Math.min(zoom * devicePixelRatio, maxCanvasWidth / arrangement.width), arrangement);
    if (laidOut) painted();
  };
  const layout = () => {
    const zoom = steps[step];
    // The layout viewport without scroll bars, which neither a pinch nor a
    // phone's fitting of wide content to the screen changes.
    root.classList.remove("zoomed", "phone");
    if (wantsPhone(Math.min(root.clientWidth / width, root.clientHeight / height))) return phoneLayout(zoom);
    form.style.width = `${width}px`;
    form.style.height = `${height}px`;
    placed(null);
    const extra = aside?.extent(root.clientWidth, root.clientHeight, width, height) ?? { width: 0, height: 0 };
    const [outerWidth, outerHeight] = [width + extra.width, height + extra.height];
    const fitted = Math.min(root.clientWidth / outerWidth, root.clientHeight / outerHeight);
    // Beyond the viewport the page scrolls; at the fitted size it never does.
    root.classList.toggle("zoomed", zoom > 1);
    const scale = fitted * zoom;
    // Centred while it fits; from the top-left corner once it does not.
    const left = Math.max(0, Math.round((root.clientWidth - outerWidth * scale) / 2));
    const top = Math.max(0, Math.round((root.clientHeight - outerHeight * scale) / 2));
    form.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
    root.style.setProperty("--scale", String(scale));
    painter.resize(Math.min(scale * devicePixelRatio, maxCanvasWidth / width));
    if (laidOut) painted();
  };
  const zoomBy = (direction) => {
    step = direction === 0 ? 0 : Math.min(steps.length - 1, Math.max(0, step + direction));
    layout();
    followFocus();
  };
  // The view follows the keyboard focus, sideways too, while the page is
  // larger than the screen: a browser scrolls a control that is partly in
  // view no further.
  const followFocus = () => {
    if (!root.classList.contains("zoomed") && !root.classList.contains("phone")) return;
    document.activeElement?.scrollIntoView?.({ block: "nearest", inline: "nearest" });
  };
  addEventListener("focusin", followFocus);
  addEventListener("keydown", (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey) return;
    const direction = zoomKeys[event.key] ?? zoomCodes[event.code];
    if (direction === undefined) return;
    event.preventDefault();
    zoomBy(direction);
  });
  // A mouse drags the enlarged page by any place that is not a control;
  // touch screens pan it themselves.
  let drag = null;
  form.addEventListener("pointerdown", (event) => {
    if (event.pointerType === "touch" || event.button !== 0 || event.target !== form || steps[step] === 1) return;
    drag = { x: event.clientX, y: event.clientY, id: event.pointerId };
    form.setPointerCapture(event.pointerId);
    event.preventDefault();
  });
  form.addEventListener("pointermove", (event) => {
    if (!drag || event.pointerId !== drag.id) return;
    scrollBy(drag.x - event.clientX, drag.y - event.clientY);
    drag.x = event.clientX;
    drag.y = event.clientY;
  });
  const endDrag = () => (drag = null);
  form.addEventListener("pointerup", endDrag);
  form.addEventListener("pointercancel", endDrag);
  // Pinch zoom changes neither the layout viewport nor the device pixel
  // ratio, so it never comes here: the page keeps its place under the fingers.
  addEventListener("resize", layout);
  matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener("change", layout);
  // A high-contrast theme switched on, off or between light and dark.
  for (const query of ["(forced-colors: active)", "(prefers-color-scheme: dark)"]) {
    matchMedia(query).addEventListener("change", layout);
  }
  if (aside) aside.relayout = layout;
  // The first picture follows the window's Load, which paints it.
  let laidOut = false;
  layout();
  laidOut = true;
  return layout;
};
