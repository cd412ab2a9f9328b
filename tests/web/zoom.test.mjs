// Enlarging the page: Ctrl+Plus, Ctrl+= and Ctrl+Minus step through the
// desktop's zoom steps of the fitted size and Ctrl+0 fits again; beyond the
// viewport the page pans by scroll bars, by dragging and with the keyboard
// focus; pinch zoom neither lays the page out again nor moves it; and at 2x
// on a phone every tap target is at least 24 x 24 CSS px.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { FORM_HEIGHT, FORM_WIDTH, build, launchBrowser, openPage, state } from './harness.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

const STEPS = [1, 1.25, 1.5, 2, 2.5, 3, 4];
const phone = { width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true };
const targets = ['Command1', 'Command2', 'Command4', 'Command5', 'Check1-label', 'Picture1', 'menu-button',
  'Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Text7'];

const near = (actual, expected, what, tolerance = 1.5) =>
  assert.ok(Math.abs(actual - expected) <= tolerance, `${what}: ${actual} is not ${expected}`);

// Where the form and its canvas stand, in CSS px of the page.
const geometry = (page) => page.evaluate(() => {
  const form = document.getElementById('form1').getBoundingClientRect();
  const surface = document.getElementById('surface');
  const e = document.scrollingElement;
  return {
    left: form.left + scrollX, top: form.top + scrollY, width: form.width, height: form.height,
    canvas: surface.width, scrollWidth: e.scrollWidth, scrollHeight: e.scrollHeight,
    innerWidth: e.clientWidth, innerHeight: e.clientHeight, scrollX, scrollY,
  };
});

describe('zoom keys', () => {
  for (const viewport of [{ width: 574, height: 353 }, { width: 1280, height: 720 }]) {
    it(`at ${viewport.width}x${viewport.height} step through every zoom and fit again`, async () => {
      const { page, close, errors } = await openPage(browser, viewport);
      const fitted = Math.min(viewport.width / FORM_WIDTH, viewport.height / FORM_HEIGHT);
      const expectStep = async (step, what) => {
        const g = await geometry(page);
        near(g.width, FORM_WIDTH * fitted * step, `${what}: form width`);
        near(g.height, FORM_HEIGHT * fitted * step, `${what}: form height`);
        // Centred while it fits, from the top-left corner once it does not.
        near(g.left, Math.max(0, Math.round((viewport.width - g.width) / 2)), `${what}: form left`);
        near(g.top, Math.max(0, Math.round((viewport.height - g.height) / 2)), `${what}: form top`);
        // The whole form can be scrolled to, and no further.
        near(g.scrollWidth, Math.max(viewport.width, Math.ceil(g.width)), `${what}: scroll width`);
        near(g.scrollHeight, Math.max(viewport.height, Math.ceil(g.height)), `${what}: scroll height`);
        // The diagram is painted sharp: a device pixel per pixel it covers.
        near(g.canvas, Math.min(g.width, 4096), `${what}: canvas pixels`);  // at 1 dppx
        return g;
      };
      await expectStep(1, 'fitted');
      const keys = ['Equal', 'Shift+Equal', 'NumpadAdd'];
      for (let i = 1; i < STEPS.length; i++) {
        await page.keyboard.press(`ControlOrMeta+${keys[i % keys.length]}`);
        await expectStep(STEPS[i], `step ${STEPS[i]}`);
      }
      await page.keyboard.press('ControlOrMeta+Equal');
      await expectStep(4, 'past the largest step');
      await page.keyboard.press('ControlOrMeta+Minus');
      await expectStep(3, 'a step back');
      await page.keyboard.press('ControlOrMeta+Digit0');
      await expectStep(1, 'fitted again');
      assert.deepEqual(errors, []);
      await close();
    });
  }

  it('at 4x the page pans by scroll bars, by dragging and with the keyboard focus, and still works', async () => {
    const viewport = { width: 574, height: 353 };
    const { page, close, errors } = await openPage(browser, viewport);
    for (let i = 1; i < STEPS.length; i++) await page.keyboard.press('ControlOrMeta+Equal');
    // Start has the focus since the load: the view moved to it.
    const inView = async (id) => {
      const box = await page.locator(`#${id}`).boundingBox();
      return box.x >= 0 && box.y >= 0 && box.x + box.width <= viewport.width &&
        box.y + box.height <= viewport.height;
    };
    assert.ok(await inView('Command1'), 'Start is in view');
    await page.keyboard.press('Enter');
    assert.equal((await state(page)).timer1Enabled, true, 'Start ran at 4x');
    // Scroll bars: the view scrolls to the top-left corner.
    await page.evaluate(() => scrollTo(0, 0));
    assert.deepEqual(await page.evaluate(() => [scrollX, scrollY]), [0, 0]);
    // Dragging the diagram moves the view with the pointer.
    await page.mouse.move(300, 250);
    await page.mouse.down();
    await page.mouse.move(200, 150, { steps: 4 });
    await page.mouse.up();
    assert.deepEqual(await page.evaluate(() => [scrollX, scrollY]), [100, 100]);
    // Tab brings the next control into view.
    await page.locator('#Command1').focus();
    await page.evaluate(() => scrollTo(0, 0));
    await page.keyboard.press('Tab');
    const focused = await page.evaluate(() => document.activeElement.id);
    assert.ok(await inView(focused), `${focused} is in view`);
    await page.waitForTimeout(300);  // for the enlarged layer's tiles
    await page.screenshot({ path: join(process.env.QUARVEL_SCREENSHOTS || process.cwd(), `${build}-zoom-4x.png`) });
    assert.deepEqual(errors, []);
    await close();
  });
});

describe('on a phone', () => {
  it('pinch zoom enlarges the view without laying the page out again', async () => {
    const { page, context, close, errors } = await openPage(browser, phone);
    const before = await geometry(page);
    const cdp = await context.newCDPSession(page);
    await cdp.send('Input.synthesizePinchGesture', { x: 100, y: 200, scaleFactor: 2, relativeSpeed: 800 });
    assert.ok(await page.evaluate(() => visualViewport.scale) > 1.5, 'the view is enlarged');
    const after = await geometry(page);
    assert.deepEqual({ ...after, scrollX: 0, scrollY: 0 }, { ...before, scrollX: 0, scrollY: 0 });
    assert.deepEqual(errors, []);
    await close();
  });

  it('at 2x every tap target is at least 24 x 24 CSS px', async () => {
    const { page, close } = await openPage(browser, phone);
    for (let i = 0; i < STEPS.indexOf(2); i++) await page.keyboard.press('ControlOrMeta+Equal');
    const g = await geometry(page);
    near(g.width, phone.width * 2, 'form width at 2x');
    for (const id of targets) {
      const box = await page.locator(`#${id}`).boundingBox();
      assert.ok(box.width >= 24 && box.height >= 24, `${id}: ${box.width} x ${box.height}`);
    }
    await close();
  });
});
