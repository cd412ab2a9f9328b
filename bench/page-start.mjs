// How soon a page's Start button can be pressed, and the longest task while
// it loads, in headless Chromium at full speed and with the CPU throttled
// 4x (a low-end Chromebook), against a plain canvas page in the same run;
// and where the page's load time goes.
// Usage: [RUNS=3] node bench/page-start.mjs FLOOR.html PAGE.html [PAGE.html...]
// Several pages, such as a build before and after a change, compare in one
// run. Prints one line per page and rate, medians of the runs, in ms:
//   quarvel.html rate=4 start=... after_floor=... longest=... phases: ...
// "start" is the first frame after Start is ready; for the floor page, the
// first frame after its second drawing. "longest" is the longest task
// before then (tasks under 50 ms are not reported by the browser: 0).
import { basename, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const here = new URL('.', import.meta.url);
const { chromium } = await import(new URL('../tests/web/node_modules/playwright-core/index.mjs', here).href);

const [floorPath, ...pagePaths] = process.argv.slice(2);
if (!floorPath || pagePaths.length === 0) {
  console.error('usage: [RUNS=3] node bench/page-start.mjs FLOOR.html PAGE.html [PAGE.html...]');
  process.exit(2);
}
const runs = Number(process.env.RUNS ?? 3);
const rates = [1, 4];

// Runs before any of the page's scripts: times the calls a load makes and
// notes when the page is ready.
function probe() {
  const t = { phases: {}, tasks: [], shown: 0 };
  window.__start = t;
  new PerformanceObserver((list) => {
    for (const e of list.getEntries()) t.tasks.push({ at: e.startTime, ms: e.duration });
  }).observe({ type: 'longtask', buffered: true });
  const note = (label, from) => {
    const p = t.phases[label] ??= { from, to: from, ms: 0 };
    const to = performance.now();
    p.to = Math.max(p.to, to);
    p.ms += to - from;
  };
  const time = (owner, name, label) => {
    const original = owner[name];
    owner[name] = function (...args) {
      const from = performance.now();
      const result = original.apply(this, args);
      if (result && typeof result.then === 'function') result.then(() => note(label, from), () => {});
      else note(label, from);
      return result;
    };
  };
  // A page reads its inline wasm through fetch of a data: URL, which the
  // browser decodes, or through atob or Uint8Array.fromBase64.
  time(window, 'fetch', 'base64');
  time(window, 'atob', 'base64');
  if (Uint8Array.fromBase64) time(Uint8Array, 'fromBase64', 'base64');
  time(WebAssembly, 'instantiate', 'wasm');
  time(WebAssembly, 'instantiateStreaming', 'wasm');
  time(FontFaceSet.prototype, 'load', 'fonts');
  time(FontFace.prototype, 'load', 'fonts');
  const shown = () => requestAnimationFrame(() => (t.shown ||= performance.now()));
  // The page under test says when it is ready; the floor page is shown once
  // it has drawn its second frame.
  new MutationObserver(() => {
    if (document.documentElement.dataset.ready) shown();
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
  const fillRect = CanvasRenderingContext2D.prototype.fillRect;
  let frames = 0;
  CanvasRenderingContext2D.prototype.fillRect = function (x, y, w, h) {
    if (x === 0 && y === 0 && w === this.canvas.width && h === this.canvas.height && ++frames === 1 &&
        !document.getElementById('form1')) shown();
    return fillRect.call(this, x, y, w, h);
  };
}

async function once(browser, url, rate) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  // Only the protocol itself: Playwright's own waits would run its injected
  // script in the page, which costs the load more than 100 ms at 4x.
  const evaluate = async (expression) =>
    (await cdp.send('Runtime.evaluate', { expression, returnByValue: true })).result.value;
  await cdp.send('Emulation.setCPUThrottlingRate', { rate });
  await cdp.send('Page.enable');
  await cdp.send('Page.addScriptToEvaluateOnNewDocument', { source: `(${probe})()` });
  await cdp.send('Page.navigate', { url });
  const until = Date.now() + 30000;
  while (!(await evaluate('window.__start?.shown > 0'))) {
    if (Date.now() > until) throw new Error(`${url} never became ready`);
    await new Promise((r) => setTimeout(r, 20));
  }
  await new Promise((r) => setTimeout(r, 300));  // for the last long-task entries
  const t = await evaluate(`({ ...window.__start,
    parsed: performance.getEntriesByType('navigation')[0].domInteractive })`);
  await context.close();
  const before = t.tasks.filter((task) => task.at < t.shown);
  const phases = {};
  const p = t.phases;
  if (p.wasm) {
    // Parsing the file and running its scripts up to the wasm, the wasm's
    // bytes out of base64 (and inflated), compiling and instantiating it,
    // the fonts (which may load while the wasm does), then the controls
    // and the first paint once both are done.
    const base64 = p.base64 ?? { from: p.wasm.from, to: p.wasm.from, ms: 0 };
    phases.parse = base64.from;
    phases.base64 = p.wasm.from - base64.from;
    phases.wasm = p.wasm.to - p.wasm.from;
    if (p.fonts) phases.fonts = p.fonts.to - p.fonts.from;
    phases.controls = t.shown - Math.max(p.wasm.to, p.fonts?.to ?? 0);
  }
  return { start: t.shown, longest: Math.max(0, ...before.map((task) => task.ms)), parsed: t.parsed, phases };
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};

const browser = await chromium.launch({
  executablePath: process.env.QUARVEL_CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const pages = { floor: pathToFileURL(resolve(floorPath)).href };
pagePaths.forEach((path, i) => (pages[`${i + 1}:${basename(path)}`] = pathToFileURL(resolve(path)).href));
const results = {};
await once(browser, pages.floor, 1);  // warms the browser's own start-up
for (const rate of rates) {
  for (let i = 0; i < runs; i++) {
    // Interleaved, so that a busy moment of a shared machine falls on both.
    for (const [name, url] of Object.entries(pages)) {
      ((results[`${name} ${rate}`] ??= [])).push(await once(browser, url, rate));
    }
  }
}
await browser.close();

const ms = (v) => Math.round(v);
for (const rate of rates) {
  const floor = median(results[`floor ${rate}`].map((r) => r.start));
  for (const name of Object.keys(pages)) {
    const all = results[`${name} ${rate}`];
    const start = median(all.map((r) => r.start));
    const keys = Object.keys(all[0].phases);
    const phases = keys.map((k) => `${k}=${ms(median(all.map((r) => r.phases[k])))}`).join(' ');
    console.log(`${name} rate=${rate} start=${ms(start)} after_floor=${ms(start - floor)} ` +
      `longest=${ms(median(all.map((r) => r.longest)))} parsed=${ms(median(all.map((r) => r.parsed)))}` +
      (phases ? ` phases: ${phases}` : ''));
  }
}
