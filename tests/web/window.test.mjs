// The page as it opens: its title, texts and captions, where every control
// stands at any viewport, what assistive technology hears, that it asks
// the network for nothing, and pictures of it for a person to look at.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { statSync } from 'node:fs';
import { join } from 'node:path';
import {
  FORM_HEIGHT, FORM_WIDTH, TWIPS_PER_PX, bandLetters, build, captions, initialTexts, inkNear,
  japanese, launchBrowser, openPage, pagePath, state, tick, title, viewports,
} from './harness.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

// Left, top, width, height in twips; the Japanese build moves six of them.
const places = {
  Text1: [5520, 2880, 495, 270],
  Text2: [7200, 2160, 495, 270],
  Text3: [7200, 2640, 495, 270],
  Text4: [5280, 2160, 735, 270],
  Text5: [5280, 2400, 735, 270],
  Text6: [7200, 2880, 495, 270],
  Text7: [7200, 3360, 495, 270],
  Command1: [4920, 3840, 1215, 495],
  Command2: [6480, 4440, 1215, 495],
  Command4: [4920, 4440, 1215, 495],
  Command5: [6480, 3840, 1215, 495],
  Picture1: [5040, 240, 2655, 1455],
  'Check1-label': japanese ? [4920, 3240, 1335, 375] : [4800, 3240, 1335, 375],
};
const labelPlaces = {
  Label1: japanese ? [4920, 2880, 615, 255] : [4680, 2880, 855, 255],
  Label3: japanese ? [6240, 2160, 975, 495] : [6240, 2160, 855, 495],
  Label4: [6600, 2640, 735, 255],
  Label5: japanese ? [4920, 1920, 1695, 255] : [4920, 1800, 1935, 375],
  Label6: [4920, 2160, 375, 255],
  Label7: [4920, 2400, 375, 255],
  Label8: [6600, 2880, 735, 255],
  Label9: [7800, 1560, 375, 255],
  Label10: japanese ? [4680, 240, 375, 495] : [4320, 120, 855, 495],
  Label11: japanese ? [6360, 3360, 855, 495] : [6480, 3240, 855, 495],
  Label12: [4920, 1560, 255, 255],
  Label2_0: [960, 1680, 255, 255],
  Label2_1: [960, 3000, 255, 255],
  Label2_2: [1200, 1800, 255, 255],
  Label2_3: [1200, 3120, 255, 255],
  Label2_4: [960, 2400, 255, 255],
  Label2_5: [1200, 2520, 255, 255],
};

const layoutViewports = [
  ...viewports.map((v) => ({ ...v, deviceScaleFactor: 1 })),
  { name: '1x on a 2x screen', width: 574, height: 353, deviceScaleFactor: 2 },
  // A phone lays the window out in blocks of its own (phone.test.mjs); a
  // tall screen on which the window shows at 1x or more keeps it whole.
  { name: 'a tall screen', width: 600, height: 1000, deviceScaleFactor: 3 },
];

const near = (actual, expected, what, tolerance = 1) =>
  assert.ok(Math.abs(actual - expected) <= tolerance, `${what}: ${actual} is not ${expected}`);

describe('as it opens', () => {
  it('shows the title, the initial texts and every caption of the build, and nothing running', async () => {
    const { page, close, errors } = await openPage(browser);
    assert.equal(await page.title(), title);
    assert.equal(await page.evaluate(() => document.documentElement.lang), japanese ? 'ja' : 'en');
    for (const [box, text] of Object.entries(initialTexts)) {
      assert.equal(await page.locator(`#${box}`).inputValue(), text, box);
    }
    for (const button of ['Command1', 'Command2', 'Command4', 'Command5']) {
      assert.equal(await page.locator(`#${button}`).textContent(), captions[button], button);
    }
    assert.equal((await page.locator('#Check1-label').textContent()).trim(), captions.Check1);
    assert.equal(await page.isChecked('#Check1'), false);
    const labels = await page.evaluate(() => window.quarvel.labels());
    const shown = Object.fromEntries(labels.map((l) => [l.name, l.caption]));
    const expected = Object.fromEntries(Object.keys(labelPlaces).map((name) =>
      [name, name.startsWith('Label2_') ? bandLetters[Number(name.slice(7))] : captions[name]]));
    assert.deepEqual(shown, expected);
    // Labels are painted, in the window's own pixels before any scaling.
    for (const label of labels) {
      assert.deepEqual([label.left, label.top, label.width, label.height],
        labelPlaces[label.name].map((t) => t / TWIPS_PER_PX), label.name);
    }
    const s = await state(page);
    assert.deepEqual([s.electronCount, s.holeCount, s.chartPoints, s.timer1Enabled, s.ended],
      [0, 0, 0, false, false]);
    assert.deepEqual(s.line7Visible, Array(6).fill(false));
    assert.equal(s.line3Y1, 2520);
    assert.deepEqual(errors, []);
    await close();
  });

  it('fits in 600 KB with every language inside', () => {
    const size = statSync(pagePath).size;
    assert.ok(size <= 600 * 1000, `${size} bytes`);
  });

  it('asks no address for anything, from opening to the end of a run', async () => {
    const { page, close, requests, runFor } = await openPage(browser);
    await page.click('#Command1');
    await page.click('#Check1');
    await runFor(3000);
    await page.fill('#Text1', 'x');  // the notice and its fonts
    await page.click('#Command1');
    await runFor(10);
    await page.keyboard.press('Escape');
    await page.click('#Command2');  // and the closing message
    await runFor(10);
    assert.deepEqual(requests, []);
    await close();
  });

  // What a screen reader announces for each control.
  it('names every control for assistive technology', async () => {
    const { page, close } = await openPage(browser);
    const cdp = await page.context().newCDPSession(page);
    const { root } = await cdp.send('DOM.getDocument');
    const names = {
      Text1: ['textbox', captions.Label1], Text2: ['textbox', captions.Label3],
      Text3: ['textbox', captions.Label4], Text4: ['textbox', 'ND'], Text5: ['textbox', 'NA'],
      Text6: ['textbox', captions.Label8], Text7: ['textbox', captions.Label11],
      Picture1: ['image', captions.Label10], Check1: ['checkbox', captions.Check1],
      Command1: ['button', captions.Command1], Command2: ['button', captions.Command2],
      Command4: ['button', captions.Command4], Command5: ['button', captions.Command5],
    };
    const collapse = (text) => text.replace(/\s+/g, ' ').trim();
    for (const [id, [role, name]] of Object.entries(names)) {
      const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector: `#${id}` });
      const { nodes } = await cdp.send('Accessibility.getPartialAXTree', { nodeId, fetchRelatives: false });
      assert.equal(nodes[0].role.value, role, id);
      assert.equal(collapse(nodes[0].name.value), collapse(name), id);
    }
    await close();
  });
});

for (const viewport of layoutViewports) {
  it(`at ${viewport.name} the whole window fills the viewport at one scale, never scrolling`, async () => {
    const { page, close } = await openPage(browser, viewport);
    const scale = Math.min(viewport.width / FORM_WIDTH, viewport.height / FORM_HEIGHT);
    const origin = {
      left: Math.round((viewport.width - FORM_WIDTH * scale) / 2),
      top: Math.round((viewport.height - FORM_HEIGHT * scale) / 2),
    };
    const form = await page.locator('#form1').boundingBox();
    near(form.x, origin.left, 'form left');
    near(form.y, origin.top, 'form top');
    near(form.width, FORM_WIDTH * scale, 'form width');
    near(form.height, FORM_HEIGHT * scale, 'form height');
    const scroll = await page.evaluate(() => {
      const e = document.scrollingElement;
      return { width: e.scrollWidth, height: e.scrollHeight, innerWidth, innerHeight };
    });
    assert.ok(scroll.width <= scroll.innerWidth && scroll.height <= scroll.innerHeight,
      JSON.stringify(scroll));

    const expectAt = (what, box, [left, top, width, height]) => {
      const tolerance = Math.max(1, scale / 2);
      near(box.x, origin.left + (left / TWIPS_PER_PX) * scale, `${what} left`, tolerance);
      near(box.y, origin.top + (top / TWIPS_PER_PX) * scale, `${what} top`, tolerance);
      near(box.width, (width / TWIPS_PER_PX) * scale, `${what} width`, tolerance);
      near(box.height, (height / TWIPS_PER_PX) * scale, `${what} height`, tolerance);
    };
    for (const [id, place] of Object.entries(places)) {
      expectAt(id, await page.locator(`#${id}`).boundingBox(), place);
    }
    // Both canvases hold a device pixel for each pixel they cover.
    const dpr = viewport.deviceScaleFactor;
    const sizes = await page.evaluate(() => ['surface', 'Picture1'].map((id) => {
      const c = document.getElementById(id);
      return [c.width, c.height];
    }));
    near(sizes[0][0], FORM_WIDTH * scale * dpr, 'surface width');
    near(sizes[0][1], FORM_HEIGHT * scale * dpr, 'surface height');
    near(sizes[1][0], (2655 / TWIPS_PER_PX - 4) * scale * dpr, 'chart width');  // inside its border
    near(sizes[1][1], (1455 / TWIPS_PER_PX - 4) * scale * dpr, 'chart height');
    // The diagram is painted at that scale.
    await page.clock.runFor(20);
    assert.ok(await inkNear(page, 'surface', 2700, 1920), 'the conduction-band edge');
    assert.ok(!(await inkNear(page, 'surface', 2700, 1200)), 'the conduction band is clear');
    await close();
  });
}

// Pictures of a running simulation with the field on, for a person to check.
const pictures = process.env.QUARVEL_SCREENSHOTS || process.cwd();
for (const viewport of viewports) {
  it(`a picture at ${viewport.name} goes to ${pictures}`, async () => {
    const { page, close } = await openPage(browser, viewport);
    await page.click('#Command1');
    await tick(page, 120);
    await page.click('#Check1-label');
    await page.clock.runFor(60);
    const file = join(pictures, `${build}-${viewport.name}.png`);
    await page.screenshot({ path: file });
    assert.ok(statSync(file).size > 5000, `${file} holds a picture`);
    await close();
  });
}
