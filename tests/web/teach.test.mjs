// The teacher's tools around the window: the menu button and its menu by
// mouse, keyboard and touch; the keys from any control; pause, step, speed;
// the class data panel; the CSV and the picture, made in the page; the
// set-up in the page's address and the link that copies it.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import {
  FORM_HEIGHT, FORM_WIDTH, japanese, launchBrowser, openPage, otherLanguage, pageUrl, state, tick, typeInto, valueOf,
  viewports,
} from './harness.mjs';

const words = japanese
  ? { menu: 'メニュー', classData: 'クラスデータ', pause: '一時停止', resume: '再開', copied: 'コピーしました。',
      copyLink: 'この設定のリンクをコピー' }
  : { menu: 'Menu', classData: 'Class data', pause: 'Pause', resume: 'Resume', copied: 'Copied.',
      copyLink: 'Copy link to this set-up' };
const keys = { pause: 'Alt+KeyP', step: 'Alt+KeyN', faster: 'Alt+Period', slower: 'Alt+Comma', panel: 'Alt+KeyC',
  data: 'Alt+KeyR', picture: 'Alt+KeyI', link: 'Alt+KeyL' };
const CSV_HEADER = 'tick,time_s,electrons,holes,np,crossings,field,temperature_K,fermi_eV,event';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

let session;
const open = async (options) => { session = await openPage(browser, options); return session.page; };
// Reopened at an address with a set-up in its fragment, as a link opens it.
const openAt = async (fragment, options) => {
  const page = await open(options);
  await page.goto(`${pageUrl}#${fragment}`);
  await page.reload();
  await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  return page;
};
const close = async () => {
  assert.deepEqual(session.errors, [], 'no script error on the page');
  assert.deepEqual(session.requests, [], 'no request leaves the page');
  await session.close();
};
// The menu's own items, not those of its Language submenu.
const menuItems = (page) => page.evaluate(() => [...document.querySelectorAll('#menu [role^="menuitem"]')]
  .filter((e) => !e.closest('.menu-submenu'))
  .map((e) => ({ id: e.id, role: e.getAttribute('role'), text: e.textContent, keys: e.getAttribute('aria-keyshortcuts'),
    checked: e.getAttribute('aria-checked'), disabled: e.getAttribute('aria-disabled') === 'true' })));
const focused = (page) => page.evaluate(() => document.activeElement?.id);
const rect = (page, selector) => page.locator(selector).boundingBox();
const overlaps = (a, b) => a.x < b.x + b.width && a.x + a.width > b.x && a.y < b.y + b.height && a.y + a.height > b.y;

describe('menu button', () => {
  for (const viewport of viewports) {
    it(`at ${viewport.name} stands clear of every control and label, labelled, at least 24 px`, async () => {
      const page = await open(viewport);
      const button = await rect(page, '#menu-button');
      const form = await rect(page, '#form1');
      const scale = form.width / FORM_WIDTH;
      assert.ok(button.width >= 24 && button.height >= 24, JSON.stringify(button));
      assert.ok(button.x >= form.x && button.x + button.width <= form.x + form.width &&
        button.y >= form.y && button.y + button.height <= form.y + form.height, 'within the window');
      const controls = await page.evaluate(() => [...document.querySelectorAll('#form1 > *')]
        .filter((e) => !['surface', 'menu-button', 'menu-popup', 'class-data'].includes(e.id)).map((e) => e.id));
      assert.ok(controls.length >= 13);
      for (const id of controls) assert.ok(!overlaps(button, await rect(page, `#${id}`)), `over ${id}`);
      for (const l of await page.evaluate(() => window.quarvel.labels())) {
        const label = { x: form.x + l.left * scale, y: form.y + l.top * scale, width: l.width * scale,
          height: l.height * scale };
        assert.ok(!overlaps(button, label), `over ${l.name}`);
      }
      assert.equal(await page.locator('#menu-button').getAttribute('aria-label'), words.menu);
      assert.equal(await page.getByRole('button', { name: words.menu }).count(), 1);
      await close();
    });
  }

  it('opens by mouse a menu of every command with its key; Pause holds the run', async () => {
    const page = await open();
    await page.click('#Command1');
    await page.click('#menu-button');
    assert.equal(await page.locator('#menu-button').getAttribute('aria-expanded'), 'true');
    const items = await menuItems(page);
    assert.deepEqual(items.map((i) => i.role), [...Array(4).fill('menuitem'), ...Array(5).fill('menuitemradio'),
      'menuitemcheckbox', ...Array(3).fill('menuitem'), 'menuitemcheckbox', 'menuitem', 'menuitem']);
    assert.deepEqual(items.filter((i) => i.keys).map((i) => i.keys),
      ['Alt+P', 'Alt+N', 'Alt+.', 'Alt+,', 'Alt+C', 'Alt+R', 'Alt+I', 'Alt+L', 'Alt+K', 'Alt+Shift+K']);
    for (const i of items.filter((i) => i.keys)) assert.ok(i.text.endsWith(i.keys), `${i.text} shows its key`);
    assert.deepEqual(items.filter((i) => i.role === 'menuitemradio').map((i) => i.checked),
      ['true', 'false', 'false', 'false', 'false'], 'speed 1 is ticked');
    assert.ok(items[0].text.startsWith(words.pause));
    assert.deepEqual(items.filter((i) => i.disabled).map((i) => i.id),
      ['menu-Step', 'menu-Slower', 'menu-SaveData', 'menu-SayScene'],
      'Step while running, Slower at speed 1, the data before a tick and the diagram read out before Speak cannot be used');
    assert.equal(items.find((i) => i.id === 'menu-Speak').checked, 'false', 'speech is off when the page opens');
    await page.keyboard.press('Escape');
    await tick(page, 1);
    await page.click('#menu-button');
    assert.equal((await menuItems(page)).find((i) => i.id === 'menu-SaveData').disabled, false);
    await page.click('#menu-PauseResume');
    assert.equal(await page.locator('#menu-popup').isVisible(), false, 'a choice closes the menu');
    assert.equal((await state(page)).paused, true);
    await page.click('#menu-button');
    assert.ok((await menuItems(page))[0].text.startsWith(words.resume));
    // A press outside closes it.
    await page.mouse.click(5, 5);
    assert.equal(await page.locator('#menu-popup').isVisible(), false);
    await close();
  });

  it('works by keyboard: arrows, Home and End, Enter, Space, Escape, Tab', async () => {
    const page = await open();
    await page.focus('#menu-button');
    await page.keyboard.press('Enter');
    assert.equal(await focused(page), 'menu-PauseResume');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'menu-Step');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowUp');
    assert.equal(await focused(page), 'menu-Language', 'wraps to the last');
    await page.keyboard.press('Home');
    assert.equal(await focused(page), 'menu-PauseResume');
    await page.keyboard.press('Escape');
    assert.equal(await focused(page), 'menu-button');
    assert.equal(await page.locator('#menu-popup').isVisible(), false);
    await page.keyboard.press('ArrowDown');
    for (let i = 0; i < 8; i++) await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'menu-speed-20');
    await page.keyboard.press(' ');
    assert.equal((await state(page)).speed, 20);
    assert.equal(await focused(page), 'menu-button', 'back on the button');
    await page.keyboard.press('ArrowUp');
    assert.equal(await focused(page), 'menu-Language');
    await page.keyboard.press('Tab');
    assert.equal(await page.locator('#menu-popup').isVisible(), false, 'Tab leaves the menu');
    assert.notEqual(await focused(page), 'menu-Language');
    await close();
  });

  it('works by touch: a tap opens it and a tap opens the class data panel', async () => {
    const page = await open({ width: 390, height: 844, deviceScaleFactor: 2, hasTouch: true, isMobile: true });
    const button = await rect(page, '#menu-button');
    const form = await rect(page, '#form1');
    assert.ok(form.width < FORM_WIDTH && button.width >= 24 && button.height >= 24,
      `${button.width} x ${button.height} in a window scaled to ${form.width / FORM_WIDTH}`);
    await page.tap('#menu-button');
    await page.tap('#menu-ClassData');
    assert.equal(await page.locator('#class-data').isVisible(), true);
    const panel = await rect(page, '#class-data');
    // Below every control of the window, laid out for the phone.
    const lowest = Math.max(...await page.$$eval('#form1 > :not(#class-data, #surface, #menu-popup)',
      (all) => all.map((e) => e.getBoundingClientRect().bottom)));
    assert.ok(panel.y >= lowest, 'below the window on a tall screen');
    assert.ok(panel.y + panel.height <= 844 && panel.x >= 0 && panel.x + panel.width <= 390, 'on the screen');
    await page.tap('#menu-button');
    assert.equal(await page.locator('#menu-ClassData').getAttribute('aria-checked'), 'true');
    await close();
  });
});

describe('keys and time controls', () => {
  it('run from a text box without typing into it, and from a button', async () => {
    const page = await open();
    await page.click('#Command1');
    await page.focus('#Text1');
    await page.keyboard.press(keys.pause);
    assert.equal((await state(page)).paused, true);
    await page.keyboard.press(keys.faster);
    await page.keyboard.press(keys.faster);
    assert.equal((await state(page)).speed, 5);
    await page.keyboard.press(keys.slower);
    assert.equal((await state(page)).speed, 2);
    assert.equal(await valueOf(page, 'Text1'), '300', 'nothing typed into the box');
    await page.focus('#Command4');
    await page.keyboard.press(keys.pause);
    assert.equal((await state(page)).paused, false);
    await page.keyboard.press(keys.panel);
    assert.equal(await page.locator('#class-data').isVisible(), true);
    await page.keyboard.press(keys.panel);
    assert.equal(await page.locator('#class-data').isVisible(), false);
    await close();
  });

  it('pause holds the run, Step advances one tick, speed 20 runs faster, Start resumes', async () => {
    const page = await open();
    await page.click('#Command1');
    await session.runFor(2100);
    await page.keyboard.press(keys.pause);
    const held = await state(page);
    const current = await valueOf(page, 'Text7');
    await session.runFor(1000);
    const after = await state(page);
    for (const key of ['electronCount', 'holeCount', 'chartPoints', 'recordedTicks', 'currentTally']) {
      assert.equal(after[key], held[key], `${key} holds while paused`);
    }
    assert.deepEqual(after.electrons, held.electrons, 'no carrier moves');
    assert.equal(await valueOf(page, 'Text7'), current, 'the current readout holds');
    await page.keyboard.press(keys.step);
    assert.equal((await state(page)).recordedTicks, held.recordedTicks + 1, 'one tick');
    // Ticks in one second of the page's clock, at speed 1 and at speed 20.
    const ticksIn = async (ms) => {
      const before = (await state(page)).recordedTicks;
      await session.runFor(ms);
      return (await state(page)).recordedTicks - before;
    };
    await page.keyboard.press(keys.pause);
    const slow = await ticksIn(1000);
    for (let i = 0; i < 4; i++) await page.keyboard.press(keys.faster);
    assert.equal((await state(page)).speed, 20);
    const fast = await ticksIn(1000);
    assert.ok(slow >= 15 && fast >= 10 * slow, `${slow} ticks at speed 1, ${fast} at speed 20`);
    await page.keyboard.press(keys.pause);
    await page.click('#Command1');
    const restarted = await state(page);
    assert.deepEqual([restarted.paused, restarted.speed, restarted.runStarted], [false, 20, true]);
    await close();
  });
});

describe('class data panel', () => {
  it('beside the window on a wide screen, described, refreshed at most twice a second', async () => {
    const page = await open({ width: 1920, height: 1080 });
    await page.click('#Command1');
    await page.click('#menu-button');
    await page.click('#menu-ClassData');
    const panel = page.locator('#class-data');
    const box = await panel.boundingBox();
    const form = await rect(page, '#form1');
    assert.ok(box.x >= form.x + form.width && box.x + box.width <= 1920 && box.y >= 0 && box.y + box.height <= 1080,
      'beside the window, on the screen');
    assert.ok(form.width > 1.9 * FORM_WIDTH && box.height >= 0.99 * form.height * 353 / FORM_HEIGHT,
      'both scaled up together');
    assert.equal(await panel.getAttribute('aria-label'), words.classData);
    assert.equal(await panel.getAttribute('aria-live'), null, 'not a live region');
    // Counted from now: how often the figures and the description change.
    await page.evaluate(() => {
      window.changes = { heading: 0, described: 0 };
      const watch = (id, key) => new MutationObserver(() => window.changes[key]++)
        .observe(document.getElementById(id), { childList: true, characterData: true, subtree: true });
      watch('class-data-described', 'described');
      new MutationObserver(() => window.changes.heading++)
        .observe(document.querySelector('#class-data .panel-heading'), { childList: true, characterData: true });
    });
    await session.runFor(3000);
    const { heading, described } = await page.evaluate(() => window.changes);
    assert.match(await page.getByRole('region', { name: words.classData }).locator('dd').first().textContent(),
      /\d+(\.\d+)? ± \d/, 'the mean of n·p with its error');
    assert.ok(heading >= 4 && heading <= 7, `${heading} showings in 3 s`);
    assert.ok(described >= 1 && described <= heading, `${described} new descriptions`);
    const said = await page.locator('#class-data-described').textContent();
    const ticks = (await state(page)).recordedTicks;
    assert.ok(said.includes(String(ticks)) || said.includes(String(ticks - 1)) || described > 0, said);
    await page.keyboard.press(keys.pause);
    await session.runFor(600);
    const pausedView = await page.evaluate(() => [window.changes.described,
      document.querySelector('#class-data .panel-state').textContent]);
    await session.runFor(2000);
    assert.deepEqual(await page.evaluate(() => [window.changes.described,
      document.querySelector('#class-data .panel-state').textContent]), pausedView, 'quiet while paused');
    await close();
  });
});

describe('files', () => {
  const saved = async (page, act) => {
    const [download] = await Promise.all([page.waitForEvent('download'), act()]);
    return { name: download.suggestedFilename(), data: readFileSync(await download.path()) };
  };

  it('the CSV has one row per tick, with the counts the readouts show', async () => {
    const page = await open();
    await page.click('#Command1');
    await tick(page, 30);
    const csv = await saved(page, async () => { await page.click('#menu-button'); await page.click('#menu-SaveData'); });
    assert.match(csv.name, /\.csv$/);
    const lines = csv.data.toString('utf8').trimEnd().split('\n');
    assert.equal(lines[0], CSV_HEADER);
    assert.equal(lines.length, 31);
    lines.slice(1).forEach((line, i) => assert.equal(line.split(',')[0], String(i + 1)));
    const last = lines.at(-1).split(',');
    const s = await state(page);
    assert.deepEqual([last[2], last[3]], [String(s.electronCount), String(s.holeCount)]);
    assert.deepEqual([last[2], last[3]], [await valueOf(page, 'Text3'), await valueOf(page, 'Text6')]);
    assert.equal(last[4], String(s.electronCount * s.holeCount));
    assert.match(lines[1], /,Start$/);
    await close();
  });

  it('the picture is a PNG at least twice the design size, with the window painted in it', async () => {
    const page = await open();
    await page.click('#Command1');
    await tick(page, 20);
    const png = await saved(page, () => page.keyboard.press(keys.picture));
    assert.match(png.name, /\.png$/);
    assert.equal(png.data.subarray(1, 4).toString('latin1'), 'PNG');
    const [width, height] = [png.data.readUInt32BE(16), png.data.readUInt32BE(20)];
    assert.ok(width >= 2 * FORM_WIDTH && height >= 2 * FORM_HEIGHT, `${width} x ${height}`);
    // Sampled where the valence band is filled and where Text3's count stands.
    const samples = await page.evaluate(async ([data, w, h]) => {
      const image = new Image();
      image.src = `data:image/png;base64,${data}`;
      await image.decode();
      const canvas = document.createElement('canvas');
      [canvas.width, canvas.height] = [w, h];
      const ctx = canvas.getContext('2d');
      ctx.drawImage(image, 0, 0);
      const r = w / 574;
      const at = (x, y) => [...ctx.getImageData(Math.round(x * r), Math.round(y * r), 1, 1).data.slice(0, 3)];
      let darkest = 255;
      const box = document.getElementById('Text3');
      const pixels = ctx.getImageData(box.offsetLeft * r, box.offsetTop * r, box.offsetWidth * r, box.offsetHeight * r);
      for (let i = 0; i < pixels.data.length; i += 4) darkest = Math.min(darkest, pixels.data[i]);
      return { band: at(180, 300), background: at(20, 20), darkest };
    }, [png.data.toString('base64'), width, height]);
    assert.deepEqual(samples.background, [0xef, 0xef, 0xef]);
    assert.notDeepEqual(samples.band, samples.background, 'the band diagram is painted');
    assert.ok(samples.darkest < 80, 'the readout shows its count');
    await close();
  });
});

describe('set-up in the address', () => {
  it('a link sets every box, the field and the speed, and starts', async () => {
    const page = await openAt('temperature=350&fermi=0.7&nd=1e16&na=1e10&field=on&speed=5&start');
    const s = await state(page);
    assert.deepEqual([await valueOf(page, 'Text1'), await valueOf(page, 'Text2'), await valueOf(page, 'Text4'),
      await valueOf(page, 'Text5')], ['350', '0.7', '1e16', '1e10']);
    assert.equal(await page.locator('#Check1').isChecked(), true);
    assert.deepEqual([s.runStarted, s.speed, s.temperature, s.paused], [true, 5, 350, false]);
    assert.equal(await page.locator('#notice').isVisible(), false);
    await close();
  });

  const bad = [
    { name: 'a temperature out of range', fragment: 'temperature=9999&start', box: 'Text1', value: '9999' },
    { name: 'a speed not offered', fragment: 'fermi=0.6&speed=3&start', box: null, value: '3' },
    // The negative donor count spoils the pair, not the acceptors after it.
    { name: 'a doping pair', fragment: 'nd=-1&na=1e10&start', box: 'Text4', value: '-1', absent: /\bna\b/ },
  ];
  for (const b of bad) {
    it(`${b.name} shows its notice, leaves the box as typed and starts nothing`, async () => {
      const page = await openAt(b.fragment);
      await session.runFor(50);
      assert.equal(await page.locator('#notice').isVisible(), true);
      const said = await page.locator('#notice-text').textContent();
      assert.match(said, new RegExp(`“${b.value}”|${b.value}`));
      if (b.absent) assert.doesNotMatch(said, b.absent);
      const s = await state(page);
      assert.deepEqual([s.runStarted, s.speed], [false, 1]);
      if (b.box) assert.equal(await valueOf(page, b.box), b.value);
      await page.click('#notice-ok');
      // The dialog's close event, which gives the box the focus, follows the click.
      if (b.box) await page.waitForFunction((id) => document.activeElement?.id === id, b.box, { timeout: 2000 });
      await close();
    });
  }

  it('a link\'s unknown keys are named, the rest applies, and a long key stays inside the notice', async () => {
    const page = await openAt(`Temperature=350&${'k'.repeat(5000)}=1&speed=5&start`);
    await session.runFor(50);
    const s = await state(page);
    assert.deepEqual([s.runStarted, s.speed, s.temperature], [true, 5, 300]);
    assert.equal(await page.locator('#notice').isVisible(), true);
    const text = page.locator('#notice-text');
    const said = await text.textContent();
    for (const part of ['Temperature', 'kkkkkkkkkk…kkkkkkkkkk']) assert.ok(said.includes(part), said);
    assert.ok(await text.evaluate((e) => e.scrollWidth <= e.clientWidth), 'no line runs out of the notice');
    const box = await page.locator('#notice').boundingBox();
    assert.ok(box.x >= 0 && box.x + box.width <= page.viewportSize().width, JSON.stringify(box));
    await page.click('#notice-ok');
    await close();
  });

  it('a link that names the other build\'s language opens the page in it, and its link keeps it', async () => {
    const page = await openAt(`lang=${otherLanguage.code.toUpperCase()}&temperature=320`);
    assert.equal(await page.evaluate(() => document.documentElement.lang), otherLanguage.tag);
    for (const id of ['Command1', 'Command5']) {
      assert.equal(await page.locator(`#${id}`).textContent(), otherLanguage.captions[id]);
    }
    assert.equal(await valueOf(page, 'Text1'), '320');
    await page.evaluate(() => Object.defineProperty(navigator, 'clipboard',
      { configurable: true, value: { writeText: async (t) => { window.copied = t; } } }));
    await page.keyboard.press(keys.link);
    await session.runFor(10);
    assert.match(await page.evaluate(() => window.copied), new RegExp(`[#&]lang=${otherLanguage.code}(&|$)`));
    await close();
  });

  it('the address changed in an open page applies its set-up', async () => {
    const page = await open();
    await page.evaluate(() => { location.hash = 'temperature=320&start'; });
    await page.waitForFunction(() => window.quarvel.state().runStarted);
    assert.equal((await state(page)).temperature, 320);
    await close();
  });

  it('Copy link round trip: a new page opened at it has the same boxes and runs', async () => {
    const page = await open();
    await typeInto(page, 'Text1', '320');
    await typeInto(page, 'Text4', '1e14');
    await page.click('#Check1-label');
    await page.keyboard.press(keys.faster);
    await page.keyboard.press(keys.faster);
    // The clipboard refused, as a page opened from a file may find it.
    await page.evaluate(() => Object.defineProperty(navigator, 'clipboard',
      { configurable: true, value: { writeText: () => Promise.reject(new Error('refused')) } }));
    await page.keyboard.press(keys.link);
    await page.waitForSelector('#link-dialog[open]');
    assert.equal(await page.getByRole('dialog', { name: words.copyLink }).count(), 1);
    const link = await page.locator('#link-text').inputValue();
    assert.equal(await page.evaluate(() => {
      const f = document.getElementById('link-text');
      return f.value.slice(f.selectionStart, f.selectionEnd);
    }), link, 'shown selected');
    assert.ok(link.startsWith(`${pageUrl}#`), link);
    const boxes = [];
    for (const id of ['Text1', 'Text2', 'Text4', 'Text5']) boxes.push(await valueOf(page, id));
    await page.click('#link-ok');
    // Granted, the clipboard takes it and the page says so, politely.
    await page.evaluate(() => Object.defineProperty(navigator, 'clipboard',
      { configurable: true, value: { writeText: async (t) => { window.copied = t; } } }));
    await page.keyboard.press(keys.link);
    await session.runFor(50);
    assert.equal(await page.evaluate(() => window.copied), link);
    assert.equal(await page.locator('#announcer').textContent(), words.copied);
    await close();

    const opened = await openAt(link.split('#')[1]);
    const reopened = [];
    for (const id of ['Text1', 'Text2', 'Text4', 'Text5']) reopened.push(await valueOf(opened, id));
    assert.deepEqual(reopened, boxes);
    const s = await state(opened);
    assert.equal(await opened.locator('#Check1').isChecked(), true);
    assert.deepEqual([s.runStarted, s.speed, s.temperature], [true, 5, 320]);
    await close();
  });
});
