// The accessibility rules a school checks, by axe-core, asked of a page in
// any engine. The one accepted finding is axe's `tabindex` rule: the
// positive tab indexes are the window's specified tab order, kept on purpose.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const ACCEPTED = ['tabindex'];

// The rules broken, each with the elements that break it. axe waits on
// timers of its own, so it runs on the browser's clock.
export async function violations(session) {
  await session.evaluate((source) => { if (!window.axe) (0, eval)(source); }, axeSource);
  const found = await session.evaluate(() => window.__test.realTime(async () =>
    (await window.axe.run(document, { resultTypes: ['violations'] })).violations
      .map((v) => ({ rule: v.id, nodes: v.nodes.map((n) => n.target.join(' ')) }))));
  return found.filter((v) => !ACCEPTED.includes(v.rule));
}
