#!/usr/bin/env node
// The browser program in one engine (engines.js), for bench/web: the time from
// loading the page to its first picture, one frame at 900 x 600, and, in
// Chromium, the page's memory over what a person repeats.
//
//   node tests/web/measure.js ENGINE SITE_DIR [LOADS]     (the headed engines on DISPLAY)
//
// First picture: LOADS loads of the page, each in a fresh context (so from
// no cache), from navigation start to the end of the program's first frame
// (the page's performance mark schach3d-first-frame). Frame: what one
// display request costs, as the desktop's benchmark counts it (clear, render
// pass, swap, and waiting until the frame is done): the program's display
// callback, then a read of one pixel, which returns only once the frame is
// drawn; the median of 100 after 20 to warm up. Memory (Chromium, whose
// DevTools can collect garbage and count nodes): two rounds of 600 clicks
// over board, pieces and switch spheres, 600 keys that change the picture
// (undone in turn) and 100 help boxes (F2, then Return); after each, the
// page's JavaScript heap, its DOM nodes and the program's WebAssembly memory.
'use strict';
const engines = require('./engines');
const { firstFrame, showScene } = require('./browser');
const { address, serve } = require('./serve');

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function firstPicture(browser, url) {
  const tab = await browser.open();
  try {
    await tab.goto(url);
    return await firstFrame(tab);
  } finally {
    await tab.close();
  }
}

async function frameTime(browser, url) {
  const tab = await browser.open();
  await showScene(tab, url);
  const times = await tab.evaluate(() => {
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
  await tab.close();
  return times;
}

async function repeatedUse(browser, url) {
  const tab = await browser.open();
  const page = tab.page;
  await showScene(tab, url);
  const session = await page.createCDPSession();
  await session.send('Performance.enable');
  const canvas = await tab.box('#canvas');
  const memory = async () => {
    await session.send('HeapProfiler.collectGarbage');
    const metrics = Object.fromEntries((await session.send('Performance.getMetrics')).metrics
      .map((m) => [m.name, m.value]));
    const wasm = await tab.evaluate(() => Module.HEAP8.length);
    return `JS heap ${(metrics.JSHeapUsedSize / 1024).toFixed(0)} KiB, DOM nodes ${metrics.Nodes}, ` +
           `wasm memory ${(wasm / 1024).toFixed(0)} KiB`;
  };
  const keys = ['l', 'f', 'ArrowLeft', 'ArrowRight', 'd', 'd', 'a', 'a'];
  const focusScene = () => tab.evaluate(() => document.getElementById('canvas').focus());
  console.log(`memory at start: ${await memory()}`);
  for (let round = 1; round <= 2; round++) {
    for (let i = 0; i < 600; i++)
      await tab.mouse.click(canvas.x + 150 + (i * 37) % 600, canvas.y + 40 + (i * 53) % 480);
    await focusScene();
    for (let i = 0; i < 600; i++) await tab.keyboard.press(keys[i % keys.length]);
    for (let i = 0; i < 100; i++) {
      await focusScene();
      await tab.keyboard.press('F2');
      await tab.waitFor(() => document.getElementById('box').open);
      await tab.keyboard.press('Enter');
      await tab.waitFor(() => !document.getElementById('box').open);
    }
    console.log(`memory after round ${round}: ${await memory()}`);
  }
  await tab.close();
}

async function main(engine, site, loads) {
  const server = await serve(site);
  const browser = await engines.start(engine);
  try {
    const url = address(server);
    const pictures = [];
    for (let i = 0; i < loads; i++) pictures.push(await firstPicture(browser, url));
    console.log(`first picture ms: ${pictures.map((t) => t.toFixed(0)).join(' ')}`);
    console.log(`first picture median ms: ${median(pictures).toFixed(0)}, max: ${Math.max(...pictures).toFixed(0)}`);
    const frames = await frameTime(browser, url);
    console.log(`frame ms median: ${median(frames).toFixed(2)}, min: ${Math.min(...frames).toFixed(2)}`);
    if (engine === 'chromium') await repeatedUse(browser, url);
  } finally {
    await browser.close();
    server.close();
  }
}

const [engine, site, loads] = process.argv.slice(2);
if (!engines.names.includes(engine) || !site) {
  console.error(`usage: measure.js ENGINE SITE_DIR [LOADS]   (ENGINE: ${engines.names.join(', ')})`);
  process.exit(2);
}
main(engine, site, Number(loads || 10)).catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
