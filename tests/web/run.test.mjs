// The simulation as a user drives it with the mouse: Start at given Fermi
// levels and dopings, the experiments, the field marks, light, the tick and
// readout timers, and the doping boxes' quiet hint.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import {
  inkNear, launchBrowser, openPage, state, tick, typeInto, valueOf, viewports, words,
} from './harness.mjs';

const CONDUCTION_EDGE = 1800;
const VALENCE_EDGE = 3120;

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

// Every case at 1x; at the projector's size those whose outcome hangs on
// where things stand on the screen: clicks through the scaling, painting.
for (const viewport of viewports) {
  const every = viewport === viewports[0];
  describe(`at ${viewport.name}`, () => {
    let session;
    const open = async () => { session = await openPage(browser, viewport); return session.page; };
    const closeSession = async () => {
      assert.deepEqual(session.errors, [], 'no script error on the page');
      await session.close();
    };

    // Start's counts and Fermi line from the boxes as the user leaves them,
    // then light, which fills the band that is ahead (electrons to 90, else
    // holes to 99) and adds as many of the other kind. Counts are read before
    // any tick can change them.
    const starts = [
      { name: 'the load texts', type: {}, fermi: '0.5', counts: [30, 30], lineY: 2520, light: [99, 99] },
      { name: 'Fermi level 0', type: { Text2: '0' }, fermi: '0', counts: [0, 60], lineY: 3120,
        light: [39, 99] },
      { name: 'Fermi level 1', type: { Text2: '1' }, fermi: '1', counts: [60, 0], lineY: 1920,
        light: [90, 30] },
      { name: 'ND 1e16 with NA 1e10', type: { Text4: '1e16' }, fermi: '0.7', counts: [42, 18],
        lineY: 2280, light: [90, 66] },
    ];
    for (const start of every ? starts : starts.slice(0, 1)) {
      it(`Start and light at ${start.name}`, async () => {
        const page = await open();
        for (const [box, text] of Object.entries(start.type)) await typeInto(page, box, text);
        assert.equal(await valueOf(page, 'Text2'), start.fermi);
        // The Fermi line stays where the load put it until Start.
        assert.equal((await state(page)).line3Y1, 2520);
        await page.click('#Command1');
        let s = await state(page);
        assert.equal(s.timer1Enabled, true);
        assert.deepEqual([s.electronCount, s.holeCount], start.counts);
        assert.deepEqual([s.line3Y1, s.line3Y2, s.fermiLevelY], [start.lineY, start.lineY, start.lineY]);
        assert.equal(s.temperature, 300);
        assert.deepEqual([s.electrons.length, s.holes.length], start.counts);
        for (const e of s.electrons) {
          assert.equal(e.top, CONDUCTION_EDGE);
          assert.ok(e.left >= 1400 && e.left < 3900, `electron at ${e.left}`);
        }
        for (const h of s.holes) assert.equal(h.top, VALENCE_EDGE);

        await page.click('#Command5');
        s = await state(page);
        assert.deepEqual([s.electronCount, s.holeCount], start.light);
        assert.deepEqual([s.electrons.length, s.holes.length], start.light);
        for (const e of s.electrons.slice(start.counts[0])) assert.equal(e.top, CONDUCTION_EDGE);
        for (const h of s.holes.slice(start.counts[1])) assert.equal(h.top, VALENCE_EDGE);
        // A second press finds the band already full.
        await page.click('#Command5');
        s = await state(page);
        assert.deepEqual([s.electronCount, s.holeCount], start.light);

        // The next tick writes its counts into the readouts.
        await tick(page, 1);
        const t = await state(page);
        assert.equal(await valueOf(page, 'Text3'), String(t.electronCount));
        assert.equal(await valueOf(page, 'Text6'), String(t.holeCount));
        assert.equal(t.chartPoints, s.chartPoints + 1);
        await closeSession();
      });
    }

    if (every) it('Timer1 ticks every 50 ms once Start enables it; Timer2 shows the current', async () => {
      const page = await open();
      await page.fill('#Text7', 'abc');
      await session.runFor(1000);
      let s = await state(page);
      assert.equal(s.timer1Enabled, false);
      assert.equal(s.chartPoints, 0);
      assert.equal(await valueOf(page, 'Text3'), '0');
      await session.runFor(1000);  // two seconds since load have passed
      assert.equal(await valueOf(page, 'Text7'), '0');
      await page.click('#Command1');
      const started = (await state(page)).chartPoints;
      await session.runFor(1000);
      s = await state(page);
      assert.ok(Math.abs(s.chartPoints - started - 20) <= 1, `${s.chartPoints - started} ticks in 1 s`);
      // The chart shows the last tick's point, x = ChartX before its step of 2
      // and y = 1380 - 14 x electrons, in its 2595 x 1395 drawing area.
      await session.runFor(17);
      const y = 1380 - 14 * s.electronCount;
      assert.ok(await inkNear(page, 'Picture1', s.chartX - 2, y, 2595, 1395), 'the last point is plotted');
      assert.ok(!(await inkNear(page, 'Picture1', 2000, y, 2595, 1395)), 'nothing ahead of the sweep');
      await closeSession();
    });

    // A busy page lets ticks fall due unserved; they are merged, never caught up.
    if (every) it('ticks that fall due while the page is busy come as one', async () => {
      session = await openPage(browser, { ...viewport, realTime: true });
      const { page } = session;
      await page.click('#Command1');
      const { ticks, since } = await page.evaluate(async () => {
        const points = () => window.quarvel.state().chartPoints;
        const before = points();
        const start = performance.now();
        while (performance.now() - start < 500);  // ten ticks fall due
        const idle = performance.now();
        await new Promise((resolve) => setTimeout(resolve, 20));
        return { ticks: points() - before, since: performance.now() - idle };
      });
      // One merged tick, and those that fell due since, however slow the machine.
      assert.ok(ticks >= 1 && ticks <= 2 + Math.floor(since / 50), `${ticks} ticks in the ${since} ms after`);
      await closeSession();
    });

    if (every) it('diffusion gathers the live carriers at the middle; a restart reads the boxes', async () => {
      const page = await open();
      await page.click('#Command1');
      await tick(page, 10);
      const before = await state(page);
      await page.click('#Command4');
      let s = await state(page);
      assert.deepEqual([s.electrons.length, s.holes.length], [before.electronCount, before.holeCount]);
      assert.deepEqual(s.electrons.map((e) => e.left), s.electrons.map(() => 2700));
      assert.deepEqual(s.holes.map((h) => h.left), s.holes.map(() => 2700));
      // Heights are kept.
      assert.deepEqual(s.electrons.map((e) => e.top), before.electrons.map((e) => e.top));
      assert.deepEqual(s.holes.map((h) => h.top), before.holes.map((h) => h.top));
      await tick(page, 3);
      s = await state(page);
      assert.ok(s.electrons.some((e) => e.left !== 2700), 'the next ticks spread them again');

      await typeInto(page, 'Text2', '0.375');
      await page.click('#Command1');
      s = await state(page);
      assert.deepEqual([s.line3Y1, s.electronCount, s.holeCount], [2670, 22, 38]);  // ties to even
      assert.ok(s.electrons.every((e) => e.left !== 2700), 'the restart places the carriers anew');
      await closeSession();
    });

    it('the check box shows and hides all six polarity marks', async () => {
      const page = await open();
      await page.click('#Check1-label');
      assert.equal(await page.isChecked('#Check1'), true);
      assert.deepEqual((await state(page)).line7Visible, [true, true, true, true, true, true]);
      await session.runFor(50);
      // Line7(0), the minus left of the conduction band, and Line7(2), the
      // upright of the plus right of the valence band.
      assert.ok(await inkNear(page, 'surface', 1080, 1080), 'the minus mark is painted');
      assert.ok(await inkNear(page, 'surface', 4320, 3900), 'the plus mark is painted');
      await page.click('#Check1');
      assert.equal(await page.isChecked('#Check1'), false);
      assert.deepEqual((await state(page)).line7Visible, [false, false, false, false, false, false]);
      await session.runFor(50);
      assert.ok(!(await inkNear(page, 'surface', 1080, 1080)), 'the minus mark is gone');
      await closeSession();
    });

    // Doping the page cannot use, entered at once: the boxes say so quietly
    // and Text2 keeps its text; a usable pair mends them.
    const unusable = [
      { name: 'empty donors', donors: '', acceptors: '1e10' },
      { name: 'a half-typed exponent', donors: '1e', acceptors: '1e10' },
      { name: 'opposite signs', donors: '1e10', acceptors: '-1e10' },
      { name: 'no acceptors', donors: '1e10', acceptors: '0' },
    ];
    if (every) it('the doping boxes tint while they hold no usable pair', async () => {
      const page = await open();
      const look = (box) => page.$eval(`#${box}`, (e) => ({
        incomplete: e.classList.contains('incomplete'),
        title: e.title,
        background: getComputedStyle(e).backgroundColor,
      }));
      const normal = (await look('Text4')).background;
      for (const entry of unusable) {
        await page.fill('#Text5', entry.acceptors);
        await page.fill('#Text4', entry.donors);
        for (const box of ['Text4', 'Text5']) {
          const seen = await look(box);
          assert.deepEqual([seen.incomplete, seen.title], [true, words.dopingHint], `${entry.name}: ${box}`);
          assert.notEqual(seen.background, normal, `${entry.name}: ${box} is tinted`);
        }
        assert.equal(await valueOf(page, 'Text2'), '0.5', entry.name);
        assert.equal(await page.locator('dialog[open]').count(), 0, 'no dialog interrupts the typing');
        assert.equal((await state(page)).ended, false);
        await page.fill('#Text4', '1e10');
        await page.fill('#Text5', '1e10');
        assert.equal(await valueOf(page, 'Text2'), '0.5');
        for (const box of ['Text4', 'Text5']) {
          assert.deepEqual(await look(box), { incomplete: false, title: '', background: normal }, box);
        }
      }
      await closeSession();
    });
  });
}
