// Random input to the page in real time, the way a class uses it: clicks and
// taps on every control, the keys that move, press and zoom, and hostile
// texts typed or pasted into every box. Throughout, no script or console
// error, and a run once started never stops unless Close was pressed (then
// the page is opened anew). Afterwards a Start at the load texts counts as a
// fresh page does. A failure names the seed and the last events.
//
// Replay: QUARVEL_FUZZ_SEED=<seed> QUARVEL_FUZZ_EVENTS=<n>.
import { after, before, it } from 'node:test';
import assert from 'node:assert/strict';
import { engine, launchEngine, state, typeInto } from './engines.mjs';
import { initialTexts } from './harness.mjs';
import { randomText, seeded } from './random-text.mjs';

const seed = Number(process.env.QUARVEL_FUZZ_SEED || 20261209);
const events = Number(process.env.QUARVEL_FUZZ_EVENTS || 2000);
const CHECK_EVERY = 40;

const boxes = ['Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Text7'];
const targets = [...boxes, 'Command1', 'Command4', 'Command5', 'Check1', 'Check1-label', 'Picture1'];
const keys = ['Tab', 'Shift+Tab', 'Enter', 'Space', 'Escape', 'ArrowLeft', 'ArrowRight', 'ArrowUp',
  'ArrowDown', 'Backspace', 'Control++', 'Control+=', 'Control+-', 'Control+0', 'Home', 'End'];

let browser;
before(async () => { browser = await launchEngine(); });
after(async () => { await browser?.close(); });

const openPage = () => browser.open({ realTime: true, hasTouch: engine === 'chromium' });

it(`${events} random events, seed ${seed}`, async (t) => {
  const random = seeded(seed);
  const pick = (list) => list[Math.floor(random() * list.length)];
  const recent = [];
  let session = await openPage();
  let started = false;
  let last = '';
  let reopened = 0;
  const began = Date.now();
  // The page as the invariants see it; `ended` after Close.
  const check = async () => {
    assert.deepEqual(await session.errors(), [], 'no script or console error');
    let s = await state(session);
    if (s.ended) {
      assert.equal(s.timer1Enabled, false, 'Close stops the run');
      return true;
    }
    // A tick is due every 50 ms; a busy machine is given a second.
    for (const end = Date.now() + 1000; started && !s.paused && JSON.stringify(s) === last && Date.now() < end;) {
      await new Promise((resolve) => setTimeout(resolve, 50));
      s = await state(session);
    }
    const now = JSON.stringify(s);
    // The page menu's Pause, reached by keys, stops a run on purpose.
    if (started && !s.paused) {
      assert.equal(s.timer1Enabled, true, 'the run goes on');
      assert.notEqual(now, last, 'the timer ticks: the state moves');
    }
    started ||= s.timer1Enabled;
    last = now;
    return false;
  };
  const steps = [
    [6, async () => { const id = pick(targets); await session.click(`#${id}`); return `click ${id}`; }],
    [3, async () => { const id = pick(targets); await session.tap(`#${id}`); return `tap ${id}`; }],
    [6, async () => { const key = pick(keys); await session.press(key); return `key ${key}`; }],
    [4, async () => {
      const id = pick(boxes);
      const text = randomText(random);
      await typeInto(session, id, text.length > 40 ? '' : text);
      if (text.length > 40) await session.paste(text);
      return `${text.length > 40 ? 'paste' : 'type'} ${JSON.stringify(text)} into ${id}`;
    }],
    [1, async () => { await session.press(pick(['Enter', 'Space'])); return 'press the focused control'; }],
    // Close, rarely: the page ends and a fresh one carries on.
    [0.02, async () => { await session.click('#Command2'); return 'click Command2'; }],
  ];
  const total = steps.reduce((sum, [weight]) => sum + weight, 0);
  const next = () => {
    let r = random() * total;
    for (const [weight, step] of steps) if ((r -= weight) < 0) return step;
    return steps[0][1];
  };
  try {
    for (let i = 0; i < events; ++i) {
      recent.push(`${i}: ${await next()()}`);
      if (recent.length > 12) recent.shift();
      if (i % CHECK_EVERY === CHECK_EVERY - 1 && (await check())) {
        await session.close();
        session = await openPage();
        [started, last] = [false, ''];
        ++reopened;
      }
    }
    await check();
    // The load texts, Start, and the counts read before any tick can move them.
    await session.press('Escape');
    for (const box of ['Text4', 'Text5', 'Text1', 'Text2']) await typeInto(session, box, initialTexts[box]);
    const counts = await session.evaluate(() => {
      document.getElementById('Command1').click();
      const s = window.quarvel.state();
      return [s.electronCount, s.holeCount];
    });
    assert.deepEqual(counts, [30, 30], 'a Start at the load texts counts as on a fresh page');
    await check();
  } catch (error) {
    error.message = `seed ${seed}, after ${recent.at(-1)}: ${error.message}\nlast events:\n  ` +
      `${recent.join('\n  ')}\nreplay: QUARVEL_FUZZ_SEED=${seed} QUARVEL_FUZZ_EVENTS=${events}`;
    throw error;
  } finally {
    await session.close();
  }
  t.diagnostic(`${events} events in ${((Date.now() - began) / 1000).toFixed(1)} s, ${reopened} Close`);
});
