// What the page's test and its benchmark share: the whole session's replies (the suite's
// fixture), the site served from a local server, headless Chromium, and the terminal's lines.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');

// The replies of a session of options 1, 2 and 3, a line each.
export const wholeSession = fs.readFileSync(path.join(top, 'tests/support/whole_session.txt'), 'latin1');

// Serves the site's folder on a free port of 127.0.0.1; resolves to the server.
export async function serveSite(site) {
  const root = path.resolve(site);
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css' };
  const server = http.createServer((request, response) => {
    const wanted = new URL(request.url, 'http://127.0.0.1').pathname;
    const name = path.join(root, path.normalize(wanted === '/' ? 'index.html' : wanted));
    if (!name.startsWith(root) || !fs.existsSync(name)) return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': types[path.extname(name)] || 'application/octet-stream' });
    return response.end(fs.readFileSync(name));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return server;
}

export const launchChromium = () => puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--disable-gpu'],
});

// In the page: the terminal's lines, trailing blanks dropped.
export const terminalLines = () => {
  const buffer = terminal.buffer.active;
  const lines = [];
  for (let i = 0; i < buffer.length; ++i) lines.push(buffer.getLine(i).translateToString(true));
  return lines;
};

// Waits until a line of the page's terminal holds text.
export const waitForTerminal = (page, text, timeout = 30000) => page.waitForFunction(
  `(${terminalLines})().some((line) => line.includes(${JSON.stringify(text)}))`,
  { timeout, polling: 'raf' });
