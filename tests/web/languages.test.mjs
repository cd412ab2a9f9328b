// Every language of the table, in one browser that has no fonts of its own,
// so that only the page's faces can draw: the page opened by a link in the
// language shows its captions, fits and draws them, breaks none of axe's
// rules and announces a run in it. Then the switch: the Language menu, a
// run switched midway that ticks as one never switched, the link that
// carries the language, a language the page lacks, and a link's value read
// once. A language added to the table is tested here without a line more.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { violations } from './axe.mjs';
import { controlProblems, labelProblems, undrawn } from './fit.mjs';
import { launchBrowser, openPage, pageUrl, tick } from './harness.mjs';
import { filled, languages, texts } from './po.mjs';

let browser;
before(async () => { browser = await launchBrowser({ bareFonts: true }); });
after(async () => { await browser?.close(); });

let session;
// The page opened at an address, as a link opens it.
const openAt = async (fragment, options = {}) => {
  session = await openPage(browser, options);
  await session.page.goto(`${pageUrl}#${fragment}`);
  await session.page.reload();
  await session.page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  return session.page;
};
const close = async () => {
  assert.deepEqual(session.errors, [], 'no script error on the page');
  await session.close();
};
const documentLanguage = (page) => page.evaluate(() => [document.documentElement.lang, document.documentElement.dir]);
// What the page shows of each caption the translation file gives, by its control.
const shownCaptions = (page, names) => page.evaluate((wanted) => {
  const painted = Object.fromEntries(window.quarvel.labels().map((l) => [l.name, l.caption]));
  return Object.fromEntries(wanted.map((name) => [name,
    painted[name] ?? document.getElementById(name === 'Check1' ? 'Check1-label' : name)?.textContent]));
}, names);
const captionsOf = (po) => Object.fromEntries(Object.entries(po).filter(([key]) => /^(Command|Label|Check)\d+$/.test(key)));

describe('every language, opened by its link', () => {
  for (const { code, tag, rightToLeft } of languages) {
    it(`${code}: its captions fit and are drawn, axe finds nothing, a run is announced in it`, async () => {
      const po = texts(code);
      const page = await openAt(`lang=${code}&start`, { realTime: true });
      assert.deepEqual(await documentLanguage(page), [tag, rightToLeft ? 'rtl' : 'ltr']);
      const captions = captionsOf(po);
      assert.ok(Object.keys(captions).length >= 10, 'the file gives the captions');
      assert.deepEqual(await shownCaptions(page, Object.keys(captions)), captions);
      assert.deepEqual(await labelProblems(page), [], 'labels fit');
      assert.deepEqual(await controlProblems(page), [], 'buttons and the check box fit');
      assert.deepEqual(await undrawn(page), [], 'every letter drawn by the page\'s faces');
      await page.waitForFunction(() => document.getElementById('announcer').textContent !== '');
      assert.match(await page.locator('#announcer').textContent(), filled(po['spoken.started']));
      await page.evaluate(() => { window.__test = { realTime: (fn) => fn() }; });
      assert.deepEqual(await violations(page), []);
      await close();
    });
  }
});

// The Language submenu's items, in order.
const languageItems = (page) => page.evaluate(() => [...document.querySelectorAll('#menu-Language-list [role]')]
  .map((e) => ({ id: e.id, role: e.getAttribute('role'), lang: e.lang, name: e.textContent,
    checked: e.getAttribute('aria-checked') })));
const choose = async (page, code) => {
  await page.click('#menu-button');
  if (!(await page.locator('#menu-Language-list').isVisible())) await page.click('#menu-Language');
  await page.click(`#menu-language-${code}`);
  const tag = languages.find((l) => l.code === code).tag;
  await page.waitForFunction((t) => document.documentElement.lang === t, tag);
};
// The data of the run so far, as "Save data as CSV" gives it.
const csv = async (page) => {
  const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Alt+KeyR')]);
  return readFileSync(await download.path(), 'utf8');
};
// The link "Copy link to this set-up" puts on the clipboard.
const copiedLink = async (page) => {
  await page.evaluate(() => Object.defineProperty(navigator, 'clipboard',
    { configurable: true, value: { writeText: async (t) => { window.copied = t; } } }));
  await page.keyboard.press('Alt+KeyL');
  await session.runFor(10);
  return page.evaluate(() => window.copied);
};

describe('switching the language', () => {
  it('the menu lists every language in its own name, ticks the one shown, and switches every text at once', async () => {
    const page = await openAt('');
    const own = await page.evaluate(() => document.documentElement.lang);
    // No face of a language not shown is made as the page opens.
    const arabicFaces = await page.evaluate(() => JSON.parse(document.getElementById('layout').textContent)
      .languages.find((l) => l.code === 'ar').fontFamilies);
    const faces = () => page.evaluate(() => [...document.fonts].map((f) => [f.family, f.status]));
    assert.ok(arabicFaces.length > 0);
    for (const family of arabicFaces) assert.ok(!(await faces()).some(([f]) => f === family), `${family} at load`);
    await page.click('#menu-button');
    await page.keyboard.press('End');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'menu-Language');
    await page.keyboard.press('ArrowRight');
    const items = await languageItems(page);
    assert.deepEqual(items.map((i) => [i.role, i.lang, i.name]),
      languages.map((l) => ['menuitemradio', l.tag, texts(l.code)['language.name']]));
    assert.deepEqual(items.filter((i) => i.checked === 'true').map((i) => i.lang), [own]);
    assert.equal(await page.evaluate(() => document.activeElement.lang), own, 'the focus on the one shown');
    await page.keyboard.press('ArrowLeft');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'menu-Language', 'back out');
    await page.keyboard.press('Escape');

    // Arabic: every text, the direction, the voice, its own faces, made
    // only now; the window stays as designed, not mirrored.
    const before = await page.locator('#Command1').boundingBox();
    const ownPlace = await page.locator('#Check1-label').boundingBox();
    await choose(page, 'ar');
    for (const family of arabicFaces) assert.ok((await faces()).some(([f, status]) => f === family && status === 'loaded'), family);
    const po = texts('ar');
    assert.deepEqual(await documentLanguage(page), ['ar', 'rtl']);
    assert.deepEqual(await shownCaptions(page, Object.keys(captionsOf(po))), captionsOf(po));
    assert.equal(await page.title(), po.Form1.replace('{program}', await page.evaluate(() =>
      JSON.parse(document.getElementById('layout').textContent).programName)));
    assert.equal(await page.locator('#menu-button').getAttribute('aria-label'), po['teaching.menu']);
    assert.equal(await page.locator('#surface').getAttribute('aria-label'), po['spoken.diagramName']);
    assert.equal(await page.locator('#Text1').getAttribute('aria-label'), po.Label1);
    assert.deepEqual(await page.locator('#Command1').boundingBox(), before, 'no control moves');
    assert.deepEqual(await page.evaluate(() => ['form1', 'Text1', 'menu-popup', 'notice', 'Command1']
      .map((id) => getComputedStyle(document.getElementById(id)).direction)), ['ltr', 'ltr', 'rtl', 'rtl', 'rtl']);
    await page.click('#menu-button');
    assert.equal(await page.locator('#menu-Language .menu-caption').textContent(), po['teaching.language']);
    await page.keyboard.press('Escape');

    // A language's layout rows move its controls, and they come back.
    const label1 = () => page.evaluate(() => window.quarvel.labels().find((l) => l.name === 'Label1').left);
    const ownLabel = await label1();
    const other = own === 'ja' ? 'en' : 'ja';
    await choose(page, other);
    assert.notDeepEqual(await page.locator('#Check1-label').boundingBox(), ownPlace);
    assert.notEqual(await label1(), ownLabel);
    await choose(page, languages.find((l) => l.tag === own).code);
    assert.deepEqual(await page.locator('#Check1-label').boundingBox(), ownPlace);
    assert.equal(await label1(), ownLabel);
    await close();
  });

  it('a run switched midway ticks as one never switched', async () => {
    const run = async (switchTo) => {
      const page = await openAt('');
      await page.click('#Command1');
      await tick(page, 30);
      if (switchTo) await choose(page, switchTo);
      await tick(page, 30);
      const data = await csv(page);
      await close();
      return data;
    };
    const plain = await run(null);
    assert.equal(plain.trimEnd().split('\n').length, 61);
    assert.equal(await run('zh-Hans'), plain);
  });

  it('the link carries the language shown, and a page opened at it shows it', async () => {
    const page = await openAt('');
    assert.doesNotMatch(await copiedLink(page), /lang=/, 'the page\'s own language needs no word');
    await choose(page, 'pt-BR');
    const fragment = (await copiedLink(page)).split('#')[1];
    assert.match(fragment, /(^|&)lang=pt-BR(&|$)/);
    await close();
    await openAt(fragment);
    assert.deepEqual(await documentLanguage(await session.page), ['pt-BR', 'ltr']);
    await close();
  });

  // Codes without regard to case, and a bare language for its one variant.
  for (const [asked, tag] of [['ES', 'es'], ['pt', 'pt-BR'], ['zh', 'zh-Hans'], ['Zh-hans', 'zh-Hans']]) {
    it(`a link's lang=${asked} opens the page in ${tag}`, async () => {
      assert.equal((await documentLanguage(await openAt(`lang=${asked}`)))[0], tag);
      await close();
    });
  }

  it('a language the page lacks opens it in its own, with a notice that names it, and the run starts', async () => {
    const page = await openAt('lang=xx&start');
    await session.runFor(20);
    const own = await page.evaluate(() => JSON.parse(document.getElementById('layout').textContent).ownLanguage);
    assert.equal((await documentLanguage(page))[0], languages.find((l) => l.code === own).tag);
    assert.equal(await page.locator('#notice').isVisible(), true);
    const notice = await page.locator('#notice-text').textContent();
    assert.match(notice, filled(texts(own)['setup.languageUnknown']));
    assert.ok(notice.includes('xx'), notice);
    assert.equal((await page.evaluate(() => window.quarvel.state())).runStarted, true);
    await close();
  });

  it('a link\'s value is decoded once: its box and its notice show the same text', async () => {
    const page = await openAt('temperature=%E0%A4%A&start');
    await session.runFor(20);
    const box = await page.locator('#Text1').inputValue();
    assert.ok(box.includes('\uFFFD') && box.endsWith('%A'), box);
    assert.ok((await page.locator('#notice-text').textContent()).includes(box), 'the notice quotes the box');
    await close();
  });
});
