// High-contrast themes: with forced colours on, light and dark, every
// caption, line, carrier and the chart stand out from what lies behind
// them, measured on screenshots (4.5:1 for text, 3:1 for graphics); with
// them off the painted ink is the designed black.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import {
  FORM_HEIGHT, FORM_WIDTH, TWIPS_PER_PX, build, launchBrowser, openPage, state, tick,
} from './harness.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

const TEXT = 4.5;
const GRAPHIC = 3;
// Twice the design size, so that a glyph's stem covers whole pixels.
const viewport = { width: 2 * FORM_WIDTH, height: 2 * FORM_HEIGHT };
const themes = [
  { name: 'no forced colours', media: { forcedColors: 'none', colorScheme: 'light' } },
  { name: 'forced colours, light', media: { forcedColors: 'active', colorScheme: 'light' } },
  { name: 'forced colours, dark', media: { forcedColors: 'active', colorScheme: 'dark' } },
  { name: 'forced colours, dark, from the load', media: { forcedColors: 'active', colorScheme: 'dark' },
    reload: true },
];
// Graphics in twips of the design: each line's stretch with what lies on
// either side of it, both bands' carriers and the chart's trace after a run.
const graphics = {
  'Fermi line': [2000, 2460, 1000, 120],
  'conduction band edge': [2000, 1860, 1000, 75],
  'valence band edge': [2000, 3120, 1000, 75],
  electrons: [1440, 360, 2655, 1560],
  holes: [1440, 3135, 2655, 1560],
  'chart trace': [5070, 270, 2595, 1395],
};
// The field's polarity marks, Line7(0) to Line7(5), each with room around it.
const polarityMarks = [[930, 1020, 300, 120], [4170, 1020, 300, 120], [4260, 3810, 120, 300],
  [4170, 3900, 300, 120], [930, 3900, 300, 120], [4260, 930, 120, 300]];
// Captions the browser draws, over their own controls, and the menu's icon.
const controls = ['Command1', 'Command2', 'Command4', 'Command5', 'Check1-label', 'Text1', 'Text2',
  'Text3', 'Text4', 'Text5', 'Text6', 'Text7', 'menu-button'];

// For each region of a PNG (device pixels), the contrast ratio between its
// commonest colour, what stands behind, and the pixel that differs most
// from it; and whether that pixel is pure black. Decoded in a blank page.
async function inkContrasts(context, png, regions) {
  const blank = await context.newPage();
  const result = await blank.evaluate(async ([data, boxes]) => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    const ctx = canvas.getContext('2d');
    ctx.drawImage(image, 0, 0);
    const linear = (v) => (v / 255 <= 0.04045 ? v / 255 / 12.92 : ((v / 255 + 0.055) / 1.055) ** 2.4);
    const luminance = (c) => 0.2126 * linear(c >> 16) + 0.7152 * linear((c >> 8) & 255) + 0.0722 * linear(c & 255);
    const ratio = (a, b) => {
      const [x, y] = [luminance(a), luminance(b)];
      return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
    };
    return Object.fromEntries(Object.entries(boxes).map(([name, [x, y, w, h]]) => {
      const { data: px } = ctx.getImageData(Math.round(x), Math.round(y), Math.round(w), Math.round(h));
      const counts = new Map();
      for (let i = 0; i < px.length; i += 4) {
        const c = (px[i] << 16) | (px[i + 1] << 8) | px[i + 2];
        counts.set(c, (counts.get(c) ?? 0) + 1);
      }
      const back = [...counts.entries()].reduce((a, b) => (b[1] > a[1] ? b : a))[0];
      let best = 1;
      let ink = back;
      for (const c of counts.keys()) {
        if (ratio(c, back) > best) [best, ink] = [ratio(c, back), c];
      }
      return [name, { ratio: best, black: ink === 0 }];
    }));
  }, [png.toString('base64'), regions]);
  await blank.close();
  return result;
}

describe('contrast', () => {
  for (const theme of themes) {
    it(`every caption, line, carrier and the chart stand out: ${theme.name}`, async (t) => {
      const { page, context, close, errors } = await openPage(browser, viewport);
      // Switched while the page is open, as a user switches a theme, or
      // in force before the page opens.
      await page.emulateMedia(theme.media);
      if (theme.reload) {
        await page.reload();
        await page.waitForFunction(() => window.quarvel?.state());
      }
      await page.click('#Command1');
      await page.click('#Check1-label');
      await tick(page, 200);
      await page.clock.runFor(60);
      const { line7Visible } = await state(page);
      assert.ok(line7Visible.some((v) => v), 'the field shows its marks');
      const form = await page.locator('#form1').boundingBox();
      const scale = form.width / FORM_WIDTH;
      const design = ([left, top, width, height]) =>
        [form.x + (left / TWIPS_PER_PX) * scale, form.y + (top / TWIPS_PER_PX) * scale,
          (width / TWIPS_PER_PX) * scale, (height / TWIPS_PER_PX) * scale];
      const text = {};
      for (const label of await page.evaluate(() => window.quarvel.labels())) {
        text[label.name] = design([label.left, label.top, label.width, label.height].map((v) => v * TWIPS_PER_PX));
      }
      for (const id of controls) {
        const box = await page.locator(`#${id}`).boundingBox();
        text[id] = [box.x + 2, box.y + 2, box.width - 4, box.height - 4];  // inside the border
      }
      const regions = { ...text };
      const shown = { ...graphics };
      line7Visible.forEach((visible, i) => visible && (shown[`polarity mark ${i}`] = polarityMarks[i]));
      for (const [name, place] of Object.entries(shown)) regions[name] = design(place);
      const png = await page.screenshot({ path: join(process.env.QUARVEL_SCREENSHOTS || process.cwd(),
        `${build}-contrast-${theme.media.forcedColors}-${theme.media.colorScheme}${theme.reload ? '-load' : ''}.png`) });
      const measured = await inkContrasts(context, png, regions);
      const least = (names) => Math.min(...names.map((n) => measured[n].ratio));
      t.diagnostic(`least text ${least(Object.keys(text)).toFixed(1)}:1, ` +
        `least graphic ${least(Object.keys(shown)).toFixed(1)}:1, ` +
        `Fermi line ${least(['Fermi line']).toFixed(1)}:1, captions painted ` +
        `${least(Object.keys(text).filter((n) => n.startsWith('Label'))).toFixed(1)}:1`);
      for (const [name, { ratio }] of Object.entries(measured)) {
        const needed = name in text ? TEXT : GRAPHIC;
        assert.ok(ratio >= needed, `${name}: ${ratio.toFixed(2)}:1 is under ${needed}:1`);
      }
      if (theme.media.forcedColors === 'none') {
        for (const name of [...Object.keys(text).filter((n) => n.startsWith('Label')), 'Fermi line']) {
          assert.ok(measured[name].black, `${name} is painted in black`);
        }
      }
      assert.deepEqual(errors, []);
      await close();
    });
  }
});
