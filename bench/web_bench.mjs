// The page's speed in headless Chromium, from a local server: the time from asking for the page
// to the menu's first line in its terminal; the time of a whole option-2 session pasted into the
// session box (the module started, the sweep, the terminal reset and written, the report offered,
// the status shown), and of the module's run alone (started with a host that keeps nothing);
// beside the native program's time for the same session (its process started, the screen to a
// pipe). Medians of 9 runs each.
//   node bench/web_bench.mjs [SITE [NATIVE_CROUT]]   (default: build/web/site, build/ci's crout)
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchChromium, serveSite, waitForTerminal, wholeSession } from '../web/headless.mjs';

const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const site = process.argv[2] || path.join(top, 'build/web/site');
const native = process.argv[3] || path.join(top, 'build/ci/program/crout');
const session = wholeSession.slice(wholeSession.indexOf('2\n')); // option 2, then 3
const runs = 9;
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

const server = await serveSite(site);
const browser = await launchChromium();

const load = [], page2 = [], module2 = [], native2 = [];
try {
  const page = await browser.newPage();
  for (let i = 0; i < runs; ++i) {
    const start = performance.now();
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await waitForTerminal(page, 'Elija una opcion');
    load.push(performance.now() - start);
    await page.$eval('#session', (box, text) => { box.value = text; }, session);
    page2.push(await page.evaluate(() => new Promise((resolve) => {
      const state = document.getElementById('state');
      const start = performance.now();
      new MutationObserver(() => {
        if (state.textContent.includes('estado')) resolve(performance.now() - start);
      }).observe(state, { childList: true, characterData: true, subtree: true });
      document.getElementById('run-session').click();
    })));
    module2.push(await page.evaluate((text) => new Promise((resolve) => {
      let input = new TextEncoder().encode(text);
      const host = {
        isTerminal: () => false, exists: () => false, write: () => null, open: () => 3,
        cut: () => null, close: () => null,
        read: () => { const bytes = input; input = new Uint8Array(0); return bytes; },
      };
      const start = performance.now();
      startModule(createCrout, { crout: host, onExit: () => resolve(performance.now() - start) });
    }), session));
  }
} finally {
  await browser.close();
  server.close();
}
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'crout-bench-'));
for (let i = 0; i < runs; ++i) {
  const start = performance.now();
  try {
    execFileSync(native, { cwd: folder, input: session, stdio: ['pipe', 'pipe', 'ignore'] });
  } catch {
    // The session ends at option 3 with status 0; anything else shows in the times.
  }
  native2.push(performance.now() - start);
}
fs.rmSync(folder, { recursive: true });
const ms = (value) => `${value.toFixed(1)} ms`;
console.log(`page load to the first menu line: ${ms(median(load))} (goal: 1000 ms)`);
console.log(`option-2 session in the page:     ${ms(median(page2))}`);
console.log(`the module's run alone:           ${ms(median(module2))}`);
console.log(`option-2 session, native program: ${ms(median(native2))}`);
console.log(`ratios to native: the page ${(median(page2) / median(native2)).toFixed(2)}, the module ` +
            `${(median(module2) / median(native2)).toFixed(2)} (goal: 2)`);
