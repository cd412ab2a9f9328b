// What every browser test needs: Debian's Chromium driven by playwright-core,
// the page under test opened from its file with a clock the test steps, and
// the expected texts of the build. QUARVEL_PAGE names the page.
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

let chromium;
try {
  ({ chromium } = await import('playwright-core'));
} catch (error) {
  throw new Error(`playwright-core is missing: run scripts/install-deps.sh (${error.message})`);
}

if (!process.env.QUARVEL_PAGE) throw new Error('QUARVEL_PAGE must name quarvel.html or norvia.html');
export const pagePath = resolve(process.env.QUARVEL_PAGE);
export const pageUrl = pathToFileURL(pagePath).href;
export const build = basename(pagePath, '.html');
export const japanese = build === 'norvia';

// The design area is 8610 x 5295 twips, 574 x 353 CSS px before scaling.
export const TWIPS_PER_PX = 15;
export const FORM_WIDTH = 574;
export const FORM_HEIGHT = 353;

export const viewports = [
  { name: '1x', width: 574, height: 353 },
  { name: '1920x1080', width: 1920, height: 1080 },
];

// The captions and initial texts of each build, as a user reads them.
const englishCaptions = {
  Command1: 'Start/Restart',
  Command2: 'Close',
  Command4: 'Sim Difusion',
  Command5: 'Light （carrier injection）',
  Check1: 'Weak Electric field',
  Label1: 'Temp.(K)',
  Label3: 'Fermi  level (eV)',
  Label4: 'Electrons',
  Label5: 'Impurity concentration(cm-3)',
  Label8: 'Holes',
  Label10: 'Electron Density',
  Label11: 'Current (mA)',
};
const japaneseCaptions = {
  Command1: 'スタート/再設定',
  Command2: '終了',
  Command4: '拡散テスト',
  Command5: '光照射（過剰キャリア注入）',
  Check1: '弱電界印加',
  Label1: '温度(K)',
  Label3: 'フェルミ準位(eV)',
  Label4: '電子数',
  Label5: '不純物濃度(cm-3)',
  Label8: '正孔数',
  Label10: '電子濃度',
  Label11: '電流(mA)',
};
// The other build's language, which a link can ask for: its captions and tag.
export const otherLanguage = japanese
  ? { code: 'en', tag: 'en', captions: englishCaptions }
  : { code: 'ja', tag: 'ja', captions: japaneseCaptions };
export const captions = {
  ...(japanese ? japaneseCaptions : englishCaptions),
  Label6: 'ND',
  Label7: 'NA',
  Label9: 't',
  Label12: '0',
};
export const bandLetters = ['E', 'E', 'C', 'V', 'E', 'F'];  // Label2(0..5)
export const initialTexts = {
  Text1: '300', Text2: '0.5', Text3: '0', Text4: '1e10', Text5: '1e10', Text6: '0', Text7: '0',
};
// Where Tab takes the focus from Start, one control after another.
export const tabOrder = ['Command2', 'Text1', 'Text2', 'Text3', 'Command4', 'Text4', 'Text5', 'Check1',
  'Text6', 'Text7', 'Command5', 'Picture1'];
export const title = japanese ? 'Norvia\u3000Ver.β' : 'Quarvel\u3000Ver.β';
export const words = japanese
  ? {
      dopingHint: '0 でない同じ符号の数値を 2 つ入力してください（例: 1e10）。',
      ended: 'プログラムは終了しました。ページを再読み込みすると、もう一度始まります。',
    }
  : {
      dopingHint: 'Enter two numbers of the same sign, not zero, e.g. 1e10.',
      ended: 'The program has ended. Reload the page to start it again.',
    };

const launchArgs = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// bareFonts: a Chromium whose fontconfig knows no font at all, as on a
// device that has none of the fonts this machine happens to have.
export async function launchBrowser({ bareFonts = false } = {}) {
  const env = { ...process.env };
  if (bareFonts) {
    const dir = mkdtempSync(join(tmpdir(), 'quarvel-bare-fonts-'));
    const conf = join(dir, 'fonts.conf');
    writeFileSync(conf, `<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n` +
      `<fontconfig><dir>${dir}/none</dir><cachedir>${dir}/cache</cachedir></fontconfig>\n`);
    env.FONTCONFIG_FILE = conf;
  }
  return chromium.launch({
    executablePath: process.env.QUARVEL_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: launchArgs,
    env,
  });
}

// Opens the page in a context of its own. Every request other than the page
// itself and data: URLs is refused and kept in `requests`. Unless realTime,
// timers fire only when the test steps the clock. before: [fn, arg] runs in
// the page before any of its scripts.
export async function openPage(browser, { width = 574, height = 353, deviceScaleFactor = 1,
  hasTouch = false, isMobile = false, realTime = false, before = null, fragment = '' } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor, hasTouch, isMobile });
  const requests = [];
  const allowed = (url) => url === pageUrl || url.startsWith('data:');
  context.on('request', (request) => {
    if (!allowed(request.url())) requests.push(request.url());
  });
  await context.route('**/*', (route) =>
    allowed(route.request().url()) ? route.continue() : route.abort('blockedbyclient'));
  const errors = [];
  const page = await context.newPage();
  page.on('pageerror', (error) => errors.push(error.message));
  if (before) await page.addInitScript(...before);
  // Stopped before the page exists, so the page's timers start from a known
  // time and only the test moves it.
  if (!realTime) {
    const start = new Date('2026-01-05T09:00:00Z').getTime();
    await page.clock.install({ time: start });
    await page.clock.pauseAt(start + 60000);
  }
  await page.goto(fragment ? `${pageUrl}#${fragment}` : pageUrl);
  await page.waitForFunction(() => typeof window.quarvel?.state === 'function' && window.quarvel.state(),
    null, { polling: 20, timeout: 10000 });
  const runFor = (ms) => page.clock.runFor(ms);
  const close = () => context.close();
  return { page, context, requests, errors, runFor, close };
}

export const state = (page) => page.evaluate(() => window.quarvel.state());
export const tick = (page, n = 1) => page.evaluate((count) => window.quarvel.tick(count), n);
export const valueOf = (page, id) => page.locator(`#${id}`).inputValue();

// Replaces a box's text by typing it, a key at a time, as a user would.
export async function typeInto(page, id, text) {
  const box = page.locator(`#${id}`);
  await box.click();
  await box.press('ControlOrMeta+a');
  if (text === '') await box.press('Backspace');
  else await box.pressSequentially(text);
}

// Whether a canvas has ink near a point given in twips of its own drawing:
// the darkest of the few device pixels around it, so that a thin
// antialiased line still counts.
export function inkNear(page, canvasId, xTwips, yTwips, widthTwips = 8610, heightTwips = 5295) {
  return page.evaluate(([id, x, y, w, h]) => {
    const canvas = document.getElementById(id);
    const px = Math.floor((x / w) * canvas.width);
    const py = Math.floor((y / h) * canvas.height);
    const { data } = canvas.getContext('2d').getImageData(px - 2, py - 2, 5, 5);
    let darkest = 255;
    for (let i = 0; i < data.length; i += 4) {
      const shade = data[i + 3] < 128 ? 255 : Math.max(data[i], data[i + 1], data[i + 2]);
      darkest = Math.min(darkest, shade);
    }
    return darkest < 140;
  }, [canvasId, xTwips, yTwips, widthTwips, heightTwips]);
}
