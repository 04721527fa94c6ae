// The site as an app on a home screen: after the first visit its service
// worker has kept it, so that it opens with no network, and a new build
// replaces what it kept, whole. In Chromium, through its DevTools. Run by
// scripts/test-web:
//
//   SCHACH3D_SITE=build-web/site node --test tests/web/app.test.js
'use strict';
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { after, test } = require('node:test');
const engines = require('./engines');
const { firstFrame, showScene } = require('./browser');
const { serve, address } = require('./serve');

const site = path.resolve(process.env.SCHACH3D_SITE || path.join(__dirname, '../../build-web/site'));

// One browser for the cases, each case in a fresh context of its own: no
// service worker nor cache of another's.
let shared = null;
after(async () => {
  if (shared) await (await shared).close();
});

// A tab whose problems must not be there when the case ends. The site is
// served as it is, without the tests' probe (browser.js's serveProbed): a
// page changed by the server is not the build's, and the worker would
// rightly refuse to keep it.
async function open(t) {
  shared = shared || engines.start('chromium');
  const tab = await (await shared).open();
  const problems = [];
  tab.onProblem((text) => problems.push(text));
  t.after(() => tab.close());
  return { tab, clean: () => assert.deepEqual(problems, []) };
}

// Resolves once the tab's service worker has kept the site.
function kept(tab, scope) {
  return tab.waitFor(async (scope) => {
    const registration = await navigator.serviceWorker.getRegistration(scope);
    return registration && !registration.waiting && registration.active && registration.active.state === 'activated';
  }, undefined, scope);
}

test('after the first visit the page opens with no network, and Chromium finds it installable', async (t) => {
  const server = await serve(site);
  t.after(() => server.close());
  const { tab, clean } = await open(t);
  await showScene(tab, address(server));
  await kept(tab);

  // No network for the page, and no server for anyone.
  await tab.page.setOfflineMode(true);
  server.close();
  server.closeAllConnections();
  await tab.page.reload();
  await firstFrame(tab);
  assert.match(await tab.evaluate(() => document.getElementById('status').textContent), /l\u00e4uft/);

  // Off the record, as every test context is, a browser installs nothing;
  // it still checks, and reports, all else.
  const cdp = await tab.page.createCDPSession();
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors.filter((error) => error.errorId !== 'in-incognito'), []);
  clean();
});

test('a new build replaces the kept files whole once no page of the old one is open, and its cache goes',
     async (t) => {
  // The site in a folder of the server's, beside a page outside the
  // worker's scope.
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'schach3d-app-'));
  t.after(() => fs.rmSync(root, { recursive: true, force: true }));
  const copy = path.join(root, 'site');
  fs.cpSync(site, copy, { recursive: true });
  fs.writeFileSync(path.join(root, 'elsewhere.html'),
                   '<!DOCTYPE html><title>elsewhere</title><link rel="icon" href="data:,">'); // no favicon.ico asked for
  const server = await serve(root);
  t.after(() => server.close());
  const url = `${address(server)}site/index.html`;

  const { tab, clean } = await open(t);
  await showScene(tab, url);
  await kept(tab);
  // Opened again, the page is the worker's, from what it kept.
  await tab.page.reload();
  await firstFrame(tab);
  const oldCaches = await tab.evaluate(() => caches.keys());
  assert.equal(oldCaches.length, 1);

  // The new build: one file changed, the worker written again as the build
  // writes it. It waits while the old build's page is open.
  fs.appendFileSync(path.join(copy, 'schach3d.js'), "\nself.schach3dBuild = 'neu';\n");
  execFileSync('cmake', [`-DSITE=${copy}`, '-P', path.join(__dirname, '../../src/platform/web/service-worker.cmake')]);
  await tab.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
  await tab.waitFor(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    return registration.waiting && registration.waiting.state === 'installed';
  });

  // Once the page has gone elsewhere, the new build takes over.
  await tab.goto(`${address(server)}elsewhere.html`);
  await kept(tab, 'site/');
  await showScene(tab, url);
  assert.equal(await tab.evaluate(() => self.schach3dBuild), 'neu');
  // The one cache left holds every file of the new build as it is.
  const cached = await tab.evaluate(async () => {
    const names = await caches.keys();
    const files = {};
    for (const name of names) {
      const cache = await caches.open(name);
      for (const request of await cache.keys()) {
        const digest = await crypto.subtle.digest('SHA-256', await (await cache.match(request)).arrayBuffer());
        files[new URL(request.url).pathname.replace(/^\/site\//, '')] =
          Array.from(new Uint8Array(digest), (b) => b.toString(16).padStart(2, '0')).join('');
      }
    }
    return { names, files };
  });
  assert.equal(cached.names.length, 1);
  assert.notEqual(cached.names[0], oldCaches[0]);
  const built = {};
  for (const name of fs.readdirSync(copy).filter((name) => name !== 'service-worker.js'))
    built[name] = crypto.createHash('sha256').update(fs.readFileSync(path.join(copy, name))).digest('hex');
  assert.deepEqual(cached.files, built);
  clean();
});
