// The page in headless Chromium, served from a local server: a whole session of options 1 and
// 2 typed key by key at the terminal, then the same session pasted into the session box. Each
// must show every line of the console that the native program writes for that session, in
// order, end with status 0, offer a resul3.doc whose download has the native program's bytes,
// and show the sweep's picture. Esc must leave the terminal; the page must also open from
// file://, and fit a narrow screen. Screenshots of the page go to the output folder.
//   node page_test.mjs SITE NATIVE_CROUT OUTPUT_FOLDER
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launchChromium, serveSite, terminalLines, waitForTerminal, wholeSession } from './headless.mjs';

const [site, nativeCrout, output] = process.argv.slice(2);
const session = wholeSession;
const replies = session.split('\n').slice(0, -1);
const timeout = 30000;

// The native program's console and report for the session, redirected.
const nativeFolder = fs.mkdtempSync(path.join(os.tmpdir(), 'crout-native-'));
const nativeConsole = execFileSync(nativeCrout, { cwd: nativeFolder, input: session }).toString('latin1');
const report = fs.readFileSync(path.join(nativeFolder, 'resul3.doc'));
const shownLines = nativeConsole.split('\r\n').map((line) => line.trimEnd()).filter((line) => line);

const server = await serveSite(site);
const browser = await launchChromium();
const failures = [];
function check(condition, what) {
  if (!condition) failures.push(what);
}

try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 1000 });
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'crout-downloads-'));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  // Every line the native program shows, in order, among the terminal's lines.
  const showsTheConsole = (lines) => {
    let at = 0;
    for (const wanted of shownLines) {
      while (at < lines.length && !lines[at].startsWith(wanted)) ++at;
      if (at === lines.length) return `missing: ${wanted}`;
      ++at;
    }
    return null;
  };
  const finished = async (what) => {
    await page.waitForFunction(() => document.getElementById('state').textContent.includes('estado'), { timeout });
    check((await page.$eval('#state', (e) => e.textContent)) === 'crout terminó con el estado 0.', `${what}: the status`);
    const missing = showsTheConsole(await page.evaluate(terminalLines));
    check(missing === null, `${what}: the console, ${missing}`);
    await page.waitForFunction(() => !document.getElementById('picture').hidden &&
      document.getElementById('picture-image').naturalWidth > 0, { timeout });
    for (const old of fs.readdirSync(downloads)) fs.rmSync(path.join(downloads, old));
    await page.click('#report');
    const file = path.join(downloads, 'resul3.doc');
    for (let waited = 0; !fs.existsSync(file) && waited < timeout; waited += 100) await new Promise((r) => setTimeout(r, 100));
    check(fs.existsSync(file) && Buffer.compare(fs.readFileSync(file), report) === 0, `${what}: the downloaded report`);
  };

  const start = Date.now();
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await waitForTerminal(page, 'Elija una opcion');
  const firstMenu = Date.now() - start;
  check(await page.evaluate(() => document.activeElement.classList.contains('xterm-helper-textarea')),
    'the terminal has the focus at load');
  for (const reply of replies) {
    // Each reply once the program waits for it.
    await page.waitForFunction(() => run && run.wake !== null, { timeout });
    await page.keyboard.type(reply, { delay: 5 });
    await page.keyboard.press('Enter');
  }
  await finished('typed');
  await page.screenshot({ path: path.join(output, 'page.png'), fullPage: true });

  await page.click('#batch summary');
  await page.$eval('#session', (box, text) => { box.value = text; }, session);
  await page.click('#run-session');
  await finished('pasted');

  // The keyboard alone: Esc leaves the terminal for the page's controls.
  await page.focus('.xterm-helper-textarea');
  await page.keyboard.press('Escape');
  check(await page.evaluate(() => document.activeElement.id === 'again'), 'Esc leaves the terminal');

  // The site's folder opened from the disk, with no server, on a narrow screen: nothing wider
  // than the screen but the terminal, which scrolls within its box.
  await page.setViewport({ width: 400, height: 900 });
  await page.goto(`file://${path.resolve(site, 'index.html')}`);
  await waitForTerminal(page, 'Elija una opcion');
  check(await page.evaluate(() => document.documentElement.scrollWidth <= 400), 'a narrow screen');
  await page.screenshot({ path: path.join(output, 'page-narrow.png'), fullPage: true });
  process.stdout.write(`first menu line ${firstMenu} ms after the page was asked for\n`);
} finally {
  await browser.close();
  server.close();
}
if (failures.length > 0) {
  process.stderr.write(failures.join('\n') + '\n');
  process.exit(1);
}
