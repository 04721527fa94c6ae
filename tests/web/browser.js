// Debian's Chromium, headless, with WebGL 2 on SwiftShader (there is no GPU),
// driven by puppeteer-core, for the browser tests, serve-web's screenshot and
// the benchmark.
'use strict';
const puppeteer = require('puppeteer-core');

const viewport = { width: 1280, height: 1024, deviceScaleFactor: 1 };

// A browser of its own, with a fresh profile: puppeteer's, which it removes
// on close, or the folder options.profile, which the caller removes. Over a
// pipe rather than a port: the browser ends when the pipe closes, so it never
// outlives the process that started it, even one that was killed. Signals
// are the caller's to handle. options.viewport: its size in CSS pixels;
// options.scale: device pixels per CSS pixel, set as a screen of that
// density would (emulated through DevTools, a page would see the ratio but
// not the device pixels of its elements).
function launch(options = {}) {
  const size = options.viewport || viewport;
  const screen = options.scale ?
    [`--force-device-scale-factor=${options.scale}`, `--window-size=${size.width},${size.height}`] : [];
  return puppeteer.launch({
    executablePath: process.env.SCHACH3D_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    pipe: true,
    handleSIGINT: false,
    handleSIGTERM: false,
    handleSIGHUP: false,
    userDataDir: options.profile,
    defaultViewport: options.scale ? null : size,
    args: [
      '--no-sandbox', // as root; the browser loads only our own page from 127.0.0.1
      '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader',
      // No connections of the browser's own: this machine reaches no other host.
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--disable-quic',
      '--no-first-run',
      '--disable-dev-shm-usage',
      ...screen,
    ],
  });
}

// Windows-1252's bytes 0x80 to 0x9F by the characters they stand for; every
// other byte is the character of the same number.
const high = '\u20ac\u0081\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\u008d\u017d\u008f' +
             '\u0090\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u009d\u017e\u0178';

// The bytes of a text that the page decoded from Windows-1252.
function windows1252(text) {
  const bytes = Buffer.alloc(text.length);
  for (let i = 0; i < text.length; i++) {
    const c = text.charCodeAt(i);
    const at = high.indexOf(text[i]);
    bytes[i] = at >= 0 ? 0x80 + at : c <= 0xff ? c : 0x3f;
  }
  return bytes;
}

// Waits for the loaded page's first frame (its performance mark
// schach3d-first-frame); resolves to the milliseconds from navigation to it.
async function firstFrame(page) {
  const startTime = await page.waitForFunction(() => {
    const mark = performance.getEntriesByName('schach3d-first-frame')[0];
    return mark && mark.startTime;
  }, { timeout: 20000 });
  return startTime.jsonValue();
}

// Loads the program's page and waits for its first frame.
async function showScene(page, url) {
  await page.goto(url);
  await firstFrame(page);
}

// Calls report(text) for every error or warning that the page logs, every
// uncaught exception, and every request that fails or is refused.
function watchProblems(page, report) {
  page.on('console', (message) => {
    if (['error', 'warn', 'warning'].includes(message.type()))
      report(`console.${message.type()}: ${message.text()}`);
  });
  page.on('pageerror', (error) => report(`uncaught: ${error.message}`));
  page.on('requestfailed', (request) => report(`request failed: ${request.url()}`));
  page.on('response', (response) => {
    if (response.status() >= 400) report(`HTTP ${response.status()}: ${response.url()}`);
  });
}

module.exports = { firstFrame, launch, showScene, viewport, watchProblems, windows1252 };
