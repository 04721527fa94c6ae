// The page around the browser program, as a person meets it in a browser:
// what the e2e cases (tests/e2e, through driver.js) cannot see because a
// desktop program has no such thing. Run by scripts/test-web:
//
//   SCHACH3D_SITE=build-web/site node --test tests/web/page.test.js
'use strict';
const assert = require('node:assert/strict');
const path = require('node:path');
const { after, test } = require('node:test');
const { firstFrame, launch, showScene, watchProblems } = require('./browser');
const { serve, address } = require('./serve');

const site = path.resolve(process.env.SCHACH3D_SITE || path.join(__dirname, '../../build-web/site'));
const start_title = 'Objekt mit linker Maustaste anklicken';
const wait = { timeout: 20000 };

// One browser for the cases, each case in a context of its own (the GPU
// process's start costs seconds); a case that needs another screen density
// (options.scale) gets a browser of its own.
let shared = null;
after(async () => {
  if (shared) await (await shared).close();
});

// The page with the program started (options.script runs in the page before
// its own; options.viewport sizes the window; options.clockHeld: the script
// holds the clock, so the start's second clock line is not awaited); every
// problem it has (browser.js's watchProblems) is kept and must not be there
// when the case ends.
async function open(t, options = {}) {
  const server = await serve(site);
  let browser, context;
  if (options.scale) {
    browser = await launch(options);
  } else {
    shared = shared || launch();
    context = await (await shared).createBrowserContext();
  }
  const page = context ? await context.newPage() : (await browser.pages())[0];
  if (options.viewport) await page.setViewport(options.viewport);
  const problems = [];
  watchProblems(page, (text) => problems.push(text));
  t.after(async () => {
    await (context || browser).close();
    server.close();
  });
  if (options.script) await page.evaluateOnNewDocument(options.script);
  await showScene(page, address(server));
  // The start's two clock lines, "\nhh:mm:ss " each, unless the case holds
  // the clock: the page prints the second from a timer, which may come after
  // the first frame.
  if (!options.clockHeld) {
    await page.waitForFunction(() => document.getElementById('console').textContent.length >= 20, wait);
  }
  const canvas = await page.$('#canvas');
  const box = await canvas.boundingBox();
  return {
    page,
    // A point of the scene window, in its own (CSS) coordinates.
    at: (x, y) => ({ x: box.x + x, y: box.y + y }),
    console: () => page.$eval('#console', (e) => e.textContent),
    title: () => page.evaluate(() => document.title),
    status: () => page.$eval('#status', (e) => e.textContent),
    clean: () => assert.deepEqual(problems, []),
  };
}

// Whether the browser's own handling of the next such event was prevented,
// seen after the page's listeners have had it. The listener is in place when
// this returns: input may reach the page before a script sent earlier.
async function watchDefault(page, type) {
  await page.evaluate((type) => {
    window.watchedDefault = new Promise((resolve) => {
      addEventListener(type, (e) => resolve(e.defaultPrevented), { once: true });
    });
  }, type);
  return () => page.evaluate(() => window.watchedDefault);
}

test('the scene is drawn in device pixels, at any pixel ratio and size, and a click picks what is under it',
     async (t) => {
  const s = await open(t, { scale: 2 });
  const sizes = await s.page.$eval('#canvas', (c) => [c.width, c.height, c.clientWidth, c.clientHeight]);
  assert.deepEqual(sizes, [1800, 1200, 900, 600]);
  assert.equal(await s.page.evaluate(() => document.documentElement.lang), 'de');
  assert.equal(await s.page.$$eval('canvas', (all) => all.length), 1);
  assert.equal(await s.title(), start_title);
  assert.match(await s.status(), /l\u00e4uft/);

  // The pawn on B1, where the desktop's 900x600 window shows it.
  const pawn = s.at(277, 409);
  await s.page.mouse.click(pawn.x, pawn.y);
  await s.page.waitForFunction(() => document.title === 'Bauer Nr. 11', wait);

  // Resized by its corner to two thirds, the window shows the same view
  // smaller: the pawn on B2 is where two thirds of its old place are.
  await s.page.$eval('#scene', (e) => { e.style.width = '600px'; e.style.height = '400px'; });
  await s.page.waitForFunction(() => document.getElementById('canvas').width === 1200, wait);
  const smaller = s.at(Math.round(296 * 2 / 3), Math.round(361 * 2 / 3));
  await s.page.mouse.click(smaller.x, smaller.y);
  await s.page.waitForFunction(() => document.title === 'Bauer Nr. 12', wait);
  s.clean();
});

test('the scene shows without waiting for the wall clock to print its second line', async (t) => {
  // The clock stands still until the scene is there: a start-up that waited
  // for the next second would never show it. Then it jumps on by seconds, as
  // it does for a page that was busy for that long: the second line still
  // names the second after the first.
  const s = await open(t, {
    clockHeld: true,
    script: () => {
      const now = Date.now, frozen = Math.floor(now() / 1000) * 1000 + 500;
      let held = true;
      Date.now = () => (held ? frozen : frozen + 5000);
      window.releaseClock = () => { held = false; };
    },
  });
  const timeLines = () => s.page.$eval('#console', (e) => e.textContent.match(/\n[ \d]\d:\d\d:\d\d /g) || []);
  assert.equal((await timeLines()).length, 1);
  await s.page.evaluate(() => window.releaseClock());
  await s.page.waitForFunction(() => document.getElementById('console').textContent.split(':').length === 5, wait);
  const seconds = (await timeLines()).map((line) => line.trim().split(':').reduce((sum, part) => sum * 60 + Number(part), 0));
  assert.equal(seconds.length, 2);
  assert.equal(seconds[1], (seconds[0] + 1) % 86400);
  s.clean();
});

test('keys and the wheel go to the scene, not to the browser; a click gives it the focus', async (t) => {
  // A window smaller than the page, so that the page could scroll.
  const s = await open(t, { viewport: { width: 800, height: 500, deviceScaleFactor: 1 } });
  await s.page.$eval('#console', (e) => e.focus({ preventScroll: true }));
  const corner = s.at(3, 3);
  await s.page.mouse.click(corner.x, corner.y);
  assert.equal(await s.page.evaluate(() => document.activeElement.id), 'canvas');

  for (const key of ['ArrowDown', 'Space', 'End']) {
    const prevented = await watchDefault(s.page, 'keydown');
    await s.page.keyboard.press(key);
    assert.equal(await prevented(), true, key);
  }
  const prevented = await watchDefault(s.page, 'wheel');
  await s.page.mouse.move(corner.x + 100, corner.y + 100);
  await s.page.mouse.wheel({ deltaY: 100 });
  assert.equal(await prevented(), true, 'wheel');
  assert.deepEqual(await s.page.evaluate(() => [scrollX, scrollY]), [0, 0]);

  // F1 is the program's too (no help page of the browser's): it opens the box.
  const f1 = await watchDefault(s.page, 'keydown');
  await s.page.keyboard.press('F1');
  assert.equal(await f1(), true, 'F1');
  await s.page.waitForFunction(() => document.getElementById('box').open, wait);
  s.clean();
});

test('the middle button opens the menu at the pointer; Escape or a press elsewhere closes only the menu',
     async (t) => {
  const s = await open(t);
  const openMenu = async () => {
    const p = s.at(300, 200);
    await s.page.mouse.click(p.x, p.y, { button: 'middle' });
    const menu = await s.page.waitForSelector('[role=menu]:not([hidden])', wait);
    const corner = await menu.boundingBox();
    assert.ok(Math.abs(corner.x - p.x) < 1 && Math.abs(corner.y - p.y) < 1, JSON.stringify([corner, p]));
    return menu;
  };
  const menu = await openMenu();
  assert.deepEqual(await menu.$$eval('[role=menuitem]', (items) => items.map((i) => i.textContent)), [
    'Polygon: Points', 'Polygon: Lines', 'Polygon: Fill', 'Hilfe', 'Start/Stop', 'Textur', 'Transparenz',
    'B.Perspektive K', 'B.Perspektive k', 'Lichtquelle', 'Lichtquelle oben', 'Lichtquelle unten',
    'Lichtquelle rechts', 'Lichtquelle links',
  ]);
  const printed = await s.console();

  // Escape: the desktop would end the program here; the page closes the menu.
  await s.page.keyboard.press('Escape');
  await s.page.waitForSelector('[role=menu]', { hidden: true, ...wait });
  assert.match(await s.status(), /l\u00e4uft/);

  // A press on a pawn while the menu is open picks nothing.
  await openMenu();
  const pawn = s.at(277, 409);
  await s.page.mouse.click(pawn.x, pawn.y);
  await s.page.waitForSelector('[role=menu]', { hidden: true, ...wait });
  assert.equal(await s.title(), start_title);
  assert.equal(await s.console(), printed);

  // From the keyboard: down to "Hilfe", which prints the key help.
  await openMenu();
  for (let i = 0; i < 3; i++) await s.page.keyboard.press('ArrowDown');
  await s.page.keyboard.press('Enter');
  await s.page.waitForFunction(() => document.getElementById('console').textContent.includes('Tastenfunktionen'),
                               wait);
  assert.equal(await s.page.evaluate(() => document.activeElement.id), 'canvas');
  s.clean();
});

test('the console panel shows the newest output at the bottom and keeps a bounded history', async (t) => {
  const s = await open(t);
  const lines = () => s.page.$eval('#console', (e) => e.childElementCount);
  await s.page.keyboard.press('h');
  await s.page.waitForFunction(() => document.getElementById('console').textContent.endsWith('q, ESC - Quit\n'), wait);
  const perHelp = (await lines()) - 3; // the start's three lines: empty, and the two time lines
  for (let i = 0; i * perHelp < 4000; i++) await s.page.keyboard.press('h');
  await s.page.waitForFunction(() => {
    const panel = document.getElementById('console');
    return panel.lastElementChild.textContent === ' q, ESC - Quit\n' &&
           panel.scrollTop + panel.clientHeight >= panel.scrollHeight - 4;
  }, wait);
  assert.ok(await lines() <= 3000, `${await lines()} lines`);
  s.clean();
});

test('the right button opens no context menu over the scene', async (t) => {
  const s = await open(t);
  const prevented = await watchDefault(s.page, 'contextmenu');
  const p = s.at(450, 300);
  await s.page.mouse.click(p.x, p.y, { button: 'right' });
  assert.equal(await prevented(), true);
  s.clean();
});

test('the help box: title, icon, the text as the desktop lays it out, and OK; Return, Enter, Space and ' +
     'Escape close it', async (t) => {
  const s = await open(t);
  const before = (await s.console()).length;
  await s.page.keyboard.press('F2');
  await s.page.waitForFunction(() => document.getElementById('box').open, wait);
  assert.equal(await s.page.$eval('#box-title', (e) => e.textContent), 'Velmora: Tavolin');
  assert.ok(await s.page.$('#box svg.box-icon'));
  assert.equal(await s.page.$eval('#box-ok', (e) => e.textContent), 'OK');
  // The box shows what F2 printed after its title line, its last line feed
  // ending the last line; tabs stop every eight columns.
  const printed = (await s.console()).slice(before);
  const text = printed.slice('\nVelmora: Tavolin\n'.length);
  assert.ok(text.includes('Men\u00fcItem'));
  assert.equal(await s.page.$eval('#box-text', (e) => e.textContent), text.replace(/\n$/, ''));
  assert.equal(await s.page.$eval('#box-text', (e) => getComputedStyle(e).tabSize), '8');
  // F2 while it is open gives it the focus again.
  await s.page.focus('#canvas');
  await s.page.keyboard.press('F2');
  await s.page.waitForFunction(() => document.activeElement.id === 'box-ok', wait);

  for (const key of ['Enter', 'NumpadEnter', 'Space', 'Escape']) {
    if (key !== 'Enter') {
      await s.page.focus('#canvas');
      await s.page.keyboard.press('F2');
      await s.page.waitForFunction(() => document.getElementById('box').open, wait);
    }
    await s.page.keyboard.press(key);
    await s.page.waitForFunction(() => !document.getElementById('box').open, wait);
    assert.match(await s.status(), /l\u00e4uft/, key);
  }
  s.clean();
});

test('ESC ends the program: the status says so, with status 0, and a button starts it again', async (t) => {
  const s = await open(t);
  await s.page.keyboard.press('Escape');
  await s.page.waitForSelector('#restart:not([hidden])', wait);
  assert.match(await s.status(), /beendet \(Status 0\)/);
  // Ended, it takes no keys: "h" prints nothing.
  const printed = await s.console();
  await s.page.focus('#canvas');
  await s.page.keyboard.press('h');
  assert.equal(await s.console(), printed);

  await s.page.click('#restart');
  await firstFrame(s.page);
  assert.match(await s.status(), /l\u00e4uft/);
  assert.equal(await s.title(), start_title);
  s.clean();
});

test('the site\'s server (scripts/serve-web) answers a malformed address with 404 and goes on serving',
     async (t) => {
  const server = await serve(site);
  t.after(() => server.close());
  assert.equal((await fetch(address(server) + '%')).status, 404);
  assert.equal((await fetch(address(server))).status, 200);
});
