// The page without a mouse and with a finger: focus and Tab order, Enter and
// space on the buttons, full-width input, the notice of a refused Start, and
// the end of the program by Close.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import {
  captions, launchBrowser, openPage, state, tabOrder, tick, typeInto, valueOf, viewports, words,
} from './harness.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

const focused = (page) => page.evaluate(() => document.activeElement?.id ?? '');

// Moves the focus with Tab alone until it reaches the control.
async function tabTo(page, id) {
  for (let i = 0; i < 30 && (await focused(page)) !== id; ++i) await page.keyboard.press('Tab');
  assert.equal(await focused(page), id);
}

// Every case at 1x; at the projector's size those whose outcome hangs on
// where things stand on the screen: taps, clicks and the dialog.
for (const viewport of viewports) {
  const every = viewport === viewports[0];
  describe(`at ${viewport.name}`, () => {
    let session;
    const open = async (options = {}) => {
      session = await openPage(browser, { ...viewport, ...options });
      return session.page;
    };
    const closeSession = async () => {
      assert.deepEqual(session.errors, [], 'no script error on the page');
      await session.close();
    };

    if (every) it('the focus starts on Start and Tab walks the layout order', async () => {
      const page = await open();
      assert.equal(await focused(page), 'Command1');
      const visited = [];
      for (let i = 0; i < tabOrder.length; ++i) {
        await page.keyboard.press('Tab');
        visited.push(await focused(page));
      }
      assert.deepEqual(visited, tabOrder);
      for (let i = tabOrder.length - 2; i >= 0; --i) {
        await page.keyboard.press('Shift+Tab');
        assert.equal(await focused(page), tabOrder[i]);
      }
      await closeSession();
    });

    if (every) it('a run by keyboard alone: space and Enter press the focused control', async () => {
      const page = await open();
      // Enter in a text box presses no button.
      await tabTo(page, 'Text1');
      await page.keyboard.press('Enter');
      assert.equal((await state(page)).timer1Enabled, false);
      // Typing in the donor box rewrites the Fermi level at every key.
      await tabTo(page, 'Text4');
      await page.keyboard.press('End');
      await page.keyboard.press('Backspace');  // 1e1: ten donors
      assert.equal(await valueOf(page, 'Text2'), '0.2');
      await page.keyboard.type('6');  // 1e16
      assert.equal(await valueOf(page, 'Text2'), '0.7');
      // Back to Start against the Tab order.
      for (let i = tabOrder.indexOf('Text4'); i >= 0; --i) await page.keyboard.press('Shift+Tab');
      assert.equal(await focused(page), 'Command1');
      await page.keyboard.press(' ');
      let s = await state(page);
      assert.deepEqual([s.timer1Enabled, s.electronCount, s.holeCount], [true, 42, 18]);
      await tick(page, 5);
      await tabTo(page, 'Command4');
      await page.keyboard.press('Enter');
      s = await state(page);
      assert.ok(s.electrons.every((e) => e.left === 2700), 'Enter on the diffusion button gathers');
      await tabTo(page, 'Check1');
      await page.keyboard.press(' ');
      assert.deepEqual((await state(page)).line7Visible, Array(6).fill(true));
      await tabTo(page, 'Command5');
      const before = await state(page);
      await page.keyboard.press(' ');
      s = await state(page);
      assert.equal(s.electronCount, 90, `light from ${before.electronCount}`);
      await closeSession();
    });

    // A Japanese input method composes full-width text and then commits it:
    // the boxes read it as the number it means.
    if (every) it('full-width digits from an input method read as the same numbers', async () => {
      const page = await open();
      const cdp = await page.context().newCDPSession(page);
      const compose = async (id, text) => {
        await page.click(`#${id}`);
        await page.keyboard.press('ControlOrMeta+a');
        await page.keyboard.press('Backspace');
        for (let i = 1; i <= text.length; ++i) {
          await cdp.send('Input.imeSetComposition', { text: text.slice(0, i), selectionStart: i, selectionEnd: i });
        }
        await cdp.send('Input.insertText', { text });
      };
      await compose('Text4', '１ｅ１６');
      assert.equal(await valueOf(page, 'Text4'), '１ｅ１６');
      assert.equal(await valueOf(page, 'Text2'), '0.7', 'the doping sets the Fermi level');
      await compose('Text1', '３５０');
      await page.click('#Command1');
      await session.runFor(0);
      assert.equal(await page.locator('dialog#notice').evaluate((d) => d.open), false, 'nothing refused');
      const s = await state(page);
      assert.deepEqual([s.timer1Enabled, s.temperature], [true, 350]);
      await closeSession();
    });

    it('a tap works on the buttons, the check box and the boxes', async () => {
      const page = await open({ hasTouch: true });
      await page.tap('#Command1');
      assert.equal((await state(page)).timer1Enabled, true);
      await page.tap('#Check1-label');
      assert.deepEqual((await state(page)).line7Visible, Array(6).fill(true));
      await page.tap('#Text2');
      assert.equal(await focused(page), 'Text2');
      await page.tap('#Command4');
      assert.ok((await state(page)).electrons.every((e) => e.left === 2700));
      await closeSession();
    });

    // A refused Start: the notice names the box by its caption and the range;
    // however it is closed, the box has the focus with its text selected and
    // the run has gone on untouched.
    const refusals = [
      { box: 'Text1', text: 'abc', caption: captions.Label1, numbers: ['0', '4436'], closeBy: 'Enter' },
      { box: 'Text2', text: '30', caption: captions.Label3, numbers: ['-24.706', '29.907'],
        closeBy: 'Escape' },
      { box: 'Text1', text: '99999', caption: captions.Label1, numbers: ['4436'], closeBy: 'button' },
    ];
    for (const refusal of every ? refusals : refusals.slice(0, 1)) {
      it(`Start refuses ${refusal.box} "${refusal.text}", closed by ${refusal.closeBy}`, async () => {
        const page = await open();
        await page.click('#Command1');
        await tick(page, 5);
        await typeInto(page, refusal.box, refusal.text);
        const before = await state(page);
        await page.click('#Command1');
        await session.runFor(0);  // the notice opens once the handler has returned
        const notice = page.locator('dialog#notice');
        assert.equal(await notice.evaluate((d) => d.open), true);
        const text = await page.locator('#notice-text').textContent();
        assert.ok(text.includes(refusal.caption), text);
        for (const number of refusal.numbers) assert.ok(text.includes(number), `${number} in ${text}`);
        assert.deepEqual(await state(page), before, 'the refusal changes nothing');
        // The run goes on behind the notice.
        await session.runFor(200);
        const during = await state(page);
        assert.ok(during.chartPoints >= before.chartPoints + 3, 'ticks go on while the notice shows');
        if (refusal.closeBy === 'button') await page.click('#notice-ok');
        else await page.keyboard.press(refusal.closeBy);
        assert.equal(await notice.evaluate((d) => d.open), false);
        // The dialog's close event, which hands the focus on, comes as a task of its own.
        await page.waitForFunction((id) => document.activeElement?.id === id, refusal.box, { timeout: 2000 })
          .catch(() => {});
        assert.equal(await focused(page), refusal.box);
        const selection = await page.$eval(`#${refusal.box}`, (e) => [e.selectionStart, e.selectionEnd]);
        assert.deepEqual(selection, [0, refusal.text.length]);
        assert.equal(await valueOf(page, refusal.box), refusal.text);
        await session.runFor(200);
        const afterwards = await state(page);
        assert.ok(afterwards.chartPoints >= during.chartPoints + 3, 'ticks go on after the notice');
        assert.equal(afterwards.temperature, 300, 'the closing key restarted nothing');
        assert.equal(await page.locator('dialog[open]').count(), 0);
        await closeSession();
      });
    }

    const closings = ['click', 'Enter'];
    for (const closing of every ? closings : closings.slice(0, 1)) {
      it(`Close by ${closing} stops both timers, disables every control and says so`, async () => {
        const page = await open();
        await page.click('#Command1');
        await session.runFor(300);
        await page.fill('#Text7', 'abc');
        if (closing === 'click') {
          await page.click('#Command2');
        } else {
          await page.focus('#Command1');
          await tabTo(page, 'Command2');
          await page.keyboard.press('Enter');
        }
        const ended = await state(page);
        assert.equal(ended.ended, true);
        assert.equal(ended.timer1Enabled, false);
        // The window's every control; the menu stays, for what the run recorded.
        const enabled = await page.$$eval('#form1 button, #form1 input',
          (controls) => controls.filter((c) => !c.disabled).map((c) => c.id));
        assert.deepEqual(enabled, ['menu-button']);
        const message = page.locator('#ended');
        assert.equal(await message.isVisible(), true);
        assert.equal(await message.getAttribute('role'), 'alert');
        assert.ok((await message.textContent()).includes(words.ended));
        // Neither timer fires again: no tick, and the current readout keeps
        // the text that Timer2 would have overwritten.
        await session.runFor(2500);
        const later = await state(page);
        assert.equal(later.chartPoints, ended.chartPoints);
        assert.deepEqual(later.electrons, ended.electrons);
        assert.equal(await valueOf(page, 'Text7'), 'abc');
        await page.click('#Command1', { force: true });
        assert.deepEqual(await state(page), later);
        await closeSession();
      });
    }
  });
}
