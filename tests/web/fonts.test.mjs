// Every caption fits its box with the fonts the page brings along, also in
// a browser that has no font of its own, as on a Chromebook, an iPad or
// Windows that lack the fonts this machine has.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { build, japanese, launchBrowser, openPage } from './harness.mjs';

// The chart's title stands as two lines in both builds; in Japanese as a
// narrow column of two characters a line.
const twoLineLabels = japanese
  ? { Label10: ['電子', '濃度'] }
  : { Label10: ['Electron', 'Density'] };

// Problems with the painted labels: ink outside the box (the page paints
// line i at its top + its ascent + i x line height) or under a control, which
// stands above the surface; a character lost in the wrapping. The ink, not
// the line box, is what must fit: the 14.25 pt band letters stand in labels
// one line box high less two pixels, as they do on the desktop.
function labelProblems(page) {
  return page.evaluate(() => {
    const problems = [];
    const context = document.createElement('canvas').getContext('2d');
    context.textRendering = 'geometricPrecision';  // as the page paints its labels
    const controls = [...document.querySelectorAll('#form1 > :not(#surface)')].map((c) => ({
      id: c.id, left: c.offsetLeft, top: c.offsetTop, right: c.offsetLeft + c.offsetWidth,
      bottom: c.offsetTop + c.offsetHeight,
    }));
    for (const label of window.quarvel.labels()) {
      context.font = label.font;
      const font = context.measureText('Eg電');
      const lineHeight = font.fontBoundingBoxAscent + font.fontBoundingBoxDescent;
      label.lines.forEach((line, i) => {
        const ink = context.measureText(line);
        const baseline = label.ascent + i * lineHeight;
        const box = { left: -ink.actualBoundingBoxLeft, right: Math.max(ink.width, ink.actualBoundingBoxRight),
          top: baseline - ink.actualBoundingBoxAscent, bottom: baseline + ink.actualBoundingBoxDescent };
        if (box.left < 0 || box.right > label.width || box.top < 0 || box.bottom > label.height) {
          problems.push(`${label.name} "${line}": ink ${JSON.stringify(box)} outside ` +
            `${label.width} x ${label.height}`);
        }
        const [left, right] = [label.left + box.left, label.left + box.right];
        const [top, bottom] = [label.top + box.top, label.top + box.bottom];
        for (const c of controls) {
          if (left < c.right && right > c.left && top < c.bottom && bottom > c.top) {
            problems.push(`${label.name} "${line}" lies under ${c.id}`);
          }
        }
      });
      if (label.lines.join('').replace(/\s/g, '') !== label.caption.replace(/\s/g, '')) {
        problems.push(`${label.name}: ${JSON.stringify(label.lines)} for "${label.caption}"`);
      }
    }
    return problems;
  });
}

// Problems with the windowed controls: a caption or text that overflows
// its control, or that reaches past the control's edges.
function controlProblems(page) {
  return page.evaluate(() => {
    const problems = [];
    const boxes = [...document.querySelectorAll('#form1 button, #Check1-label, #form1 input[type="text"]')];
    for (const element of boxes) {
      const what = `${element.id} "${element.value ?? element.textContent}"`;
      if (element.scrollWidth > element.clientWidth) {
        problems.push(`${what}: ${element.scrollWidth} wide in ${element.clientWidth}`);
      }
      if (element.scrollHeight > element.clientHeight) {
        problems.push(`${what}: ${element.scrollHeight} high in ${element.clientHeight}`);
      }
      if (element.tagName === 'INPUT') continue;
      const range = document.createRange();
      range.selectNodeContents(element);
      const inner = range.getBoundingClientRect();
      const outer = element.getBoundingClientRect();
      if (inner.left < outer.left || inner.right > outer.right || inner.top < outer.top ||
          inner.bottom > outer.bottom) {
        problems.push(`${what}: its text reaches past the control`);
      }
    }
    return problems;
  });
}

// Characters of the captions and texts that their font draws as the
// missing-glyph box: the same picture as a character no font has. Without
// fonts of its own the browser has nothing but the page's faces to draw with.
function undrawn(page) {
  return page.evaluate(() => {
    const texts = window.quarvel.labels().map((l) => [l.name, l.font.replace(/^.*?px\s+/, ''), l.caption]);
    for (const element of document.querySelectorAll('#form1 button, #Check1-label, #form1 input[type="text"]')) {
      texts.push([element.id, getComputedStyle(element).fontFamily, element.value ?? element.textContent]);
    }
    const canvas = document.createElement('canvas');
    canvas.width = 60;
    canvas.height = 60;
    const context = canvas.getContext('2d', { willReadFrequently: true });
    const picture = (families, character) => {
      context.clearRect(0, 0, 60, 60);
      context.font = `40px ${families}`;
      context.fillText(character, 5, 45);
      return context.getImageData(0, 0, 60, 60).data.join();
    };
    const missing = [];
    for (const [name, families, text] of texts) {
      const box = picture(families, '\u{10FFFD}');
      for (const character of new Set(text.replace(/\s/g, ''))) {
        if (picture(families, character) === box) missing.push(`${name}: "${character}" in ${families}`);
      }
    }
    return missing;
  });
}

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
