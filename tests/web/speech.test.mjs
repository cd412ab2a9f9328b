// Speech in the page: a recording stand-in for the browser's speechSynthesis,
// installed before the page's scripts, whose voices arrive late. What the
// page hands it, in which voice, and what it never says.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { japanese, launchBrowser, openPage, tick, typeInto } from './harness.mjs';
import { filled, languages, texts } from './po.mjs';
import { chooseVoice } from '../../ui/web/js/voice.js';

const own = japanese ? 'ja' : 'en';
const po = texts(own);

// Runs in the page before its scripts. Voices come when the test calls
// __speech.arrive(); each utterance stays in speech until __speech.finish().
// Without userActivation, as in an older iPad's Safari (playwright's own
// calls count as a user's action).
function standIn({ missing, voices: early, safari }) {
  if (safari) delete Navigator.prototype.userActivation;
  if (missing) {
    delete window.speechSynthesis;
    delete Window.prototype.speechSynthesis;
    delete window.SpeechSynthesisUtterance;
    return;
  }
  const synth = new EventTarget();
  let voices = early ?? [];
  const queue = [];
  const spoken = [];
  synth.getVoices = () => voices.slice();
  synth.speak = (u) => {
    spoken.push({ text: u.text, lang: u.lang, voice: u.voice?.name ?? null });
    queue.push(u);
  };
  synth.cancel = () => queue.splice(0).forEach((u) => u.onerror?.({ error: 'canceled' }));
  synth.pause = synth.resume = () => {};
  window.__speech = {
    spoken,
    queued: () => queue.length,
    arrive: (list) => { voices = list; synth.dispatchEvent(new Event('voiceschanged')); },
    finish: () => queue.shift()?.onend?.({}),
  };
  Object.defineProperty(window, 'speechSynthesis', { value: synth, configurable: true });
  window.SpeechSynthesisUtterance = class { constructor(text) { this.text = text; } };
}

const voice = (name, lang, localService = true) => ({ name, lang, localService, default: false, voiceURI: name });
// Online voices of the page's language before the local ones that must be
// chosen; no Korean voice.
const voices = [voice('Online English', 'en-GB', false), voice('Online Japanese', 'ja-JP', false),
  voice('Maged', 'ar-SA'), voice('Samantha', 'en-US'), voice('Kyoko', 'ja-JP'), voice('Meijia', 'zh-TW')];
const ownVoice = japanese ? { voice: 'Kyoko', lang: 'ja-JP' } : { voice: 'Samantha', lang: 'en-US' };
const koreanVoice = voice('Yuna', 'ko-KR');

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

let session;
const open = async ({ missing = false, early = null, safari = false, fragment = '' } = {}) => {
  session = await openPage(browser, { before: [standIn, { missing, voices: early, safari }], fragment });
  return session.page;
};
const close = async () => {
  assert.deepEqual(session.errors, [], 'no script error on the page');
  await session.close();
};
const spoken = (page) => page.evaluate(() => window.__speech.spoken.slice());
const said = async (page) => (await spoken(page)).map((s) => s.text);
const arrive = (page, list) => page.evaluate((l) => window.__speech.arrive(l), list);
const finish = (page) => page.evaluate(() => window.__speech.finish());
const speakItem = async (page) => {
  await page.click('#menu-button');
  const item = await page.evaluate(() => {
    const e = document.getElementById('menu-Speak');
    return { role: e.getAttribute('role'), text: e.querySelector('.menu-caption').textContent,
      checked: e.getAttribute('aria-checked'), disabled: e.getAttribute('aria-disabled') === 'true' };
  });
  await page.keyboard.press('Escape');
  return item;
};
const chooseLanguage = async (page, code) => {
  await page.click('#menu-button');
  await page.click('#menu-Language');
  await page.click(`#menu-language-${code}`);
  const tag = languages.find((l) => l.code === code).tag;
  await page.waitForFunction((t) => document.documentElement.lang === t, tag);
};

describe('speech in the page', () => {
  it('is silent until turned on, then speaks Start, Light and the doping entry in a voice of the language', async () => {
    const page = await open();
    await page.click('#Command1');
    await arrive(page, voices);
    assert.deepEqual(await said(page), [], 'off when the page opens');
    const off = await speakItem(page);
    assert.deepEqual([off.role, off.text, off.checked, off.disabled], ['menuitemcheckbox', po['teaching.speak'],
      'false', false]);
    await page.keyboard.press('Alt+KeyK');
    assert.equal((await speakItem(page)).checked, 'true');
    await page.click('#Command1');
    const [start] = await spoken(page);
    assert.match(start.text, filled(po['spoken.started']));
    assert.deepEqual({ voice: start.voice, lang: start.lang }, ownVoice, 'the local voice of the language');
    await finish(page);
    await page.click('#Command5');
    assert.match((await spoken(page))[1].text, filled(po['spoken.light']));
    await finish(page);
    // Typing into a doping box is said once the typing pauses.
    await typeInto(page, 'Text4', '1e12');
    assert.equal((await said(page)).length, 2, 'not while typing');
    await session.runFor(2000);
    const entry = (await said(page)).slice(2);
    assert.equal(entry.length, 1);
    assert.match(entry[0], filled(po['spoken.dopingSet']));
    await close();
  });

  it('waits for voices that arrive late and for a first action when a link turns it on', async () => {
    const page = await open({ fragment: 'speak=on&start', safari: true });
    await session.runFor(3000);
    assert.deepEqual(await said(page), [], 'no voice yet');
    await arrive(page, voices);
    assert.deepEqual(await said(page), [], 'no action yet');
    await page.mouse.click(2, 2);
    const [start] = await spoken(page);
    assert.match(start?.text ?? '', filled(po['spoken.started']));
    assert.equal(start.voice, ownVoice.voice);
    await close();
  });

  it('never speaks a language in another\'s voice: the command is greyed and says why until a voice comes', async () => {
    const page = await open();
    await page.keyboard.press('Alt+KeyK');
    await chooseLanguage(page, 'ko');
    // Handed over while the voices are not known, and held.
    await page.click('#Command1');
    await arrive(page, voices);
    const ko = texts('ko');
    const greyed = await speakItem(page);
    assert.equal(greyed.text, ko['teaching.noVoice'].replace('{language}', ko['language.name']));
    assert.equal(greyed.disabled, true);
    await page.keyboard.press('Alt+Shift+KeyK');
    await page.click('#Command5');
    assert.deepEqual(await said(page), [], 'nothing in Korean without a Korean voice');
    await arrive(page, [...voices, koreanVoice]);
    assert.equal((await speakItem(page)).disabled, false, 'back when a voice appears');
    await page.click('#Command5');
    assert.deepEqual((await spoken(page)).map((s) => s.voice), ['Yuna']);
    await finish(page);
    await chooseLanguage(page, own);
    await page.click('#Command5');
    assert.equal((await spoken(page)).at(-1).voice, ownVoice.voice, 'the language\'s own voice again');
    await close();
  });

  it('keeps one utterance waiting, so that speech never falls behind at speed 20', async () => {
    const page = await open({ early: voices });
    await page.keyboard.press('Alt+KeyK');
    await page.click('#Command1');
    // Each newer utterance replaces the one waiting.
    for (let i = 0; i < 4; i++) await page.keyboard.press('Alt+Period');
    assert.equal((await said(page)).length, 1, 'Start is still being said');
    await finish(page);
    assert.deepEqual((await said(page)).slice(1), [po['spoken.speed'].replace('{n}', '20')]);
    await finish(page);
    await session.runFor(10000);
    assert.equal((await said(page)).length, 2, 'a run says nothing by itself');
    // A long text sentence by sentence; what follows replaces its rest.
    await page.keyboard.press('Alt+Shift+KeyK');
    const scene = (await said(page)).slice(2);
    assert.equal(scene.length, 1, 'one sentence at a time');
    assert.ok(scene[0].length < 40, scene[0]);
    await finish(page);
    assert.equal((await said(page)).length, 4, 'the next sentence');
    await page.click('#Command5');
    await finish(page);
    assert.match((await said(page)).at(-1), filled(po['spoken.light']), 'Light, not the rest of the diagram');
    assert.equal(await page.evaluate(() => window.__speech.queued()), 1);
    // Turned off, it stops at once.
    await page.keyboard.press('Alt+KeyK');
    assert.equal(await page.evaluate(() => window.__speech.queued()), 0);
    // An engine that never says it has finished is not waited for long.
    await page.keyboard.press('Alt+KeyK');
    await page.keyboard.press('Alt+KeyP');
    await page.keyboard.press('Alt+KeyP');
    await session.runFor(5000);
    assert.deepEqual((await said(page)).slice(-2), [po['spoken.paused'], po['spoken.resumed']]);
    await close();
  });

  it('where the browser has no speech, the page works and the command says why', async () => {
    const page = await open({ missing: true });
    const item = await speakItem(page);
    assert.equal(item.text, po['teaching.noService']);
    assert.equal(item.disabled, true);
    await page.keyboard.press('Alt+KeyK');
    await page.click('#Command1');
    await tick(page, 5);
    assert.equal(await page.evaluate(() => window.quarvel.state().electronCount > 0), true);
    assert.equal((await speakItem(page)).checked, 'false');
    await close();
  });
});

describe('choosing a voice', { skip: japanese && 'the same in both pages' }, () => {
  // tag, the voices' langs in the engine's order ("!" on the device), the
  // one chosen, the reader's languages.
  const cases = [
    ['en', 'ja-JP en-GB en-US!', 'en-US'], ['en', 'en-GB-x-rp en-US', 'en-GB-x-rp', ['en-GB']],
    ['ja', 'en-US ja_JP', 'ja_JP'], ['ru', 'ru-LV ru', 'ru'], ['fr', 'fr-BE fr-CH fr-FR', 'fr-FR'],
    ['pt-BR', 'pt-PT pt pt-BR', 'pt-BR'], ['pt-BR', 'pt-PT pt', 'pt'], ['pt-BR', 'es-ES pt-PT', 'pt-PT'],
    ['zh-Hans', 'zh-TW zh-HK yue cmn-latn-pinyin zh-Hant', null], ['zh-Hans', 'zh-TW cmn', 'cmn'],
    ['zh-Hans', 'zh zh-CN', 'zh-CN'], ['id', 'ms-MY in_ID', 'in_ID'], ['ar', 'fa he ur', null],
  ];
  for (const [tag, langs, chosen, liked = []] of cases) {
    it(`${tag} among ${langs}${liked.length ? ` for a reader of ${liked}` : ''}`, () => {
      const list = langs.split(' ').map((l) => ({ name: l, lang: l.replace('!', ''), localService: l.endsWith('!') }));
      assert.equal(chooseVoice(list, tag, liked)?.lang ?? null, chosen);
    });
  }
});
