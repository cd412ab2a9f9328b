// Every caption fits its box with the fonts the page brings along, also in
// a browser that has no font of its own, as on a Chromebook, an iPad or
// Windows that lack the fonts this machine has.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { controlProblems, labelProblems, undrawn } from './fit.mjs';
import { build, japanese, launchBrowser, openPage } from './harness.mjs';

// The chart's title stands as two lines in both builds; in Japanese as a
// narrow column of two characters a line.
const twoLineLabels = japanese
  ? { Label10: ['電子', '濃度'] }
  : { Label10: ['Electron', 'Density'] };

for (const bareFonts of [true, false]) {
  describe(bareFonts ? 'in a browser with no fonts of its own' : "with this machine's fonts", () => {
    let browser;
    before(async () => { browser = await launchBrowser({ bareFonts }); });
    after(async () => { await browser?.close(); });

    it('the bundled fonts are loaded and draw every caption', async () => {
      const { page, close } = await openPage(browser);
      const faces = await page.evaluate(async () => {
        await document.fonts.ready;
        return [...document.fonts].map((f) => [f.family, f.status]);
      });
      assert.ok(faces.length > 0, 'the page bundles its fonts');
      for (const [family, status] of faces) assert.equal(status, 'loaded', family);
      assert.deepEqual(await undrawn(page), []);
      await close();
    });

    it('every caption fits its box', async () => {
      const { page, close } = await openPage(browser);
      assert.deepEqual(await labelProblems(page), []);
      assert.deepEqual(await controlProblems(page), []);
      const lines = Object.fromEntries((await page.evaluate(() => window.quarvel.labels()))
        .map((l) => [l.name, l.lines]));
      for (const [name, expected] of Object.entries(twoLineLabels)) {
        assert.deepEqual(lines[name], expected, name);
      }
      await close();
    });

    if (bareFonts) {
      it('a picture of it goes with the others', async () => {
        const { page, close } = await openPage(browser);
        await page.clock.runFor(20);
        const pictures = process.env.QUARVEL_SCREENSHOTS || process.cwd();
        await page.screenshot({ path: join(pictures, `${build}-no-system-fonts.png`) });
        await close();
      });
    }
  });
}
