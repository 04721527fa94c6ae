#!/usr/bin/env node
// The browser program's times in headless Chromium, for bench/web: from
// loading the page to its first picture, and one frame at 900 x 600.
//
//   node tests/web/measure.js SITE_DIR [LOADS]
//
// First picture: LOADS loads of the page in a fresh tab each, without cache,
// from navigation start to the end of the program's first frame (the page's
// performance mark schach3d-first-frame). Frame: what one display request
// costs, as the desktop's benchmark counts it (clear, render pass, swap, and
// waiting until the frame is done): the program's display callback, then a
// read of one pixel, which returns only once the frame is drawn.
'use strict';
const { launch } = require('./browser');
const { serve, address } = require('./serve');

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function firstPicture(browser, url) {
  const page = await browser.newPage();
  await page.setCacheEnabled(false);
  await page.goto(url);
  const ms = await page.waitForFunction(() => {
    const mark = performance.getEntriesByName('schach3d-first-frame')[0];
    return mark && mark.startTime;
  }, { timeout: 20000 });
  const value = await ms.jsonValue();
  await page.close();
  return value;
}

async function frameTime(browser, url) {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForFunction(() => performance.getEntriesByName('schach3d-first-frame').length > 0);
  const times = await page.evaluate(() => {
    const gl = document.getElementById('canvas').getContext('webgl2');
    const pixel = new Uint8Array(4);
    const frame = () => {
      const start = performance.now();
      Module._web_on_display();
      gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
      return performance.now() - start;
    };
    for (let i = 0; i < 20; i++) frame(); // warm up
    const times = [];
    for (let i = 0; i < 100; i++) times.push(frame());
    return times;
  });
  await page.close();
  return times;
}

async function main(site, loads) {
  const server = await serve(site);
  const browser = await launch();
  try {
    const url = address(server);
    const pictures = [];
    for (let i = 0; i < loads; i++) pictures.push(await firstPicture(browser, url));
    console.log(`first picture ms: ${pictures.map((t) => t.toFixed(0)).join(' ')}`);
    console.log(`first picture median ms: ${median(pictures).toFixed(0)}, max: ${Math.max(...pictures).toFixed(0)}`);
    const frames = await frameTime(browser, url);
    console.log(`frame ms median: ${median(frames).toFixed(2)}, min: ${Math.min(...frames).toFixed(2)}`);
  } finally {
    await browser.close();
    server.close();
  }
}

const [site, loads] = process.argv.slice(2);
if (!site) {
  console.error('usage: measure.js SITE_DIR [LOADS]');
  process.exit(2);
}
main(site, Number(loads || 10)).catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
