// The page's main cases in the engine QUARVEL_ENGINE names (Chromium,
// Firefox ESR or WebKitGTK), written once over the driver interface of
// engines.mjs: it opens clean, counts, lights, gathers, shows the field,
// refuses a Start with a notice that Enter closes, walks the Tab order with
// a visible focus ring, closes, fits its captions, breaks none of axe's
// rules, and asks the network for nothing throughout. Playwright's suite goes deeper in Chromium alone.
import { after, before, it } from 'node:test';
import assert from 'node:assert/strict';
import { focusRing, launchEngine, state, tick, typeInto, value, waitFor } from './engines.mjs';
import { violations } from './axe.mjs';
import { controlProblems, labelProblems } from './fit.mjs';
import { captions, initialTexts, inkNear, tabOrder, title, words } from './harness.mjs';

let browser;
before(async () => { browser = await launchEngine(); });
after(async () => { await browser?.close(); });

// Every case ends with no script or console error and no request made.
const check = (name, body) => it(name, async () => {
  const session = await browser.open();
  try {
    await body(session);
    assert.deepEqual(await session.errors(), [], 'no script or console error');
    assert.deepEqual(await session.requests(), [], 'no request');
  } finally {
    await session.close();
  }
});

it('the engine starts', (t) => t.diagnostic(browser.version));

check('opens with its title, texts and captions, and nothing running', async (session) => {
  assert.equal(await session.evaluate(() => document.title), title);
  // Landmark and heading, for a screen reader's lists of both.
  assert.equal(await session.evaluate(() => document.querySelector('main h1')?.textContent), title);
  assert.equal(await session.evaluate(() => document.querySelector('main #form1') !== null), true);
  for (const [box, text] of Object.entries(initialTexts)) assert.equal(await value(session, box), text, box);
  for (const button of ['Command1', 'Command2', 'Command4', 'Command5']) {
    assert.equal(await session.evaluate((id) => document.getElementById(id).textContent, button), captions[button]);
  }
  const s = await state(session);
  assert.deepEqual([s.electronCount, s.holeCount, s.timer1Enabled, s.ended], [0, 0, false, false]);
});

check('Start counts 30 and 30 at the load texts, light fills to 99 and 99, a tick shows them', async (session) => {
  await session.click('#Command1');
  let s = await state(session);
  assert.deepEqual([s.timer1Enabled, s.electronCount, s.holeCount, s.line3Y1], [true, 30, 30, 2520]);
  await session.click('#Command5');
  s = await state(session);
  assert.deepEqual([s.electronCount, s.holeCount, s.electrons.length, s.holes.length], [99, 99, 99, 99]);
  await tick(session, 1);
  s = await state(session);
  assert.equal(await value(session, 'Text3'), String(s.electronCount));
  assert.equal(await value(session, 'Text6'), String(s.holeCount));
});

check('diffusion gathers the live carriers at the middle', async (session) => {
  await session.click('#Command1');
  await tick(session, 10);
  const before = await state(session);
  await session.click('#Command4');
  const s = await state(session);
  assert.deepEqual([s.electrons.length, s.holes.length], [before.electronCount, before.holeCount]);
  assert.ok([...s.electrons, ...s.holes].every((c) => c.left === 2700), 'all at 2700');
});

check('the check box shows and hides the polarity marks', async (session) => {
  await session.click('#Check1-label');
  assert.deepEqual((await state(session)).line7Visible, Array(6).fill(true));
  await session.runFor(50);
  assert.ok(await inkNear(session, 'surface', 1080, 1080), 'the minus mark is painted');
  assert.ok(await inkNear(session, 'surface', 4320, 3900), 'the plus mark is painted');
  await session.click('#Check1');
  assert.deepEqual((await state(session)).line7Visible, Array(6).fill(false));
  await session.runFor(50);
  assert.ok(!(await inkNear(session, 'surface', 1080, 1080)), 'the minus mark is gone');
});

check('a refused Start: a ringed OK, Enter closes it, the box has the focus and its text selected',
  async (session) => {
    await session.click('#Command1');
    await tick(session, 5);
    await typeInto(session, 'Text1', 'abc');
    await session.click('#Command1');
    await session.runFor(0);  // the notice opens once the handler has returned
    assert.equal(await session.evaluate(() => document.getElementById('notice').open), true);
    const text = await session.evaluate(() => document.getElementById('notice-text').textContent);
    assert.ok(text.includes(captions.Label1) && text.includes('4436'), text);
    assert.equal(await session.focused(), 'notice-ok');
    assert.ok(await focusRing(session), 'OK shows a focus ring');
    const during = (await state(session)).chartPoints;
    await session.press('Enter');
    await waitFor(session, () => document.activeElement?.id === 'Text1');
    assert.equal(await session.evaluate(() => document.getElementById('notice').open), false);
    assert.deepEqual(await session.evaluate(() => [document.activeElement.selectionStart,
      document.activeElement.selectionEnd]), [0, 3]);
    await session.runFor(200);
    const s = await state(session);
    assert.ok(s.chartPoints >= during + 3, 'the run goes on');
    assert.equal(s.temperature, 300, 'Enter restarted nothing');
  });

check('Tab walks the layout order from Start, each control ringed, and Shift+Tab walks back',
  async (session) => {
    assert.equal(await session.focused(), 'Command1');
    for (const id of tabOrder) {
      await session.press('Tab');
      assert.equal(await session.focused(), id);
      assert.ok(await focusRing(session), `${id} shows a focus ring`);
    }
    for (let i = tabOrder.length - 2; i >= 0; --i) {
      await session.press('Shift+Tab');
      assert.equal(await session.focused(), tabOrder[i]);
    }
  });

check('Close stops the run, disables every control and gives the focus to its message', async (session) => {
  await session.click('#Command1');
  await session.runFor(300);
  await session.click('#Command2');
  const ended = await state(session);
  assert.deepEqual([ended.ended, ended.timer1Enabled], [true, false]);
  // The window's controls; the page's menu still hands out what the run recorded.
  const controls = [...Object.keys(initialTexts), 'Command1', 'Command2', 'Command4', 'Command5', 'Check1'];
  assert.deepEqual(await session.evaluate((ids) => ids.filter((id) => !document.getElementById(id).disabled),
    controls), []);
  const message = await session.evaluate(() => {
    const e = document.getElementById('ended');
    return { shown: e.getClientRects().length > 0, text: e.textContent };
  });
  assert.ok(message.shown && message.text.includes(words.ended), JSON.stringify(message));
  assert.equal(await session.focused(), 'ended');
  await session.runFor(2500);
  assert.equal((await state(session)).chartPoints, ended.chartPoints, 'no tick after Close');
});

check('every caption fits its box', async (session) => {
  assert.deepEqual(await labelProblems(session), []);
  assert.deepEqual(await controlProblems(session), []);
});

check('axe finds nothing before Start, during a run, with the notice open, or after Close', async (session) => {
  const seen = {};
  seen['before Start'] = await violations(session);
  await session.click('#Command1');
  await session.runFor(1000);
  seen['during a run'] = await violations(session);
  await typeInto(session, 'Text1', 'abc');
  await session.click('#Command1');
  await session.runFor(0);
  seen['the notice open'] = await violations(session);
  await session.press('Escape');
  await session.click('#Command2');
  await session.runFor(10);
  seen['after Close'] = await violations(session);
  assert.deepEqual(seen, { 'before Start': [], 'during a run': [], 'the notice open': [], 'after Close': [] });
});
