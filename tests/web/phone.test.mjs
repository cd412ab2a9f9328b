// The page on a phone, by touch in Chromium: upright and on its side the
// window's blocks are laid out for the screen, readable and large enough
// for a finger in every language tried, with nothing over anything else or
// beyond the screen; a run, the menu, the class data panel and a notice
// work by taps. Also: the open menu after a rotation, the doping boxes'
// explanation as text, the focus followed on a zoomed page, and the data
// after Close.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { japanese, launchBrowser, openPage, state, words } from './harness.mjs';
import { languages as everyLanguage, texts } from './po.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

const sizes = [
  { name: 'upright', width: 390, height: 844 },
  { name: 'on its side', width: 844, height: 390 },
];
const touch = { deviceScaleFactor: 2, hasTouch: true, isMobile: true };
// After the page's own language: the other build's, one read right to left
// and one of long words; QUARVEL_PHONE_LANGUAGES=all tries every one.
const languages = process.env.QUARVEL_PHONE_LANGUAGES === 'all'
  ? everyLanguage.map((l) => l.code).filter((code) => code !== (japanese ? 'ja' : 'en'))
  : [japanese ? 'en' : 'ja', 'ar', 'es'];

const open = (size) => openPage(browser, { ...size, ...touch });

// What the screen shows, in CSS px of the viewport: every control, each
// painted caption's room, the smallest text and the smallest target.
const survey = (page) => page.evaluate(() => {
  const form = document.getElementById('form1');
  const box = (e) => { const r = e.getBoundingClientRect(); return { left: r.left, top: r.top, right: r.right, bottom: r.bottom }; };
  const origin = form.getBoundingClientRect();
  const controls = [...form.querySelectorAll(':scope > :is(button, input, label, canvas#Picture1)')]
    .map((e) => ({ id: e.id, ...box(e) }));
  // A caption's lines as drawn: from the side it starts at, as wide as its
  // widest line, as many lines high.
  const measure = document.createElement('canvas').getContext('2d');
  const labels = window.quarvel.labels().map((l) => {
    measure.font = l.font;
    const wide = Math.max(...l.lines.map((line, i) => measure.measureText(line).width + l.insets[i]));
    const [from, to] = l.rtl ? [l.room.width - wide, l.room.width] : [0, wide];
    const s = l.shown.scale;
    return { id: l.name, font: parseFloat(l.font) * s, left: origin.left + l.shown.left + from * s,
      right: origin.left + l.shown.left + to * s, top: origin.top + l.shown.top,
      bottom: origin.top + l.shown.top + l.lines.length * l.lineHeight * s };
  });
  const scaleOf = (e) => e.getBoundingClientRect().width / (e.offsetWidth || 1);
  const texts = [...form.querySelectorAll('button, input[type=text], #Check1-label span, #doping-note:not(.unshown)')]
    .filter((e) => e.textContent || e.value)
    .map((e) => ({ id: e.id || e.parentElement.id, font: parseFloat(getComputedStyle(e).fontSize) * scaleOf(e.closest('#form1 > *')) }));
  const targets = [...form.querySelectorAll('button, input, #Check1-label')].filter((e) => e.getClientRects().length)
    .map((e) => { const r = e.getBoundingClientRect(); return { id: e.id, size: Math.min(r.width, r.height) }; });
  return { phone: document.documentElement.classList.contains('phone'), controls, labels,
    smallestText: [...texts, ...labels].reduce((a, b) => (b.font < a.font ? b : a)),
    smallestTarget: targets.reduce((a, b) => (b.size < a.size ? b : a)),
    scrollWidth: document.scrollingElement.scrollWidth, blocks: window.quarvel.blocks() };
});

const overlap = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.5 &&
  Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.5;

// Where a design pixel of a block shows on the surface, and whether it is dark there.
const darkAt = (page, block, x, y) => page.evaluate(([name, px, py]) => {
  const v = window.quarvel.blocks()[name];
  const surface = document.getElementById('surface');
  const ratio = surface.width / surface.offsetWidth;
  const [dx, dy] = [Math.round((v.dx + px * v.s) * ratio), Math.round((v.dy + py * v.s) * ratio)];
  const { data } = surface.getContext('2d').getImageData(dx - 2, dy - 2, 5, 5);
  let darkest = 255;
  for (let i = 0; i < data.length; i += 4) if (data[i + 3] > 128) darkest = Math.min(darkest, data[i]);
  return darkest < 100;
}, [block, x, y]);

const rect = async (page, selector) => page.locator(selector).evaluate((e) => {
  const r = e.getBoundingClientRect();
  return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
});

// Everything on the screen readable, large enough and in its place.
const assertFits = async (page, size, what) => {
  const s = await survey(page);
  assert.ok(s.phone, `${what}: the phone arrangement`);
  assert.ok(s.smallestText.font >= 12, `${what}: ${JSON.stringify(s.smallestText)}`);
  assert.ok(s.smallestTarget.size >= 24, `${what}: ${JSON.stringify(s.smallestTarget)}`);
  assert.ok(s.scrollWidth <= size.width, `${what}: scrolls to ${s.scrollWidth}`);
  for (const c of [...s.controls, ...s.labels]) {
    assert.ok(c.left >= 0 && c.right <= size.width, `${what}: ${c.id} beyond the screen: ${c.left}..${c.right}`);
  }
  const over = [];
  s.controls.forEach((a, i) => s.controls.slice(i + 1).forEach((b) => overlap(a, b) && over.push(`${a.id} over ${b.id}`)));
  for (const l of s.labels) for (const c of s.controls) if (overlap(l, c)) over.push(`${l.id} under ${c.id}`);
  assert.deepEqual(over, [], what);
  if (size.width < size.height) assert.ok(s.blocks.diagram.width >= 300, `${what}: diagram ${s.blocks.diagram.width}`);
  // The diagram painted where its block stands: the conduction band's edge.
  assert.ok(await darkAt(page, 'diagram', 176, 128), `${what}: Line1 drawn`);
};

describe('laid out for a phone', () => {
  for (const size of sizes) {
    it(`${size.name}: fits in every language tried; a run, the menu, the panel and a notice by taps`, async () => {
      const { page, close, runFor, errors } = await open(size);
      await runFor(20);  // the first frame
      await assertFits(page, size, 'at load');
      await page.tap('#Command1');
      await runFor(20);  // a frame, no tick
      const running = await state(page);
      assert.equal(running.timer1Enabled, true);
      // An electron's marker where the diagram's block shows it.
      const e = running.electrons[0];
      assert.ok(await darkAt(page, 'diagram', (e.left + 52) / 15, (e.top + 52) / 15), 'a marker drawn');

      await page.tap('#menu-button');
      const menu = await rect(page, '#menu-popup');
      assert.ok(menu.left >= 0 && menu.right <= size.width && menu.bottom <= size.height, JSON.stringify(menu));
      const items = await page.$$eval('#menu [role^="menuitem"]', (all) => all.filter((i) => i.getClientRects().length)
        .map((i) => ({ id: i.id, height: i.getBoundingClientRect().height, width: i.getBoundingClientRect().width,
          font: parseFloat(getComputedStyle(i).fontSize) })));
      for (const i of items) assert.ok(i.height >= 24 && i.width >= 24 && i.font >= 12, JSON.stringify(i));

      await page.tap('#menu-ClassData');
      const panel = await rect(page, '#class-data');
      assert.ok(panel.left >= 0 && panel.right <= size.width && panel.top >= 0, JSON.stringify(panel));
      const shut = await rect(page, '#class-data .panel-close');
      assert.ok(shut.width >= 24 && shut.height >= 24, JSON.stringify(shut));
      const closeName = () => page.getAttribute('#class-data .panel-close', 'aria-label');
      assert.equal(await closeName(), texts(japanese ? 'ja' : 'en')['page.closePanel']);
      const small = await page.$$eval('#class-data :is(p, dt, dd, h2, span, b)', (all) =>
        Math.min(...all.filter((x) => x.textContent).map((x) => parseFloat(getComputedStyle(x).fontSize))));
      assert.ok(small >= 12, `panel text ${small}`);
      await page.tap('#class-data .panel-close');
      assert.equal(await page.locator('#class-data').isVisible(), false);
      assert.equal(await page.evaluate(() => document.activeElement.id), 'menu-button');

      // A refused Start's notice, read and closed by taps.
      await page.tap('#Text1');
      await page.fill('#Text1', 'abc');
      await page.tap('#Command1');
      await runFor(0);
      const notice = await rect(page, '#notice');
      assert.ok(notice.left >= 0 && notice.right <= size.width, JSON.stringify(notice));
      const noticeFont = await page.$eval('#notice-text', (t) => parseFloat(getComputedStyle(t).fontSize));
      const ok = await rect(page, '#notice-ok');
      assert.ok(noticeFont >= 12 && ok.width >= 24 && ok.height >= 24, `${noticeFont} ${JSON.stringify(ok)}`);
      await page.tap('#notice-ok');
      assert.equal(await page.locator('#notice').isVisible(), false);

      // The other languages, chosen by taps, laid out anew.
      for (const lang of languages) {
        await page.tap('#menu-button');
        if (!await page.locator(`#menu-language-${lang}`).isVisible()) await page.tap('#menu-Language');
        await page.tap(`#menu-language-${lang}`);
        await page.waitForFunction((code) => document.documentElement.lang === code, lang);
        await runFor(20);
        await assertFits(page, size, lang);
        assert.equal(await closeName(), texts(lang)['page.closePanel'], `${lang}: the panel's close control`);
      }
      assert.deepEqual(errors, []);
      await close();
    });
  }

  it('takes the screen\'s height for the open menu after a rotation', async () => {
    const { page, close } = await open(sizes[1]);
    await page.tap('#menu-button');
    const scrolls = () => page.$eval('#menu-popup', (m) => m.scrollHeight > m.clientHeight + 1);
    assert.equal(await scrolls(), true, 'a short screen scrolls the menu');
    // Each state waited for, as the resize reaches the page a frame later.
    const settles = (height, scrolling) => page.waitForFunction(([h, s]) => {
      const m = document.getElementById('menu-popup');
      return innerHeight === h && !m.hidden && m.getBoundingClientRect().bottom <= h &&
        (m.scrollHeight > m.clientHeight + 1) === s;
    }, [height, scrolling], { timeout: 3000 });
    await page.setViewportSize({ width: 390, height: 844 });
    await settles(844, false);  // every item shows upright
    await page.setViewportSize({ width: 844, height: 390 });
    await settles(390, true);  // and fits on its side again
    await close();
  });

  it('shows why a doping pair gives no Fermi level as text, and tells a screen reader', async () => {
    const { page, close } = await open(sizes[0]);
    const note = page.locator('#doping-note');
    await page.tap('#Text4');
    await page.fill('#Text4', '-1');
    assert.equal(await note.isVisible(), true);
    assert.equal(await note.textContent(), words.dopingHint);
    assert.match(await page.getAttribute('#Text4', 'aria-describedby'), /doping-note/);
    const shown = await rect(page, '#doping-note');
    assert.ok(shown.left >= 0 && shown.right <= 390, JSON.stringify(shown));
    const s = await survey(page);
    for (const c of s.controls) assert.ok(!overlap(shown, c), `over ${c.id}`);
    await page.fill('#Text4', '1e16');
    assert.equal(await note.isVisible(), false);
    assert.doesNotMatch(await page.getAttribute('#Text4', 'aria-describedby') ?? '', /doping-note/);
    await close();
  });
});

describe('beside the phone', () => {
  it('follows the focus sideways on a zoomed page', async () => {
    const { page, close } = await openPage(browser, { width: 1366, height: 768 });
    await page.keyboard.press('ControlOrMeta+Equal');
    await page.focus('#Command1');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Command2');
    const r = await rect(page, '#Command2');
    const view = await page.evaluate(() => [document.documentElement.clientWidth, document.documentElement.clientHeight]);
    // Within the view, but for a fraction of a pixel of the zoom's rounding.
    assert.ok(r.left >= 0 && r.right <= view[0] + 1 && r.top >= 0 && r.bottom <= view[1] + 1, JSON.stringify(r));
    await close();
  });

  it('keeps the window whole at 1x with its doping note clear of every control; after Close saves the data, the picture and the link', async () => {
    const { page, close } = await openPage(browser);
    const s = await survey(page);
    assert.equal(s.phone, false);
    assert.equal(s.blocks, null);
    await page.fill('#Text5', '0');
    const shown = await rect(page, '#doping-note');
    assert.ok(await page.locator('#doping-note').isVisible());
    assert.ok(shown.bottom <= 353 && shown.left >= 0, JSON.stringify(shown));
    for (const c of s.controls) assert.ok(!overlap(shown, c), `over ${c.id}`);
    await page.fill('#Text5', '1e10');
    await page.click('#Command1');
    await page.evaluate(() => window.quarvel.tick(5));
    await page.click('#Command2');
    assert.equal((await state(page)).ended, true);
    const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Alt+KeyR')]);
    const rows = readFileSync(await download.path(), 'utf8').trim().split('\n');
    assert.ok(rows.length >= 6, rows.join('\n'));
    await page.click('#menu-button');
    const enabled = await page.$$eval('#menu [role^="menuitem"]', (all) =>
      Object.fromEntries(all.map((i) => [i.id, i.getAttribute('aria-disabled') !== 'true'])));
    assert.deepEqual([enabled['menu-SaveData'], enabled['menu-SavePicture'], enabled['menu-CopyLink'],
      enabled['menu-PauseResume']], [true, true, true, false]);
    const [picture] = await Promise.all([page.waitForEvent('download'), page.click('#menu-SavePicture')]);
    assert.match(picture.suggestedFilename(), /\.png$/);
    await close();
  });
});
