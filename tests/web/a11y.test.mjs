// What a screen reader finds on the page: the described band diagram,
// inputs with unit and range, one polite live region that announces each
// action once, and readouts that do not chatter while they hold the focus.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { japanese, launchBrowser, openPage, state, tick, typeInto } from './harness.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

const heard = japanese ? {
  diagram: 'バンド図',
  opened: 'バンド図。 開始前です。 電界なし。',
  scene: 'バンド図。 300 K で実行中です。 フェルミ準位は 0.5 eV で、二つのバンド端の中央にあります。 ' +
    '伝導帯に電子 30 個、価電子帯に正孔 30 個。 電界なし。',
  started: '300 K、フェルミ準位 0.5 eV で開始しました: 電子 30 個、正孔 30 個。',
  light: '光照射: 電子 99 個、正孔 99 個。',
  diffusion: 'すべてのキャリアを結晶の中央に集めました。ふたたび広がります。',
  fieldOn: '弱電界印加中: 電子は右へ、正孔は左へ流れます。',
  fieldOff: '電界なし。',
  doping: 'フェルミ準位を 0.7 eV にしました。',
  temperature: '温度（ケルビン）、0 から 4436 まで。',
  fermi: '価電子帯の端から測ったフェルミ準位（eV）、-24.706 から 29.907 まで。',
} : {
  diagram: 'Band diagram',
  opened: 'Band diagram. Not started. No field.',
  scene: 'Band diagram. Running at 300 K. Fermi level 0.5 eV, midway between the band edges. ' +
    '30 electrons in the conduction band, 30 holes in the valence band. No field.',
  started: 'Started at 300 K, Fermi level 0.5 eV: 30 electrons, 30 holes.',
  light: 'Light: 99 electrons, 99 holes.',
  diffusion: 'Every carrier is gathered at the middle of the crystal and spreads again.',
  fieldOn: 'Weak field on: electrons drift right, holes drift left.',
  fieldOff: 'No field.',
  doping: 'Fermi level set to 0.7 eV.',
  temperature: 'Temperature in kelvin, from 0 to 4436.',
  fermi: 'Fermi level in eV above the valence band edge, from -24.706 to 29.907.',
};

// The text an element is described by, as a screen reader resolves it.
const description = (page, id) => page.evaluate((target) => {
  const ids = document.getElementById(target).getAttribute('aria-describedby') ?? '';
  return ids.split(/\s+/).filter(Boolean).map((d) => document.getElementById(d).textContent).join(' ');
}, id);

// The live region once the frame that fills it has run.
async function announced(session) {
  await session.runFor(20);
  return session.page.locator('#announcer').textContent();
}

describe('screen reader', () => {
  let session;
  const open = async () => { session = await openPage(browser); return session.page; };
  const close = async () => {
    assert.deepEqual(session.errors, []);
    await session.close();
  };

  it('finds a named, described diagram and inputs with unit and range', async () => {
    const page = await open();
    const tree = await page.locator('body').ariaSnapshot();
    assert.match(tree, new RegExp(`img "${heard.diagram}"`));
    assert.equal(await page.locator('[aria-live="polite"]').count(), 1, 'one live region');
    assert.equal(await description(page, 'Text1'), heard.temperature);
    assert.equal(await description(page, 'Text2'), heard.fermi);
    assert.notEqual(await description(page, 'Check1'), '');
    assert.notEqual(await description(page, 'Text4'), '');
    assert.notEqual(await description(page, 'Text4'), await description(page, 'Text5'));
    assert.equal(await description(page, 'Text3'), '', 'a readout needs no range');
    await session.runFor(20);
    assert.equal(await description(page, 'surface'), heard.opened, 'described once the first frame stands');
    await page.click('#Command1');
    await session.runFor(0);
    assert.equal(await description(page, 'surface'), heard.scene);
    await tick(page, 40);
    await session.runFor(1100);
    assert.match(await description(page, 'Picture1'), /\d+.*\d+.*\d+/, 'the chart gives its trend');
    await close();
  });

  it('announces each action once, the doping entry only when the typing pauses', async () => {
    const page = await open();
    await page.click('#Command1');
    assert.equal(await announced(session), heard.started);
    await page.click('#Command5');
    assert.equal(await announced(session), heard.light);
    await page.click('#Command4');
    assert.equal(await announced(session), heard.diffusion);
    await page.click('#Check1');
    assert.equal(await announced(session), heard.fieldOn);
    await page.click('#Check1');
    assert.equal(await announced(session), heard.fieldOff);
    await typeInto(page, 'Text4', '1e16');
    await session.runFor(500);
    assert.equal(await page.locator('#announcer').textContent(), heard.fieldOff, 'not while typing');
    await session.runFor(600);
    assert.equal(await announced(session), heard.doping);
    // A refused Start speaks through its notice, not the live region.
    await typeInto(page, 'Text1', 'abc');
    await page.click('#Command1');
    assert.equal(await announced(session), heard.doping);
    await close();
  });

  it('keeps a focused readout from changing more often than every 2 s', async () => {
    const page = await open();
    await page.click('#Command1');
    await page.focus('#Text3');
    const shown = () => page.locator('#Text3').inputValue();
    const counts = [];
    for (let i = 0; i < 60 && new Set(counts).size < 3; ++i) {
      await tick(page);
      counts.push(String((await state(page)).electronCount));
    }
    assert.ok(new Set(counts).size >= 2, 'the count changed during the ticks');
    const first = await shown();
    assert.ok(counts.includes(first));
    await session.runFor(1000);
    assert.equal(await shown(), first, 'held within the 2 s');
    await session.runFor(1100);
    assert.equal(await shown(), String((await state(page)).electronCount), 'the latest after 2 s');
    await tick(page, 30);
    await page.focus('#Command1');
    assert.equal(await shown(), String((await state(page)).electronCount), 'the latest once the focus leaves');
    await close();
  });
});
