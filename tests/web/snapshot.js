#!/usr/bin/env node
// Serves the site on 127.0.0.1, opens its page in headless Chromium (as the
// browser tests do), waits for the program's first frame and saves a PNG of
// the page's content: the scene, its console and the status line.
//
//   node tests/web/snapshot.js SITE_DIR OUT.png
'use strict';
const engines = require('./engines');
const { showScene } = require('./browser');
const { serve, address } = require('./serve');

async function main(site, out) {
  const server = await serve(site);
  const browser = await engines.start('chromium');
  try {
    const tab = await browser.open();
    await showScene(tab, address(server));
    const content = await tab.page.$('main');
    await content.screenshot({ path: out });
  } finally {
    await browser.close();
    server.close();
  }
}

const [site, out] = process.argv.slice(2);
if (!site || !out) {
  console.error('usage: snapshot.js SITE_DIR OUT.png');
  process.exit(2);
}
main(site, out).then(() => console.log(out), (error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
