// The accessibility rules a school checks, by axe-core, before Start, during
// a run, with the notice of a refused Start open, and after Close. The one
// accepted finding is axe's `tabindex` rule: the positive tab indexes are
// the window's specified tab order, kept on purpose.
import { after, before, it } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { launchEngine, typeInto } from './engines.mjs';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const ACCEPTED = ['tabindex'];

let browser;
before(async () => { browser = await launchEngine(); });
after(async () => { await browser?.close(); });

// The rules broken, each with the elements that break it. axe waits on
// timers of its own, so it runs on the browser's clock.
const violations = async (session) => {
  await session.evaluate((source) => { if (!window.axe) (0, eval)(source); }, axeSource);
  return session.evaluate(() => window.__test.realTime(async () =>
    (await window.axe.run(document, { resultTypes: ['violations'] })).violations
      .map((v) => ({ rule: v.id, nodes: v.nodes.map((n) => n.target.join(' ')) }))));
};

it('no violation before Start, during a run, with the notice open, or after Close', async () => {
  const session = await browser.open();
  try {
    const seen = {};
    const record = async (when) => {
      seen[when] = (await violations(session)).filter((v) => !ACCEPTED.includes(v.rule));
    };
    await record('before Start');
    await session.click('#Command1');
    await session.runFor(1000);
    await record('during a run');
    await typeInto(session, 'Text1', 'abc');
    await session.click('#Command1');
    await session.runFor(0);
    await record('the notice open');
    await session.press('Escape');
    await session.click('#Command2');
    await session.runFor(10);
    await record('after Close');
    assert.deepEqual(seen, { 'before Start': [], 'during a run': [], 'the notice open': [], 'after Close': [] });
    assert.deepEqual(await session.errors(), []);
  } finally {
    await session.close();
  }
});
