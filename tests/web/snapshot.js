#!/usr/bin/env node
// Serves the site on 127.0.0.1, opens its page in headless Chromium (as the
// browser tests do), waits for the program's first frame and saves a PNG of
// the page's content: the scene, its console and the status line; with
// --phone, the screen of a phone (390 x 844 at 3, touch; as the phone's
// tests open it) from the top.
//
//   node tests/web/snapshot.js [--phone] SITE_DIR OUT.png
'use strict';
const engines = require('./engines');
const { emulateDevice, phone, showScene } = require('./browser');
const { serve, address } = require('./serve');

async function main(site, out, onPhone) {
  const server = await serve(site);
  const browser = await engines.start('chromium', onPhone ? { scale: phone.scale } : {});
  try {
    const tab = await browser.open();
    const device = onPhone && await emulateDevice(tab, phone);
    await showScene(tab, address(server));
    await tab.waitFor(() => document.getElementById('console').textContent.length >= 20);
    if (onPhone) {
      // The screen as the emulation lays it out, at half its pixels: sharp
      // enough for a page, at a quarter of the bytes.
      const { data } = await device.devtools.send('Page.captureScreenshot',
        { format: 'png', clip: { x: 0, y: 0, width: phone.width, height: phone.height, scale: 0.5 } });
      require('fs').writeFileSync(out, Buffer.from(data, 'base64'));
    } else {
      const content = await tab.page.$('main');
      await content.screenshot({ path: out });
    }
  } finally {
    await browser.close();
    server.close();
  }
}

const args = process.argv.slice(2);
const onPhone = args[0] === '--phone';
const [site, out] = onPhone ? args.slice(1) : args;
if (!site || !out) {
  console.error('usage: snapshot.js [--phone] SITE_DIR OUT.png');
  process.exit(2);
}
main(site, out, onPhone).then(() => console.log(out), (error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
