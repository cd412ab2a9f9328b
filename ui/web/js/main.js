// The page's start: builds the window from the module's description, hands
// every control and timer event to the controller in the module, and does
// what the controller asks of it through Module.page.
import { fontsOf, readDescription } from "./describe.js";
import { buildControls } from "./controls.js";
import { createAnnouncer, createBoxWriter, hiddenText } from "./speech.js";
import { createPainter, measureLabels } from "./paint.js";
import { fitToViewport } from "./layout.js";
import { createNotices } from "./notices.js";
import { createTeaching } from "./teach.js";

export const start = async () => {
  const page = {};  // what the module calls back, as Module.page
  const module = await createQuarvel({ page });
  const desc = readDescription(module);
  const text = (pointer) => module.UTF8ToString(pointer);
  const form = document.getElementById("form1");
  const fonts = fontsOf(desc);
  form.style.font = fonts.defaultFont;
  // Captions are measured in the bundled faces, so those must be ready first.
  await Promise.all([...new Set(desc.controls.map(fonts.fontOf))]
    .map((font) => document.fonts.load(font, "EFCVEcarrier電子")));

  const sceneText = hiddenText("scene");
  const chartText = hiddenText("chart-trend");
  const surface = document.createElement("canvas");
  surface.id = "surface";
  surface.setAttribute("role", "img");
  surface.setAttribute("aria-label", desc.diagramName);
  surface.setAttribute("aria-describedby", sceneText.id);
  form.appendChild(surface);

  // A slow device paints the window in a task of its own, so that no task
  // of the load holds the page for long.
  // A message, not a timer: the page's timers may be another's to run.
  const breather = () => new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => resolve();
    channel.port2.postMessage(null);
  });
  const built = buildControls(desc, form, chartText);
  const labelSteps = measureLabels(desc, built.labels);
  await breather();
  const announce = createAnnouncer();
  const writer = createBoxWriter(built.readouts, desc.listening.focusedReadoutPauseMs);
  const notices = createNotices(desc, () => module._quarvel_ended() !== 0);
  const painter = createPainter({ desc, module, surface, chart: built.chart, labelSteps });
  const teach = createTeaching({ desc, module, form, painter, built, announce });

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
    },
    end: (status, message) => {
      // A page cannot close itself: everything is disabled and says so, as
      // the desktop's Close ends the program.
      for (const element of form.querySelectorAll("input, button")) element.disabled = true;
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
      return [...labelSteps.entries()].map(([name, s]) => ({
        name, caption: s.label.caption, left: px(s.label.left), top: px(s.label.top),
        width: px(s.label.width), height: px(s.label.height), font: s.font, lines: s.lines,
        ascent: s.ascent, lineHeight: s.lineHeight,
      }));
    },
    tick(n = 1) {
      for (let i = 0; i < n; i++) module._quarvel_fire(tickBinding);
    },
  };

  await breather();
  fitToViewport(desc, form, painter, () => paint(performance.now()), teach.aside);
  module._quarvel_load();
  teach.applyAddress();
  // Enter or the space bar starts a run right away.
  built.first.focus();
  document.documentElement.dataset.ready = "true";
};

start();
