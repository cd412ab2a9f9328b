// WebKitGTK's web process once died 1 to 3 s after Light on a loaded
// machine, in WebKit's compositor thread inside Mesa's software GL. Start,
// Light and 3 s of run in real time, again and again, with the page
// answering at the end of each round and the chart still growing; every
// other round in a new MiniBrowser with a new web process, as the crashes
// were seen, the others in the same one. QUARVEL_ROUNDS sets how many.
import { after, before, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { launchEngine, state } from './engines.mjs';

const rounds = Number(process.env.QUARVEL_ROUNDS || 12);

// Where the web process died, as the kernel logged it (thread and library).
const lastSegfault = () => {
  try {
    return execFileSync('dmesg', [], { encoding: 'utf8' }).split('\n').filter((l) => /segfault/.test(l)).at(-1)
      ?? 'none logged';
  } catch {
    return 'the kernel log is not readable here';
  }
};
const RUN_MS = 3000;

let browser;
before(async () => { browser = await launchEngine(); });
after(async () => { await browser?.close(); });

it(`${rounds} rounds of Start, Light and ${RUN_MS / 1000} s of run, the page alive after each`, async () => {
  let session;
  for (let round = 1; round <= rounds; ++round) {
    if (round % 2 === 1) {
      await session?.close();
      await browser.fresh?.();
      session = await browser.open({ realTime: true });
    }
    await session.click('#Command1');
    await session.click('#Command5');
    const lit = await state(session);
    await new Promise((resolve) => setTimeout(resolve, RUN_MS));
    // A dead web process answers no script: the driver reports an error or
    // the call times out.
    const s = await session.evaluate(() => window.quarvel.state(), undefined, 10000).catch((error) => {
      throw new Error(`round ${round}: the page does not answer (${error.message}); ` +
        `the kernel's last word on a crash: ${lastSegfault()}`);
    });
    assert.ok(s.chartPoints > lit.chartPoints + RUN_MS / 50 / 4 || s.chartPoints < lit.chartPoints,
      `round ${round}: the run goes on (${lit.chartPoints} then ${s.chartPoints} chart points)`);
    assert.equal(s.timer1Enabled, true, `round ${round}`);
    assert.deepEqual(await session.errors(), [], `round ${round}`);
  }
  await session.close();
});
