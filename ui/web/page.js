// The browser page: builds the window from the description the module
// holds, wires its events to the module's dispatch, and paints the band
// diagram and the strip chart from the model's own memory.
"use strict";

(async function () {
  const page = {};  // what the module calls back, as Module.page
  const module = await createQuarvel({ page });
  const desc = JSON.parse(module.UTF8ToString(module._quarvel_describe()));
  const twips = desc.twipsPerPixel;
  const width = desc.clientWidth / twips;
  const height = desc.clientHeight / twips;
  const form = document.getElementById("form1");
  const noticeDialog = document.getElementById("notice");
  const endedBox = document.getElementById("ended");

  // Fonts: the description's families, which the page bundles by name.
  const families = (list) => list.map((f) => `"${f}"`).join(", ");
  const defaultFont = `${desc.fonts.defaultPixels}px ${families(desc.fonts.defaultFamilies)}`;
  const captionFont = (points) =>
    `${Math.round((points * 96) / 72)}px ` +
    families([desc.fonts.captionFamily, desc.fonts.captionSubstitute]);
  const fontOf = (control) => (control.captionPoints > 0 ? captionFont(control.captionPoints) : defaultFont);
  const usedFonts = [...new Set(desc.controls.map(fontOf))];
  await Promise.all(usedFonts.map((font) => document.fonts.load(font, "EFCVEcarrier電子")));

  const px = (t) => t / twips;
  const place = (element, p) => {
    element.style.left = `${px(p.left)}px`;
    element.style.top = `${px(p.top)}px`;
    element.style.width = `${px(p.width)}px`;
    element.style.height = `${px(p.height)}px`;
  };
  const domId = (c) => (c.index >= 0 ? `${c.name}_${c.index}` : c.name);

  form.style.width = `${width}px`;
  form.style.height = `${height}px`;
  form.style.font = defaultFont;
  // The notices are drawn in the bundled faces too, which hold their glyphs.
  for (const element of [noticeDialog, endedBox]) {
    element.style.fontFamily = `${families(desc.fonts.defaultFamilies)}, sans-serif`;
  }

  // Hidden texts that describe what cannot be seen, for screen readers.
  const spoken = (id, text = "") => {
    const element = document.createElement("div");
    element.id = id;
    element.hidden = true;
    element.textContent = text;
    document.body.appendChild(element);
    return element;
  };
  const sceneText = spoken("scene");
  const chartText = spoken("chart-trend");
  // One polite live region for every announcement; it never takes the focus.
  const announcer = document.createElement("div");
  announcer.id = "announcer";
  announcer.setAttribute("aria-live", "polite");
  announcer.className = "unseen";
  document.body.appendChild(announcer);

  const surface = document.createElement("canvas");
  surface.id = "surface";
  surface.setAttribute("role", "img");
  surface.setAttribute("aria-label", desc.diagramName);
  surface.setAttribute("aria-describedby", sceneText.id);
  form.appendChild(surface);

  // The windowed controls, above the surface; labels are painted on it.
  const elements = {};
  const textBoxes = [];
  const labels = [];
  let check1 = null;
  let chart = null;
  for (const control of desc.controls) {
    let element;
    switch (control.kind) {
      case "Label":
        labels.push(control);
        continue;
      case "TextBox":
        element = document.createElement("input");
        element.type = "text";
        element.value = control.caption;
        element.spellcheck = false;
        element.autocomplete = "off";
        element.setAttribute("autocapitalize", "off");
        element.setAttribute("autocorrect", "off");
        textBoxes[Number(control.name.slice(4))] = element;
        break;
      case "Button":
        element = document.createElement("button");
        element.type = "button";
        element.textContent = control.caption;
        break;
      case "CheckBox": {
        const label = document.createElement("label");
        label.id = `${domId(control)}-label`;
        check1 = document.createElement("input");
        check1.type = "checkbox";
        check1.id = domId(control);
        check1.tabIndex = control.tabIndex + 1;
        check1.setAttribute("aria-describedby", spoken(`${check1.id}-description`, control.description).id);
        const caption = document.createElement("span");
        caption.textContent = control.caption;
        label.append(check1, caption);
        label.style.font = fontOf(control);
        place(label, control);
        form.appendChild(label);
        elements[control.name] = check1;
        continue;
      }
      case "PictureBox":
        element = document.createElement("canvas");
        element.setAttribute("role", "img");
        element.setAttribute("aria-describedby", chartText.id);
        chart = { element, control };
        break;
    }
    element.id = domId(control);
    element.tabIndex = control.tabIndex + 1;
    element.setAttribute("aria-label", control.accessibleName);
    if (control.description) {
      element.setAttribute("aria-describedby", spoken(`${element.id}-description`, control.description).id);
    }
    element.style.font = fontOf(control);
    place(element, control);
    form.appendChild(element);
    elements[control.name] = element;
  }

  // What a screen reader is told: once, politely; the same words twice in a
  // row are still said twice.
  const announce = (text) => {
    announcer.textContent = "";
    requestAnimationFrame(() => (announcer.textContent = text));
  };
  // Typing in the doping boxes is announced once it pauses.
  const typingPause = desc.listening.typingPauseMs;
  let typingTimer = 0;
  const describeNow = () => {
    sceneText.textContent = module.UTF8ToString(module._quarvel_scene());
    chartText.textContent = module.UTF8ToString(module._quarvel_chart_trend());
  };

  const readouts = new Set(desc.controls.filter((c) => c.role === "Readout").map((c) => elements[c.name]));
  for (const element of readouts) element.addEventListener("blur", () => flushReadout(element));

  // Events: each binding is dispatched by its place in the table.
  const dispatch = (binding) => {
    const said = module.UTF8ToString(module._quarvel_dispatch(binding));
    if (!said) return;
    if (desc.bindings[binding].event === "Change") {
      clearTimeout(typingTimer);
      typingTimer = setTimeout(() => announce(said), typingPause);
    } else {
      announce(said);
    }
    describeNow();
  };
  const timers = {};
  desc.timers.forEach((t) => (timers[t.name] = { row: t, handle: 0, binding: -1 }));
  const loads = [];
  desc.bindings.forEach((binding, index) => {
    if (binding.event === "Load") return loads.push(index);
    if (binding.event === "Timer") return (timers[binding.name].binding = index);
    const element = elements[binding.name];
    const type = binding.event === "Change" ? "input" : element === check1 ? "change" : "click";
    element.addEventListener(type, () => dispatch(index));
  });
  // A browser never queues interval callbacks that fell due while the page
  // was busy, so a slow tick lowers the rate instead of building a backlog.
  const startTimer = (timer) => {
    if (!timer.handle) timer.handle = setInterval(() => dispatch(timer.binding), timer.row.intervalMs);
  };
  const stopTimer = (timer) => {
    clearInterval(timer.handle);
    timer.handle = 0;
  };

  // Painting, in twips under one scale; crisp at the device pixel ratio.
  let ratio = 1;
  let paintPending = false;
  const surfaceContext = surface.getContext("2d");
  const chartContext = chart.element.getContext("2d");
  const chartBorder = 2;
  const floats = () => module.HEAPF32;
  const markerArray = (holes) => {
    const at = module._quarvel_markers(holes) >> 2;
    return floats().subarray(at, at + 2 * 101);
  };
  const diagram = () => {
    const at = module._quarvel_diagram();
    const f = floats();
    return {
      line3Y1: f[at >> 2],
      line3Y2: f[(at >> 2) + 1],
      line7Visible: Array.from(module.HEAPU8.subarray(at + 8, at + 14), (b) => b !== 0),
    };
  };
  const css = (rgb) => `#${rgb.toString(16).padStart(6, "0")}`;
  const pen = twips;  // one pixel
  const snap = (t) => Math.floor(t / twips) * twips;

  const find = (list, key) => list.find((item) => item.name === key.name && item.index === key.index);
  // Hinting would round each glyph's advance differently on each device;
  // without it a caption measures the same everywhere, as the layout expects.
  const unhinted = (ctx) => {
    ctx.textRendering = "geometricPrecision";
    return ctx;
  };
  const wrapContext = unhinted(document.createElement("canvas").getContext("2d"));
  // Labels wrap within their box at blanks, and anywhere in Japanese text.
  const wrap = (text, font, boxWidth) => {
    wrapContext.font = font;
    const pieces = text.match(/[\u3000-\u9fff\uff00-\uffef]|[^\s\u3000-\u9fff\uff00-\uffef]+|\s+/g) || [];
    const lines = [];
    let line = "";
    for (const piece of pieces) {
      const candidate = line + piece;
      if (line && wrapContext.measureText(candidate.trimEnd()).width > boxWidth && !/^\s+$/.test(piece)) {
        lines.push(line.trimEnd());
        line = piece.trimStart();
      } else {
        line = candidate;
      }
    }
    if (line.trim()) lines.push(line.trimEnd());
    return lines;
  };
  const labelSteps = new Map(
    labels.map((l) => {
      const font = fontOf(l);
      wrapContext.font = font;
      const m = wrapContext.measureText("Eg電");
      const lines = wrap(l.caption, font, px(l.width));
      // A fallback face (the Gothic one under Latin text) may rise above the
      // first face's ascent: the first line stands low enough for both.
      const ascent = Math.max(m.fontBoundingBoxAscent,
                              ...lines.map((line) => Math.ceil(wrapContext.measureText(line).actualBoundingBoxAscent)));
      return [domId(l), { label: l, font, lines, ascent,
                          lineHeight: m.fontBoundingBoxAscent + m.fontBoundingBoxDescent }];
    }));

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
  const sprite = (shape) => {
    let image = sprites.get(shape.name);
    if (!image) {
      image = document.createElement("canvas");
      image.width = Math.ceil((shape.width * ratio) / twips) + 1;
      image.height = Math.ceil((shape.height * ratio) / twips) + 1;
      const ctx = image.getContext("2d");
      ctx.setTransform(ratio / twips, 0, 0, ratio / twips, 0, 0);
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
    const shape = find(desc.shapes, key);
    if (shape && shape.role !== "Fixed") {
      const holes = shape.role === "HoleMarkers" ? 1 : 0;
      return { dynamic: true, paint: (ctx) => {
        const m = markerArray(holes);
        const image = sprite(shape);
        ctx.setTransform(1, 0, 0, 1, 0, 0);
        for (let i = 0; i < 101; i++) {
          const top = snap(m[2 * i + 1]);
          if (top >= desc.clientHeight) continue;
          const left = snap(m[2 * i]);
          ctx.drawImage(image, Math.round((left * ratio) / twips), Math.round((top * ratio) / twips));
        }
        ctx.setTransform(ratio / twips, 0, 0, ratio / twips, 0, 0);
      } };
    }
    if (shape) return { paint: (ctx) => paintShape(ctx, shape, shape.left, shape.top, shape.width, shape.height) };
    const line = find(desc.lines, key);
    if (line) {
      return { dynamic: line.role !== "Fixed", paint: (ctx, state) => {
        if (line.role === "PolarityMark" && !state.line7Visible[line.index]) return;
        const y1 = line.role === "FermiLevel" ? state.line3Y1 : line.y1;
        const y2 = line.role === "FermiLevel" ? state.line3Y2 : line.y2;
        ctx.lineWidth = pen;
        ctx.strokeStyle = "#000";
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
    const label = labelSteps.get(domId(key));
    if (label) {
      return { paint: (ctx) => {
        ctx.save();
        ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
        ctx.font = label.font;
        unhinted(ctx);
        ctx.fillStyle = "#000";
        ctx.textBaseline = "alphabetic";
        label.lines.forEach((text, i) =>
          ctx.fillText(text, px(label.label.left), px(label.label.top) + label.ascent + i * label.lineHeight));
        ctx.restore();
      } };
    }
    return { paint: () => {} };
  });

  const background = document.createElement("canvas");
  const paintBackground = () => {
    background.width = surface.width;
    background.height = surface.height;
    const ctx = background.getContext("2d");
    ctx.setTransform(ratio / twips, 0, 0, ratio / twips, 0, 0);
    for (const step of steps) if (!step.dynamic) step.paint(ctx);
    sprites.clear();
  };

  const paintSurface = () => {
    const ctx = surfaceContext;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.clearRect(0, 0, surface.width, surface.height);
    ctx.drawImage(background, 0, 0);
    ctx.setTransform(ratio / twips, 0, 0, ratio / twips, 0, 0);
    const state = diagram();
    for (const step of steps) if (step.dynamic) step.paint(ctx, state);
  };

  // The chart keeps what it has drawn and adds only the new points.
  let chartDrawn = 0;
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
      const at = module._quarvel_chart() >> 2;
      const f = floats();
      const u = module.HEAPU32;
      ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
      for (let i = chartDrawn; i < count; i++) {
        ctx.fillStyle = css(u[at + 3 * i + 2]);
        ctx.fillRect(Math.floor(f[at + 3 * i] / twips), Math.floor(f[at + 3 * i + 1] / twips), 1, 1);
      }
      chartDrawn = count;
    }
    // Line6 lies on top of the points; below the drawing area it is clipped.
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.fillStyle = "#000";
    ctx.fillRect(px(chartFoot.x1), px(chartFoot.y1), px(chartFoot.x2 - chartFoot.x1) + 1, 1);
  };

  // The descriptions follow the run, but not at every tick.
  const describeEvery = desc.listening.describeEveryMs;
  let describedAt = -Infinity;
  const paint = (now) => {
    paintPending = false;
    paintSurface();
    paintChart();
    if (!(now - describedAt < describeEvery)) {
      describedAt = now;
      describeNow();
    }
  };

  // The whole design area at the largest uniform scale that fits.
  const layout = () => {
    const scale = Math.min(innerWidth / width, innerHeight / height);
    const left = Math.round((innerWidth - width * scale) / 2);
    const top = Math.round((innerHeight - height * scale) / 2);
    form.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
    document.documentElement.style.setProperty("--scale", String(scale));
    ratio = scale * devicePixelRatio;
    surface.width = Math.round(width * ratio);
    surface.height = Math.round(height * ratio);
    surface.style.width = `${width}px`;
    surface.style.height = `${height}px`;
    const inner = (t) => px(t) - 2 * chartBorder;
    chart.element.width = Math.round(inner(chart.control.width) * ratio);
    chart.element.height = Math.round(inner(chart.control.height) * ratio);
    chartClears = -1;
    paintBackground();
    paint(performance.now());
  };
  addEventListener("resize", layout);
  matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener("change", layout);

  // What the module calls.
  // A readout with the focus is heard at most this often; the latest count
  // shows when the time is up or the focus leaves.
  const focusedReadoutPause = desc.listening.focusedReadoutPauseMs;
  const pendingReadout = new Map();
  const show = (element, text) => {
    // The same text again is not a change, for the eye or the ear.
    if (element.value === text) return;
    element.value = text;
    // A number reads from its first digit, minus sign included.
    if (document.activeElement === element) element.setSelectionRange(0, 0);
    element.scrollLeft = 0;
  };
  const flushReadout = (element) => {
    const pending = pendingReadout.get(element);
    if (!pending) return;
    clearTimeout(pending.timer);
    pendingReadout.delete(element);
    show(element, pending.text);
  };
  page.getText = (box) => {
    const pending = pendingReadout.get(textBoxes[box]);
    return pending ? pending.text : textBoxes[box].value;
  };
  page.setText = (box, text) => {
    const element = textBoxes[box];
    const readout = readouts.has(element) && document.activeElement === element;
    if (!readout) return show(element, text);
    const pending = pendingReadout.get(element);
    if (pending) return void (pending.text = text);
    if (element.value === text) return;
    show(element, text);
    pendingReadout.set(element, { text, timer: setTimeout(() => flushReadout(element), focusedReadoutPause) });
  };
  page.check1Value = () => (check1.checked ? 1 : 0);
  page.setTimer1Enabled = (enabled) => (enabled ? startTimer : stopTimer)(timers.Timer1);
  page.requestPaint = () => {
    if (paintPending) return;
    paintPending = true;
    requestAnimationFrame(paint);
  };
  page.showNotice = (box, title, text) => {
    // After the handler has returned, never inside it.
    setTimeout(() => {
      if (module._quarvel_ended()) return;
      document.getElementById("notice-title").textContent = title;
      document.getElementById("notice-text").textContent = text;
      noticeDialog.returnBox = textBoxes[box];
      noticeDialog.showModal();
      document.getElementById("notice-ok").focus();
    });
  };
  noticeDialog.addEventListener("close", () => {
    const element = noticeDialog.returnBox;
    if (!element || element.disabled) return;
    element.focus();
    element.select();
  });
  page.setDopingComplete = (complete, hint) => {
    for (const box of [4, 5]) {
      const element = textBoxes[box];
      element.classList.toggle("incomplete", !complete);
      element.title = complete ? "" : hint;
      if (complete) element.removeAttribute("aria-invalid");
      else element.setAttribute("aria-invalid", "true");
    }
  };
  page.end = (message) => {
    // A page cannot close itself: stop, disable everything and say so.
    Object.values(timers).forEach(stopTimer);
    for (const element of form.querySelectorAll("input, button")) element.disabled = true;
    chart.element.tabIndex = -1;
    if (noticeDialog.open) noticeDialog.close();
    endedBox.textContent = message;
    endedBox.hidden = false;
    describeNow();
  };

  // For tests and diagnostics: the model's state as the page shows it.
  window.quarvel = {
    state() {
      const state = JSON.parse(module.UTF8ToString(module._quarvel_state()));
      const live = (holes, count) => {
        const m = markerArray(holes);
        return Array.from({ length: count }, (_, k) => ({ left: m[2 * (k + 1)], top: m[2 * (k + 1) + 1] }));
      };
      return Object.assign(state, diagram(), {
        electrons: live(0, state.electronCount),
        holes: live(1, state.holeCount),
        chartPoints: module._quarvel_chart_size(),
        timer1Enabled: timers.Timer1.handle !== 0,
        ended: module._quarvel_ended() !== 0,
      });
    },
    labels() {
      return [...labelSteps.entries()].map(([name, s]) => ({
        name, caption: s.label.caption, left: px(s.label.left), top: px(s.label.top),
        width: px(s.label.width), height: px(s.label.height), font: s.font, lines: s.lines,
        ascent: s.ascent, lineHeight: s.lineHeight,
      }));
    },
    tick(n = 1) {
      for (let i = 0; i < n; i++) dispatch(timers.Timer1.binding);
    },
  };

  layout();
  loads.forEach(dispatch);
  Object.values(timers).forEach((t) => t.row.enabledAtLoad && startTimer(t));
  // Enter or the space bar starts a run right away.
  elements.Command1.focus();
  document.documentElement.dataset.ready = "true";
})();
