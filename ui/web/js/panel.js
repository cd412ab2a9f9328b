// The "Class data" panel: the law of mass action measured since the last
// Start or Light, beside the window on a wide screen and below it on a tall
// one, scaled with it; its figures and chart follow the run at most twice a
// second, and a screen reader hears its summary as the region's description.
import { fontsOf } from "./describe.js";
import { hiddenText } from "./speech.js";
import { unhinted } from "./paint.js";

// In CSS pixels of the design, before the page's scale.
const gap = 8;
const beside = { width: 236 };
const below = { height: 156 };
// n x p in the text's colour, as on the desktop; the law's line grey and dashed.
const chartColours = { np: "#000", law: "#666" };

const css = (rgb) => `#${rgb.toString(16).padStart(6, "0")}`;

// read(): the module's view of the panel, as PanelJson gives it.
// onClosedByItself(): after its own close control has closed it.
export const createPanel = ({ desc, form, read, onToggle, onClosedByItself = () => {} }) => {
  const families = () => `${fontsOf(desc).defaultFamilies}, sans-serif`;
  const colours = { electrons: css(desc.panel.electronTrace), holes: css(desc.panel.holeTrace), ...chartColours };

  const region = document.createElement("section");
  region.id = "class-data";
  region.hidden = true;
  region.style.fontFamily = families();
  const described = hiddenText("class-data-described");
  region.setAttribute("aria-describedby", described.id);
  const part = (tag, className, parent = region) => {
    const element = document.createElement(tag);
    element.className = className;
    parent.appendChild(element);
    return element;
  };
  const top = part("div", "panel-top");
  const title = part("h2", "panel-title", top);
  // Its own close control, which a finger reaches where no key is.
  const close = part("button", "panel-close", top);
  close.type = "button";
  close.addEventListener("click", () => {
    if (isOpen()) toggle();
    onClosedByItself();
  });
  const heading = part("p", "panel-heading");
  const state = part("p", "panel-state");
  const rows = part("dl", "panel-rows");
  const over = part("figure", "panel-chart");
  const caption = part("figcaption", "panel-legend", over);
  const canvas = part("canvas", "", over);
  canvas.setAttribute("aria-hidden", "true");
  form.appendChild(region);
  // Its close control's name, in the language shown now.
  const name = () => {
    close.setAttribute("aria-label", desc.teaching.closePanel);
    close.title = desc.teaching.closePanel;
  };
  name();

  let view = null;
  let shownAt = -Infinity;
  let timer = 0;
  let side = beside;

  const legendEntry = (name, colour, dashed = false) => {
    const entry = document.createElement("span");
    const swatch = document.createElement("i");
    // Black ink takes a high-contrast theme's text colour; the others stay.
    swatch.classList.toggle("ink", colour === chartColours.np);
    swatch.style.borderTop = `2px ${dashed ? "dashed" : "solid"} ${colour}`;
    entry.append(swatch, name);
    return entry;
  };

  const paintChart = () => {
    const ratio = (parseFloat(getComputedStyle(document.documentElement).getPropertyValue("--scale")) || 1) *
      devicePixelRatio;
    const width = canvas.clientWidth;
    const height = canvas.clientHeight;
    if (!width || !height) return;
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    const ctx = unhinted(canvas.getContext("2d"));
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.fillStyle = "#fff";
    ctx.fillRect(0, 0, width, height);
    const points = view.history;
    // Two strips over the same ticks: the counts above, n x p and the law
    // below, each with what it counts above it. Its figures as large as
    // every text on a phone.
    const onPhone = region.classList.contains("phone");
    const axis = onPhone ? 36 : 30;
    const title = onPhone ? 16 : 12;
    const plot = { left: axis, right: width - 4 };
    const strips = [{ top: 4 + title, bottom: height / 2 - 4 }, { top: height / 2 + 4 + title, bottom: height - 4 }];
    const lastTick = points.length ? points[points.length - 1][0] + points[points.length - 1][1] - 1 : 1;
    const x = (p) => plot.left + ((p[0] + p[1] / 2 - 1) / Math.max(1, lastTick)) * (plot.right - plot.left);
    const countTop = Math.max(10, ...points.map((p) => Math.max(p[2], p[3]))) * 1.1;
    const npTop = Math.max(view.lawNP, ...points.map((p) => p[4])) * 1.2 || 1;
    ctx.font = `${onPhone ? 12 : 9}px ${families()}`;
    ctx.textBaseline = "middle";
    ctx.textAlign = "right";
    const frame = (strip, top, name) => {
      ctx.fillStyle = "#000";
      ctx.textAlign = "left";
      ctx.fillText(name, plot.left, strip.top - title / 2);
      ctx.textAlign = "right";
      ctx.strokeStyle = "#999";
      ctx.lineWidth = 1;
      ctx.strokeRect(plot.left + 0.5, strip.top + 0.5, plot.right - plot.left - 1, strip.bottom - strip.top - 1);
      ctx.fillStyle = "#000";
      ctx.fillText(String(Math.round(top)), plot.left - 3, strip.top + (onPhone ? 6 : 4));
      ctx.fillText("0", plot.left - 3, strip.bottom - (onPhone ? 6 : 4));
    };
    frame(strips[0], countTop, view.countsAxis);
    frame(strips[1], npTop, view.productAxis);
    const trace = (strip, top, column, colour, dash = []) => {
      ctx.strokeStyle = colour;
      ctx.lineWidth = 1.5;
      ctx.setLineDash(dash);
      ctx.beginPath();
      points.forEach((p, i) => {
        const y = strip.bottom - (p[column] / top) * (strip.bottom - strip.top);
        if (i) ctx.lineTo(x(p), y);
        else ctx.moveTo(x(p), y);
      });
      ctx.stroke();
      ctx.setLineDash([]);
    };
    trace(strips[0], countTop, 2, colours.electrons);
    // Dashed, so that the electrons show where the two run together, as they
    // do in an intrinsic crystal.
    trace(strips[0], countTop, 3, colours.holes, [5, 4]);
    const lawY = strips[1].bottom - (view.lawNP / npTop) * (strips[1].bottom - strips[1].top);
    ctx.strokeStyle = colours.law;
    ctx.lineWidth = 1;
    ctx.setLineDash([4, 3]);
    ctx.beginPath();
    ctx.moveTo(plot.left, lawY);
    ctx.lineTo(plot.right, lawY);
    ctx.stroke();
    ctx.setLineDash([]);
    trace(strips[1], npTop, 4, colours.np);
  };

  const show = () => {
    timer = 0;
    shownAt = performance.now();
    view = read();
    region.setAttribute("aria-label", view.title);
    title.textContent = view.title;
    heading.textContent = view.heading;
    state.textContent = view.state;
    rows.replaceChildren(...view.rows.flatMap((row) => {
      const label = document.createElement("dt");
      label.textContent = row.label;
      const value = document.createElement("dd");
      value.textContent = row.value;
      return [label, value];
    }));
    if (caption.dataset.legend !== view.overTime) {
      caption.dataset.legend = view.overTime;
      const name = document.createElement("b");
      name.textContent = view.overTime;
      caption.replaceChildren(name, legendEntry(view.electrons, colours.electrons),
        legendEntry(view.holes, colours.holes, true), legendEntry(view.np, colours.np),
        legendEntry(view.law, colours.law, true));
    }
    // Told again only when it says something new.
    if (described.textContent !== view.described) described.textContent = view.described;
    paintChart();
  };

  const isOpen = () => !region.hidden;
  // Something changed: shown once the half second since the last showing is up.
  const changed = () => {
    if (!isOpen() || timer) return;
    timer = setTimeout(show, Math.max(0, shownAt + desc.panel.refreshMs - performance.now()));
  };
  const toggle = () => {
    region.hidden = !region.hidden;
    clearTimeout(timer);
    timer = 0;
    if (isOpen()) show();
    onToggle();
  };

  return {
    region,
    isOpen,
    // Another language: shown anew at once, in its words and faces.
    retext() {
      region.style.fontFamily = families();
      name();
      if (!isOpen()) return;
      clearTimeout(timer);
      show();
    },
    toggle,
    changed,
    // layout.js asks how much room the open panel needs around the window
    // at this viewport, and the panel takes the side that leaves the
    // window larger.
    extent(viewportWidth, viewportHeight, width, height) {
      region.classList.remove("phone");
      if (!isOpen()) return { width: 0, height: 0 };
      const besideScale = Math.min(viewportWidth / (width + 2 * gap + beside.width), viewportHeight / height);
      const belowScale = Math.min(viewportWidth / width, viewportHeight / (height + 2 * gap + below.height));
      side = besideScale >= belowScale ? beside : below;
      region.classList.toggle("beside", side === beside);
      region.classList.toggle("below", side === below);
      Object.assign(region.style, side === beside
        ? { left: `${width + gap}px`, top: "0px", width: `${beside.width}px`, height: `${height}px` }
        : { left: "0px", top: `${height + gap}px`, width: `${width}px`, height: `${below.height}px` });
      // The chart is painted again at the new scale once it is laid out.
      if (view) requestAnimationFrame(paintChart);
      // A gap on the far side too, so that the panel's edge never meets the viewport's.
      return side === beside ? { width: 2 * gap + beside.width, height: 0 } : { width: 0, height: 2 * gap + below.height };
    },
    // On a phone: below the blocks, across the screen, as tall as it needs;
    // the height it takes.
    below(left, top, width) {
      region.classList.remove("beside", "below");
      region.classList.add("phone");
      if (!isOpen()) return 0;
      Object.assign(region.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: "" });
      if (view) requestAnimationFrame(paintChart);
      return region.offsetHeight;
    },
  };
};
