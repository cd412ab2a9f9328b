// One small driver interface over the three engines a class meets: Debian's
// Chromium and Firefox ESR through puppeteer-core (CDP and WebDriver BiDi,
// no driver binary), and WebKitGTK's MiniBrowser under an Xvfb of its own
// through WebKitWebDriver, which speaks classic W3C WebDriver only.
// QUARVEL_ENGINE chooses: chromium (default), firefox or webkit.
//
// The page is opened as a copy with a small script first in its head that
// records script errors, console errors and what the page fetched, and,
// unless realTime, stands in for the page's clock so that the test steps it:
// the same on every engine, whatever hooks the engine offers.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { pagePath } from './harness.mjs';

export const engine = process.env.QUARVEL_ENGINE || 'chromium';
if (!['chromium', 'firefox', 'webkit'].includes(engine)) throw new Error(`QUARVEL_ENGINE ${engine}?`);

const executables = {
  chromium: process.env.QUARVEL_CHROMIUM || '/usr/bin/chromium',
  firefox: process.env.QUARVEL_FIREFOX || '/usr/bin/firefox-esr',
  webkit: process.env.QUARVEL_MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
};

// Runs in the page before any of its own scripts.
function testHook(stepped) {
  const errors = [];
  const fetched = [];
  addEventListener('error', (e) => errors.push(`${e.message} at ${e.filename}:${e.lineno}`));
  addEventListener('unhandledrejection', (e) => errors.push(`unhandled rejection: ${e.reason}`));
  document.addEventListener('securitypolicyviolation', (e) => fetched.push(`refused ${e.blockedURI}`));
  const consoleError = console.error.bind(console);
  console.error = (...parts) => {
    errors.push(`console.error: ${parts.join(' ')}`);
    consoleError(...parts);
  };
  const test = (window.__test = {
    errors,
    fetched: () => [...fetched, ...performance.getEntriesByType('resource').map((r) => r.name)],
    runFor: () => {},
    // Runs fn with the browser's own timers, for a tool that needs them (axe).
    realTime: (fn) => fn(),
  });
  if (!stepped) return;
  const clockNames = ['setTimeout', 'setInterval', 'clearTimeout', 'clearInterval',
    'requestAnimationFrame', 'cancelAnimationFrame'];
  const real = clockNames.map((name) => window[name]);
  // Timers and frames fire only inside runFor, in time order, frames every 16 ms.
  const origin = performance.now();
  const epoch = Date.now();
  let now = 0;
  let nextId = 1;
  const timers = new Map();
  const frames = new Map();
  const add = (fn, ms, args, repeat) => {
    const delay = Math.max(0, Number(ms) || 0);
    timers.set(nextId, { fn, at: now + delay, every: repeat ? Math.max(1, delay) : 0, args });
    return nextId++;
  };
  window.setTimeout = (fn, ms, ...args) => add(fn, ms, args, false);
  window.setInterval = (fn, ms, ...args) => add(fn, ms, args, true);
  window.clearTimeout = window.clearInterval = (id) => timers.delete(id);
  window.requestAnimationFrame = (fn) => (frames.set(nextId, fn), nextId++);
  window.cancelAnimationFrame = (id) => frames.delete(id);
  Object.defineProperty(performance, 'now', { value: () => origin + now });
  Date.now = () => epoch + now;
  const call = (fn, ...args) => {
    try { fn(...args); } catch (e) { errors.push(`${e.message} in a callback`); }
  };
  test.realTime = async (fn) => {
    const stepping = clockNames.map((name) => window[name]);
    clockNames.forEach((name, i) => (window[name] = real[i]));
    try { return await fn(); } finally { clockNames.forEach((name, i) => (window[name] = stepping[i])); }
  };
  test.runFor = (ms) => {
    const end = now + ms;
    for (;;) {
      let due = null;
      for (const [id, t] of timers) if (!due || t.at < due[1].at) due = [id, t];
      const frameAt = frames.size ? Math.floor(now / 16) * 16 + 16 : Infinity;
      const at = Math.min(due ? due[1].at : Infinity, frameAt);
      if (at > end) break;
      now = Math.max(now, at);
      if (frameAt <= (due ? due[1].at : Infinity)) {
        const list = [...frames.values()];
        frames.clear();
        list.forEach((fn) => call(fn, origin + now));
        continue;
      }
      const [id, t] = due;
      if (t.every) t.at += t.every;
      else timers.delete(id);
      call(t.fn, ...t.args);
    }
    now = end;
  };
}

// The page's copy beside its original name, with the hook.
function hookedCopy(stepped) {
  const dir = mkdtempSync(join(tmpdir(), 'quarvel-engine-'));
  const file = join(dir, basename(pagePath));
  const page = readFileSync(pagePath, 'utf8');
  const script = `<script>(${testHook})(${stepped});</script>`;
  const at = page.match(/<meta charset[^>]*>/i) ?? page.match(/<head[^>]*>/i);
  const end = at.index + at[0].length;
  writeFileSync(file, page.slice(0, end) + script + page.slice(end));
  return { url: pathToFileURL(file).href, remove: () => rmSync(dir, { recursive: true, force: true }) };
}

// What every session offers the tests, given how its engine runs a script
// and presses things.
function session({ evaluate, click, tap, press, type, paste, screenshot, requests, reported = [], close },
  url, remove) {
  return {
    evaluate,
    click,
    tap: tap ?? click,
    press,
    type,
    // What a paste or an input method puts in at once.
    paste: paste ?? type,
    screenshot,
    url,
    runFor: (ms) => evaluate((t) => window.__test.runFor(t), ms),
    focused: () => evaluate(() => document.activeElement?.id ?? ''),
    errors: async () => [...reported, ...(await evaluate(() => window.__test.errors))],
    // Every address but the page's own and data: URLs.
    requests: async () => [...requests(), ...(await evaluate(() => window.__test.fetched()))]
      .filter((u) => u !== url && !u.startsWith('data:')),
    async close() {
      await close();
      remove();
    },
  };
}

// 'Shift+Tab' and 'Control++' as the keys held and the key pressed last.
const keyParts = (keys) =>
  (keys.endsWith('++') ? [...keys.slice(0, -2).split('+'), '+'] : keys.split('+')).filter(Boolean);

// The page yields to the browser while it loads: a stepped clock lets the
// timers that are due at once run.
const waitReady = async (evaluate) => {
  for (let i = 0; i < 500; ++i) {
    const ready = await evaluate(() => {
      window.__test.runFor(0);
      return document.documentElement.dataset.ready === 'true';
    });
    if (ready) return;
    await new Promise((r) => setTimeout(r, 20));
  }
  throw new Error('the page never became ready');
};

// puppeteer-core: Chromium over CDP, Firefox over WebDriver BiDi.
async function launchPuppeteer() {
  const { default: puppeteer } = await import('puppeteer-core');
  const browser = await puppeteer.launch({
    browser: engine === 'firefox' ? 'firefox' : 'chrome',
    executablePath: executables[engine],
    headless: true,
    args: engine === 'chromium' ? ['--no-sandbox', '--disable-gpu', '--no-first-run'] : [],
  });
  return {
    version: await browser.version(),
    async open({ width = 574, height = 353, realTime = false, hasTouch = false } = {}) {
      const copy = hookedCopy(!realTime);
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height, hasTouch });
      const seen = [];
      const reported = [];
      page.on('request', (r) => seen.push(r.url()));
      page.on('console', (m) => m.type() === 'error' && reported.push(`console: ${m.text()}`));
      const evaluate = (fn, arg) => page.evaluate(fn, arg);
      // Where a click lands: the middle of the element, scrolled into view.
      const centre = (selector) => evaluate((sel) => {
        const element = document.querySelector(sel);
        element.scrollIntoView({ block: 'nearest', inline: 'nearest' });
        const r = element.getBoundingClientRect();
        return [r.left + r.width / 2, r.top + r.height / 2];
      }, selector);
      await page.goto(copy.url);
      await waitReady(evaluate);
      return session({
        evaluate,
        click: async (selector) => { const [x, y] = await centre(selector); await page.mouse.click(x, y); },
        tap: hasTouch ? async (selector) => { const [x, y] = await centre(selector); await page.touchscreen.tap(x, y); }
          : undefined,
        press: async (keys) => {
          const parts = keyParts(keys);
          for (const k of parts.slice(0, -1)) await page.keyboard.down(k);
          await page.keyboard.press(parts.at(-1));
          for (const k of parts.slice(0, -1).reverse()) await page.keyboard.up(k);
        },
        type: (text) => page.keyboard.type(text),
        paste: (text) => page.keyboard.sendCharacter(text),
        screenshot: (path) => page.screenshot({ path }),
        requests: () => seen,
        reported,
        close: () => context.close(),
      }, copy.url, copy.remove);
    },
    close: () => browser.close(),
  };
}

// Classic W3C WebDriver, just what the tests use.
const webdriverKeys = {
  Tab: '\uE004', Enter: '\uE007', Escape: '\uE00C', Backspace: '\uE003', Shift: '\uE008',
  Control: '\uE009', End: '\uE010', Home: '\uE011', ArrowLeft: '\uE012', ArrowUp: '\uE013',
  ArrowRight: '\uE014', ArrowDown: '\uE015', Space: ' ',
};
const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';

function startProcess(command, args, env) {
  const child = spawn(command, args, { env: { ...process.env, ...env }, stdio: ['ignore', 'pipe', 'pipe'] });
  child.stderr.on('data', () => {});
  return child;
}

async function launchWebKit() {
  const xvfb = startProcess('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x900x24', '-nolisten', 'tcp']);
  const displayNumber = await new Promise((resolve, reject) => {
    xvfb.stdout.once('data', (d) => resolve(String(d).trim()));
    xvfb.once('exit', () => reject(new Error('Xvfb did not start')));
  });
  const port = 20000 + (process.pid % 20000);
  const driver = startProcess('WebKitWebDriver', [`--port=${port}`], { DISPLAY: `:${displayNumber}` });
  const stop = () => { driver.kill(); xvfb.kill(); };
  process.once('exit', stop);
  const call = async (method, path, body, timeout = 60000) => {
    for (let attempt = 0; ; ++attempt) {
      try {
        const response = await fetch(`http://127.0.0.1:${port}${path}`, {
          method, headers: { 'content-type': 'application/json' },
          body: body && JSON.stringify(body), signal: AbortSignal.timeout(timeout),
        });
        const { value } = await response.json();
        if (value?.error) throw Object.assign(new Error(`${value.error}: ${value.message}`), { webdriver: value });
        return value;
      } catch (error) {
        // The driver takes a moment to listen.
        if (error.cause?.code !== 'ECONNREFUSED' || attempt > 100) throw error;
        await new Promise((r) => setTimeout(r, 50));
      }
    }
  };
  const capabilities = { alwaysMatch: { 'webkitgtk:browserOptions': {
    binary: executables.webkit, args: ['--automation'] } } };
  // A MiniBrowser takes a second or two to start: a closed page leaves its
  // window for the next, which loads a page of its own into it.
  const first = await call('POST', '/session', { capabilities });
  let idle = first.sessionId;
  return {
    version: `MiniBrowser/WebKitGTK ${first.capabilities.browserVersion}`,
    async open({ width = 574, height = 353, realTime = false } = {}) {
      const copy = hookedCopy(!realTime);
      const sessionId = idle ?? (await call('POST', '/session', { capabilities })).sessionId;
      idle = null;
      const at = `/session/${sessionId}`;
      const evaluate = (fn, arg, timeout) => call('POST', `${at}/execute/sync`,
        { script: `return (${fn}).apply(null, arguments)`, args: arg === undefined ? [] : [arg] }, timeout);
      // The window's outer size, toolbar and all; the page fits whatever it gets.
      await call('POST', `${at}/window/rect`, { width, height: height + 80 });
      await call('POST', `${at}/url`, { url: copy.url });
      await waitReady(evaluate);
      // Without a window manager nothing gives the window the keyboard focus,
      // and a page without it matches no :focus.
      const display = { ...process.env, DISPLAY: `:${displayNumber}` };
      for (const id of execFileSync('xdotool', ['search', '--onlyvisible', '--class', 'MiniBrowser'],
        { env: display }).toString().trim().split('\n')) {
        execFileSync('xdotool', ['windowfocus', '--sync', id], { env: display });
      }
      const find = async (selector) =>
        (await call('POST', `${at}/element`, { using: 'css selector', value: selector }))[ELEMENT];
      const actions = (list) => call('POST', `${at}/actions`, { actions: list })
        .finally(() => call('DELETE', `${at}/actions`));
      const keyActions = (keys) => [{ type: 'key', id: 'keyboard', actions: keys }];
      return session({
        evaluate,
        click: async (selector) => actions([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' },
          actions: [{ type: 'pointerMove', origin: { [ELEMENT]: await find(selector) }, x: 0, y: 0 },
            { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }]),
        press: (keys) => {
          const parts = keyParts(keys).map((k) => webdriverKeys[k] ?? k);
          return actions(keyActions([...parts.map((value) => ({ type: 'keyDown', value })),
            ...parts.reverse().map((value) => ({ type: 'keyUp', value }))]));
        },
        type: (text) => actions(keyActions([...text].flatMap((value) =>
          [{ type: 'keyDown', value }, { type: 'keyUp', value }]))),
        screenshot: async (path) =>
          writeFileSync(path, Buffer.from(await call('GET', `${at}/screenshot`), 'base64')),
        requests: () => [],
        close: async () => { idle = sessionId; },
      }, copy.url, copy.remove);
    },
    // The next page in a MiniBrowser of its own, with a new web process.
    async fresh() {
      if (idle) await call('DELETE', `/session/${idle}`).catch(() => {});
      idle = null;
    },
    async close() {
      if (idle) await call('DELETE', `/session/${idle}`).catch(() => {});
      stop();
    },
  };
}

export const launchEngine = () => (engine === 'webkit' ? launchWebKit() : launchPuppeteer());

// What the tests ask of any session.
export const state = (session) => session.evaluate(() => window.quarvel.state());
export const tick = (session, n = 1) => session.evaluate((count) => window.quarvel.tick(count), n);
export const value = (session, id) => session.evaluate((box) => document.getElementById(box).value, id);

// Replaces a box's text by typing it, a key at a time, as a user would.
export async function typeInto(session, id, text) {
  await session.click(`#${id}`);
  await session.press('Control+a');
  if (text === '') await session.press('Backspace');
  else await session.type(text);
}

// Whether the focused element shows where the focus is: an outline or a shadow.
export const focusRing = (session) => session.evaluate(() => {
  const style = getComputedStyle(document.activeElement);
  return (style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) > 0) || style.boxShadow !== 'none';
});

// Waits, in real time, for what a browser does in a task of its own.
export async function waitFor(session, condition, ms = 2000) {
  const end = Date.now() + ms;
  while (!(await session.evaluate(condition)) && Date.now() < end) await new Promise((r) => setTimeout(r, 20));
}
