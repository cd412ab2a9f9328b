// Painting, in twips under one scale: the band diagram on the surface and
// the strip chart, read straight from the model's memory; crisp at any
// device pixel ratio.
import { domId, findKey, fontsOf, pixelsOf } from "./describe.js";
import { windowView } from "./phone.js";

// The model's memory as the description lays it out, in bytes.
export const createMemoryView = (module, memory) => {
  const floats = (at) => module.HEAPF32[at >> 2];
  return {
    // The members of Shape1 (0) or Shape2 (1) as Singles: member i's Left
    // at i * stride + left, its Top at i * stride + top.
    markers: (holes) => {
      const at = module._quarvel_markers(holes) >> 2;
      const stride = memory.marker.size >> 2;
      return { f: module.HEAPF32.subarray(at, at + stride * memory.marker.count), stride,
               left: memory.marker.left >> 2, top: memory.marker.top >> 2 };
    },
    markerCount: memory.marker.count,
    diagram: () => {
      const at = module._quarvel_diagram();
      const d = memory.diagram;
      return {
        line3Y1: floats(at + d.line3Y1),
        line3Y2: floats(at + d.line3Y2),
        line7Visible: Array.from(module.HEAPU8.subarray(at + d.line7Visible, at + d.line7Visible + d.line7Count),
                                 (b) => b !== 0),
      };
    },
    chartPoint: (at, i) => {
      const p = memory.chartPoint;
      const base = at + i * p.size;
      return { x: floats(base + p.x), y: floats(base + p.y), rgb: module.HEAPU32[(base + p.rgb) >> 2] };
    },
  };
};

// Hinting would round each glyph's advance differently on each device;
// without it a caption measures the same everywhere, as the layout expects.
export const unhinted = (ctx) => {
  ctx.textRendering = "geometricPrecision";
  return ctx;
};

// WebKit's canvas has no textRendering and rounds each advance at the size it
// draws: "Current (mA)" grows 1.6 px, into the box beside it. Measured and
// drawn at ten times the size and a tenth of the scale, it keeps its width.
const textScale = "textRendering" in CanvasRenderingContext2D.prototype ? 1 : 10;
const scaledFont = (font) => font.replace(/^([\d.]+)px/, (_, size) => `${size * textScale}px`);

const wrapContext = unhinted(document.createElement("canvas").getContext("2d"));
// Text's metrics in a font and direction, each measured once per call of
// measureLabels: where a device draws at the size it measures, wrapping a
// line, its ascent and its inset ask the same question, and a slow device
// feels each answer at load.
const measurer = () => {
  const known = new Map();
  return (font, text, rtl = false) => {
    const key = `${rtl ? "rtl" : "ltr"} ${font}\n${text}`;
    let metrics = known.get(key);
    if (!metrics) {
      wrapContext.font = font;
      wrapContext.direction = rtl ? "rtl" : "ltr";
      metrics = wrapContext.measureText(text);
      known.set(key, metrics);
    }
    return metrics;
  };
};
// A line's width, or its ink's where a letter reaches past its advance.
const inkWidth = (m) => Math.max(m.width, m.actualBoundingBoxRight) + Math.max(0, m.actualBoundingBoxLeft);
// Labels wrap within their box at blanks, and anywhere in Japanese text;
// a caption that fits whole is one line.
const wrap = (measure, text, font, boxWidth) => {
  const scaled = scaledFont(font);
  const fits = (line) => inkWidth(measure(scaled, line)) / textScale <= boxWidth;
  if (!text.trim()) return [];
  if (fits(text.trimEnd())) return [text.trimEnd()];
  const pieces = text.match(/[\u3000-\u9fff\uff00-\uffef]|[^\s\u3000-\u9fff\uff00-\uffef]+|\s+/g) || [];
  const lines = [];
  let line = "";
  for (const piece of pieces) {
    const candidate = line + piece;
    if (line && !fits(candidate.trimEnd()) && !/^\s+$/.test(piece)) {
      lines.push(line.trimEnd());
      line = piece.trimStart();
    } else {
      line = candidate;
    }
  }
  if (line.trim()) lines.push(line.trimEnd());
  return lines;
};

// Each label's font, lines and baseline in the description's language,
// measured once for each language; a caption that runs from the right
// stands against the right edge of its room.
export const measureLabels = (desc, labels) => {
  const { fontOf } = fontsOf(desc);
  const px = pixelsOf(desc);
  const measure = measurer();
  return new Map(labels.map((l) => {
    const rtl = l.rightToLeft;
    const font = fontOf(l);
    // The caption's own characters: one the faces lack would have the
    // browser search the system's fonts, which a slow device feels.
    const m = measure(font, `Eg${l.caption}`);
    const lines = wrap(measure, l.caption, font, px(l.room.width));
    // A fallback face (the Gothic one under Latin text) may rise above the
    // first face's ascent: the first line stands low enough for both.
    const ascent = Math.max(m.fontBoundingBoxAscent,
                            ...lines.map((line) => Math.ceil(measure(font, line).actualBoundingBoxAscent)));
    // A letter whose ink reaches back past where its line starts (some of
    // Bengali's do) moves the line in by as much, so that it stays in its box.
    const insets = lines.map((line) => {
      const ink = measure(scaledFont(font), line, rtl);
      return Math.max(0, Math.ceil((rtl ? ink.actualBoundingBoxRight : ink.actualBoundingBoxLeft) / textScale));
    });
    return [domId(l), { label: l, font, lines, insets, ascent, rtl,
      lineHeight: m.fontBoundingBoxAscent + m.fontBoundingBoxDescent }];
  }));
};

const css = (rgb) => `#${rgb.toString(16).padStart(6, "0")}`;
const black = "#000";
const forcedColors = matchMedia("(forced-colors: active)");

export const createPainter = ({ desc, module, surface, chart, labelSteps }) => {
  let labels = labelSteps;
  const twips = desc.twipsPerPixel;
  const px = pixelsOf(desc);
  const memoryView = createMemoryView(module, desc.memory);
  const pen = twips;  // one pixel
  const snap = (t) => Math.floor(t / twips) * twips;
  const chartBorder = 2;
  let ratio = 1;
  // Where each part of the window stands on the page: all in one piece in
  // the window's own arrangement, block by block in the phone's.
  let arranged = null;
  let viewOf = () => windowView;
  // A context drawing in twips of the design at a part's place.
  const toTwips = (ctx, v) => ctx.setTransform((ratio * v.s) / twips, 0, 0, (ratio * v.s) / twips, ratio * v.dx, ratio * v.dy);
  const surfaceContext = surface.getContext("2d");
  // Captions and lines over the window are black, or under a high-contrast
  // theme its text colour, which the theme gives the surface element (the
  // window behind them takes the theme's background). Lines over the bands'
  // fixed fills stay black, as the fills stay.
  let ink = black;
  const onFill = (x, y) => desc.shapes.some((s) => s.role === "Fixed" && s.fill !== null &&
    x >= s.left && x < s.left + s.width && y >= s.top && y < s.top + s.height);
  const chartContext = chart.element.getContext("2d");

  const paintShape = (ctx, shape, left, top, w, h) => {
    ctx.beginPath();
    const inset = shape.outline ? pen / 2 : 0;
    if (shape.kind === "Circle") {
      ctx.ellipse(left + w / 2, top + h / 2, w / 2 - inset, h / 2 - inset, 0, 0, 2 * Math.PI);
    } else {
      ctx.rect(left + inset, top + inset, w - 2 * inset, h - 2 * inset);
    }
    if (shape.fill !== null) {
      ctx.fillStyle = css(shape.fill);
      ctx.fill();
    }
    if (shape.outline) {
      ctx.lineWidth = pen;
      ctx.strokeStyle = "#000";
      ctx.stroke();
    }
  };
  // Each marker kind is drawn once into a small image at the current scale
  // and stamped at every live marker's pixel: the tick only moves them.
  const sprites = new Map();
  const sprite = (shape, scale) => {
    let image = sprites.get(shape.name);
    if (!image) {
      image = document.createElement("canvas");
      image.width = Math.ceil((shape.width * scale) / twips) + 1;
      image.height = Math.ceil((shape.height * scale) / twips) + 1;
      const ctx = image.getContext("2d");
      ctx.setTransform(scale / twips, 0, 0, scale / twips, 0, 0);
      paintShape(ctx, shape, 0, 0, shape.width, shape.height);
      sprites.set(shape.name, image);
    }
    return image;
  };
  // What the model moves or shows is painted every frame over an image of
  // everything else. That is the paint order's picture because the markers
  // stay in their band regions, where nothing drawn after them stands, and
  // the Fermi line and the polarity marks are drawn after all the rest they
  // can meet.
  const steps = desc.paintOrder.map((key) => {
    const shape = findKey(desc.shapes, key);
    if (shape && shape.role !== "Fixed") {
      const holes = shape.role === "HoleMarkers" ? 1 : 0;
      return { dynamic: true, paint: (ctx) => {
        const v = viewOf(key.name);
        const scale = ratio * v.s;
        const image = sprite(shape, scale);
        ctx.setTransform(1, 0, 0, 1, 0, 0);
        const { f, stride, left: l, top: t } = memoryView.markers(holes);
        for (let i = 0; i < memoryView.markerCount; i++) {
          const top = snap(f[i * stride + t]);
          if (top >= desc.clientHeight) continue;
          const left = snap(f[i * stride + l]);
          ctx.drawImage(image, Math.round((left * scale) / twips + ratio * v.dx),
            Math.round((top * scale) / twips + ratio * v.dy));
        }
      } };
    }
    if (shape) {
      return { paint: (ctx) => {
        toTwips(ctx, viewOf(key.name));
        paintShape(ctx, shape, shape.left, shape.top, shape.width, shape.height);
      } };
    }
    const line = findKey(desc.lines, key);
    if (line) {
      return { dynamic: line.role !== "Fixed", paint: (ctx, state) => {
        if (line.role === "PolarityMark" && !state.line7Visible[line.index]) return;
        const y1 = line.role === "FermiLevel" ? state.line3Y1 : line.y1;
        const y2 = line.role === "FermiLevel" ? state.line3Y2 : line.y2;
        toTwips(ctx, viewOf(key.name));
        ctx.lineWidth = pen;
        ctx.strokeStyle = onFill((line.x1 + line.x2) / 2, (y1 + y2) / 2) ? black : ink;
        const dashed = line.style === "DashDot";
        ctx.setLineDash(dashed ? [4 * pen, 2 * pen, pen, 2 * pen] : []);
        ctx.lineCap = dashed ? "butt" : "square";
        ctx.beginPath();
        // Through the centres of the pixels the end points fall in.
        ctx.moveTo(line.x1 + pen / 2, y1 + pen / 2);
        ctx.lineTo(line.x2 + pen / 2, y2 + pen / 2);
        ctx.stroke();
        ctx.setLineDash([]);
      } };
    }
    if (labels.has(domId(key))) {
      return { paint: (ctx) => {
        const label = labels.get(domId(key));
        const { left, top, width } = label.label.room;
        ctx.save();
        const v = viewOf(key.name);
        ctx.setTransform((ratio * v.s) / textScale, 0, 0, (ratio * v.s) / textScale, ratio * v.dx, ratio * v.dy);
        ctx.font = scaledFont(label.font);
        unhinted(ctx);
        ctx.fillStyle = ink;
        ctx.textBaseline = "alphabetic";
        ctx.direction = label.rtl ? "rtl" : "ltr";
        ctx.textAlign = "start";
        const edge = px(label.rtl ? left + width : left);
        label.lines.forEach((text, i) => ctx.fillText(text,
          (edge + (label.rtl ? -label.insets[i] : label.insets[i])) * textScale,
          (px(top) + label.ascent + i * label.lineHeight) * textScale));
        ctx.restore();
      } };
    }
    return { paint: () => {} };
  });

  // Everything that does not move, painted once into a background that
  // every frame copies. The first frame at a new size paints it straight
  // onto the surface, whose context is as fresh then as the background's
  // always is: a load shows the window without a second canvas to fill and
  // copy first, and the next frame makes the background.
  const background = document.createElement("canvas");
  let backgroundMade = false;
  let straight = false;
  const paintStill = (ctx) => {
    ctx.setTransform(ratio / twips, 0, 0, ratio / twips, 0, 0);
    for (const step of steps) if (!step.dynamic) step.paint(ctx);
  };
  const paintBackground = () => {
    background.width = surface.width;
    background.height = surface.height;
    paintStill(background.getContext("2d"));
    backgroundMade = true;
  };
  // The ink and the markers' images anew, and the background with them.
  const restyle = () => {
    ink = forcedColors.matches ? getComputedStyle(surface).color : black;
    sprites.clear();
    backgroundMade = false;
  };

  const paintSurface = () => {
    const ctx = surfaceContext;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.clearRect(0, 0, surface.width, surface.height);
    if (straight) {
      straight = false;
      paintStill(ctx);
    } else {
      if (!backgroundMade) paintBackground();
      ctx.drawImage(background, 0, 0);
    }
    ctx.setTransform(ratio / twips, 0, 0, ratio / twips, 0, 0);
    const state = memoryView.diagram();
    for (const step of steps) if (step.dynamic) step.paint(ctx, state);
  };

  // The chart keeps what it has drawn and adds only the new points.
  let chartDrawn = 0;
  let chartRatio = 1;
  let chartClears = -1;
  const chartFoot = desc.lines.find((l) => l.role === "ChartFoot");
  const paintChart = () => {
    const ctx = chartContext;
    const clears = module._quarvel_chart_clears();
    if (clears !== chartClears) {
      chartClears = clears;
      chartDrawn = 0;
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      ctx.fillStyle = "#fff";
      ctx.fillRect(0, 0, chart.element.width, chart.element.height);
    }
    const count = module._quarvel_chart_size();
    if (count > chartDrawn) {
      const at = module._quarvel_chart();
      ctx.setTransform(chartRatio, 0, 0, chartRatio, 0, 0);
      for (let i = chartDrawn; i < count; i++) {
        const point = memoryView.chartPoint(at, i);
        ctx.fillStyle = css(point.rgb);
        ctx.fillRect(Math.floor(point.x / twips), Math.floor(point.y / twips), 1, 1);
      }
      chartDrawn = count;
    }
    // Line6 lies on top of the points; below the drawing area it is clipped.
    ctx.setTransform(chartRatio, 0, 0, chartRatio, 0, 0);
    ctx.fillStyle = "#000";
    ctx.fillRect(px(chartFoot.x1), px(chartFoot.y1), px(chartFoot.x2 - chartFoot.x1) + 1, 1);
  };

  return {
    memoryView,
    viewOf: (name) => viewOf(name),
    // The phone's blocks as they stand, or null in the window's arrangement.
    blocks: () => arranged?.views ?? null,
    // The labels in another language: painted anew at once.
    setLabels(labelSteps) {
      labels = labelSteps;
      restyle();
      straight = false;
      paintSurface();
    },
    // The surface and the chart at a new number of device pixels per CSS
    // pixel, in the window's arrangement or in the phone's (arrangement).
    resize(newRatio, arrangement = null) {
      ratio = newRatio;
      arranged = arrangement;
      viewOf = arranged ? arranged.viewOf : () => windowView;
      const width = arranged ? arranged.width : px(desc.clientWidth);
      const height = arranged ? arranged.height : px(desc.clientHeight);
      surface.width = Math.round(width * ratio);
      surface.height = Math.round(height * ratio);
      surface.style.width = `${width}px`;
      surface.style.height = `${height}px`;
      const inner = (t) => px(t) - 2 * chartBorder;
      chartRatio = ratio * viewOf(chart.control.name).s;
      chart.element.width = Math.round(inner(chart.control.width) * chartRatio);
      chart.element.height = Math.round(inner(chart.control.height) * chartRatio);
      chartClears = -1;
      restyle();
      straight = true;
    },
    paint() {
      paintSurface();
      paintChart();
    },
    // The surface and the chart with every point so far, in black ink, into
    // another context at another ratio: for a picture larger than the screen.
    paintInto(ctx, pictureRatio) {
      const [kept, keptInk, keptView] = [ratio, ink, viewOf];
      ratio = pictureRatio;
      // The picture is of the window as designed, whatever the page's arrangement.
      viewOf = () => windowView;
      ink = black;
      sprites.clear();
      ctx.save();
      ctx.setTransform(ratio / twips, 0, 0, ratio / twips, 0, 0);
      const state = memoryView.diagram();
      for (const step of steps) step.paint(ctx, state);
      const c = chart.control;
      const [left, top] = [px(c.left), px(c.top)];
      ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
      ctx.fillStyle = "#9f9f9f";
      ctx.fillRect(left, top, px(c.width), px(c.height));
      ctx.fillStyle = "#fff";
      ctx.fillRect(left + chartBorder, top + chartBorder, px(c.width) - chartBorder, px(c.height) - chartBorder);
      ctx.setTransform(ratio, 0, 0, ratio, (left + chartBorder) * ratio, (top + chartBorder) * ratio);
      ctx.beginPath();
      ctx.rect(0, 0, px(c.width) - 2 * chartBorder, px(c.height) - 2 * chartBorder);
      ctx.clip();
      const at = module._quarvel_chart();
      for (let i = 0; i < module._quarvel_chart_size(); i++) {
        const point = memoryView.chartPoint(at, i);
        ctx.fillStyle = css(point.rgb);
        ctx.fillRect(Math.floor(point.x / twips), Math.floor(point.y / twips), 1, 1);
      }
      ctx.fillStyle = "#000";
      ctx.fillRect(px(chartFoot.x1), px(chartFoot.y1), px(chartFoot.x2 - chartFoot.x1) + 1, 1);
      ctx.restore();
      [ratio, ink, viewOf] = [kept, keptInk, keptView];
      sprites.clear();
    },
  };
};
