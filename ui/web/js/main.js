// The page's start: builds the window from the module's description, hands
// every control and timer event to the controller in the module, and does
// what the controller asks of it through Module.page.
import { applyTexts, fontsOf, openIn, ownDescription, readDescription, readTexts, withTexts } from "./describe.js";
import { arrangeControls, buildControls, retextControls } from "./controls.js";
import { createDopingNote } from "./note.js";
import { fontsReady } from "./fonts.js";
import { createAnnouncer, createBoxWriter, hiddenText } from "./speech.js";
import { createPainter, measureLabels } from "./paint.js";
import { fitToViewport } from "./layout.js";
import { createNotices } from "./notices.js";
import { createTeaching } from "./teach.js";

// The wasm travels in the page gzipped, as inert base64 text, and the
// page's first script has begun compiling it (window.quarvelWasm).
const instantiateWasm = (imports, receive) => {
  window.quarvelWasm
    .then((module) => WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module)));
  return {};
};

// What the document says of its language: a screen reader's voice follows
// lang, and dir the way the page's texts read.
const showLanguage = (desc) => {
  const root = document.documentElement;
  root.lang = desc.language.tag;
  root.dir = desc.language.rightToLeft ? "rtl" : "ltr";
  document.title = desc.title;
  document.querySelector("h1").textContent = desc.title;
  // What stands outside the window, heard if not seen, in the page's faces
  // too: the browser need not look for a face of its own.
  document.body.style.fontFamily = `${fontsOf(desc).defaultFamilies}, sans-serif`;
};

// A task of its own, at the given priority where the browser takes one. A
// task or a message, not a timer: the page's timers may be another's to run.
const nextTask = (priority) => (globalThis.scheduler?.postTask
  ? scheduler.postTask(() => {}, { priority })
  : new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => resolve();
    channel.port2.postMessage(null);
  }));

export const start = async () => {
  const page = {};  // what the module calls back, as Module.page
  // An address that names no language opens the page in its own, whose
  // faces are decoded while the module compiles; the module reads any
  // other address, so that it is decoded once, by one decoder.
  const own = location.hash.includes("lang") ? null : ownDescription();
  const ownFaces = own && fontsReady(own);
  const module = await createQuarvel({ page, instantiateWasm });
  // A link's language comes before everything else.
  const code = openIn(module, location.hash);
  const desc = code === own?.language.code ? own : readDescription(module, code);
  const text = (pointer) => module.UTF8ToString(pointer);
  const form = document.getElementById("form1");
  // Shown once whole: a frame between the tasks of the load lays out
  // nothing half built.
  form.hidden = true;
  // Captions are measured in the bundled faces, so those must be ready
  // first; and no text is set in their names before, which would have the
  // browser search the system's fonts for them.
  await (desc === own ? ownFaces : fontsReady(desc));
  showLanguage(desc);

  const sceneText = hiddenText("scene");
  const chartText = hiddenText("chart-trend");
  const surface = document.createElement("canvas");
  surface.id = "surface";
  surface.setAttribute("role", "img");
  surface.setAttribute("aria-describedby", sceneText.id);
  form.appendChild(surface);

  const built = buildControls(desc, form, chartText);
  let labelSteps = measureLabels(desc, built.labels);
  const announce = createAnnouncer();
  const writer = createBoxWriter(built.readouts, desc.listening.focusedReadoutPauseMs);
  const notices = createNotices(desc, () => module._quarvel_ended() !== 0);
  const painter = createPainter({ desc, module, surface, chart: built.chart, labelSteps });
  const teach = createTeaching({ desc, module, form, painter, built, announce });
  const note = createDopingNote(desc, form, built);
  // The page laid out anew: at a new size, or in a language whose captions
  // move some controls.
  let relayout = () => {};
  // Every control and what stands beside the window, in the window's
  // arrangement or the phone's; the height the phone's needs below it.
  const placed = (arrangement) => {
    arrangeControls(desc, built, arrangement);
    note.place(arrangement);
    return teach.placeBelow(arrangement);
  };

  // Every text in the language shown now, at once, once its faces are
  // ready: nothing of the run changes.
  const retext = () => {
    showLanguage(desc);
    form.style.font = fontsOf(desc).defaultFont;
    surface.setAttribute("aria-label", desc.diagramName);
    retextControls(desc, built);
    labelSteps = measureLabels(desc, built.labels);
    painter.setLabels(labelSteps);
    notices.retext();
    note.retext();
    teach.retext();
    relayout();
  };
  surface.setAttribute("aria-label", desc.diagramName);
  form.style.font = fontsOf(desc).defaultFont;
  // The controller has switched; the newest choice wins if the user is quicker than the faces.
  let choice = 0;
  const languageChanged = async () => {
    const texts = readTexts(module);
    teach.voice.setLanguage(desc.languages.find((l) => l.code === texts.code).tag);
    const ticket = ++choice;
    await fontsReady(withTexts(desc, texts));
    if (ticket !== choice) return;
    applyTexts(desc, texts);
    retext();
    describeNow();
  };

  // The descriptions follow the run, but not at every tick.
  let describedAt = -Infinity;
  const describeNow = () => {
    describedAt = performance.now();
    sceneText.textContent = text(module._quarvel_scene());
    chartText.textContent = text(module._quarvel_chart_trend());
  };
  let paintPending = false;
  const paint = (now) => {
    paintPending = false;
    painter.paint();
    if (!(now - describedAt < desc.listening.describeEveryMs)) describeNow();
  };

  // Control events, each by its binding's place in the table.
  desc.bindings.forEach((binding, index) => {
    if (binding.event === "Load" || binding.event === "Timer") return;
    const element = built.byName[binding.name];
    const type = binding.event === "Change" ? "input" : element === built.check1 ? "change" : "click";
    element.addEventListener(type, () => module._quarvel_fire(index));
  });
  // A browser never queues interval callbacks that fell due while the page
  // was busy, so a slow tick lowers the rate instead of building a backlog.
  const timers = desc.timers.map(() => 0);
  const tickBinding = desc.bindings.findIndex((b) => b.event === "Timer" &&
    b.name === desc.timers.find((t) => t.role === "Tick").name);

  let typingTimer = 0;
  Object.assign(page, {
    getText: (box) => writer.read(built.boxes[box]),
    setText: (box, value) => writer.write(built.boxes[box], value),
    check1Value: () => (built.check1.checked ? 1 : 0),
    setCheck1: (ticked) => (built.check1.checked = ticked),
    setTimerRunning: (row, running) => {
      if (running && !timers[row]) {
        timers[row] = setInterval(() => module._quarvel_timer(row), desc.timers[row].intervalMs);
      } else if (!running && timers[row]) {
        clearInterval(timers[row]);
        timers[row] = 0;
      }
    },
    showRefusal: (box, title, message) => notices.refuse(built.boxes[box], title, message),
    setBoxHint: (box, hint) => {
      const element = built.boxes[box];
      element.classList.toggle("incomplete", hint !== "");
      element.title = hint;
      if (hint) element.setAttribute("aria-invalid", "true");
      else element.removeAttribute("aria-invalid");
      note.show(element, hint);
    },
    end: (status, message) => {
      // A page cannot close itself: the window's controls are disabled and
      // say so, as the desktop's Close ends the program; the menu stays, so
      // that what the run recorded can still be taken away.
      for (const { element } of built.controls) element.disabled = true;
      built.chart.element.tabIndex = -1;
      notices.ended(message);
      teach.ended();
      describeNow();
    },
    announce: (said, onceTypingPauses) => {
      clearTimeout(typingTimer);
      if (onceTypingPauses) typingTimer = setTimeout(() => announce(said), desc.listening.typingPauseMs);
      else announce(said);
    },
    afterEvent: (byUser) => {
      teach.afterEvent(byUser);
      if (byUser) describeNow();
      if (paintPending) return;
      paintPending = true;
      requestAnimationFrame(paint);
    },
    timeControlsChanged: () => teach.timeControlsChanged(),
    languageChanged: () => void languageChanged(),
    speak: (said, tag, onceTypingPauses) => teach.voice.speak(said, tag, onceTypingPauses),
  });

  // For tests and diagnostics: the model's state as the page shows it.
  window.quarvel = {
    state() {
      const state = JSON.parse(text(module._quarvel_state()));
      const view = painter.memoryView;
      const live = (holes, count) => {
        const { f, stride, left, top } = view.markers(holes);
        return Array.from({ length: count }, (_, k) => ({ left: f[(k + 1) * stride + left], top: f[(k + 1) * stride + top] }));
      };
      return Object.assign(state, view.diagram(), {
        electrons: live(0, state.electronCount),
        holes: live(1, state.holeCount),
        chartPoints: module._quarvel_chart_size(),
        timer1Enabled: timers[desc.timers.findIndex((t) => t.role === "Tick")] !== 0,
        ended: module._quarvel_ended() !== 0,
      });
    },
    labels() {
      const px = (t) => t / desc.twipsPerPixel;
      const place = (p) => ({ left: px(p.left), top: px(p.top), width: px(p.width), height: px(p.height) });
      return [...labelSteps.entries()].map(([name, s]) => {
        // Where its room shows on the page, in CSS px of the form, and at what scale.
        const v = painter.viewOf(s.label.name);
        const room = place(s.label.room);
        const shown = { left: v.dx + room.left * v.s, top: v.dy + room.top * v.s, width: room.width * v.s,
          height: room.height * v.s, scale: v.s };
        return {
          name, caption: s.label.caption, ...place(s.label), room, shown, font: s.font, lines: s.lines,
          insets: s.insets, ascent: s.ascent, lineHeight: s.lineHeight, rtl: s.rtl,
        };
      });
    },
    blocks: () => painter.blocks(),
    tick(n = 1) {
      for (let i = 0; i < n; i++) module._quarvel_fire(tickBinding);
    },
  };

  // A slow device paints the window in a task of its own, so that no task
  // of the load holds the page for long (the form is hidden meanwhile, so
  // that a frame between lays nothing out). Ahead of the rest of the
  // page's loading where the browser can be told so: the parser's last
  // pieces, the other languages' faces, can wait.
  await nextTask("user-blocking");
  relayout = fitToViewport(desc, form, painter, () => {
    paint(performance.now());
    teach.laidOut();
  }, teach.aside, placed);
  form.hidden = false;
  // The first frame shows the window; what the diagram shows is described
  // once it stands, in the task after it.
  describedAt = performance.now();
  requestAnimationFrame(() => nextTask("user-visible").then(describeNow));
  module._quarvel_load();
  teach.applyAddress();
  // Enter or the space bar starts a run right away.
  built.first.focus();
  document.documentElement.dataset.ready = "true";
};

start();
