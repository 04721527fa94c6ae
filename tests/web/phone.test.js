// The page on a phone and a tablet, in portrait and in landscape, as a person
// with only a finger meets it: in Chromium's device emulation, with the
// DevTools protocol's touch events. Run by scripts/test-web:
//
//   SCHACH3D_SITE=build-web/site node --test tests/web/phone.test.js
'use strict';
const assert = require('node:assert/strict');
const path = require('node:path');
const { after, test } = require('node:test');
const engines = require('./engines');
const { emulateDevice, phone, picture, serveProbed, showScene, takeProbed } = require('./browser');
const { address } = require('./serve');

const site = path.resolve(process.env.SCHACH3D_SITE || path.join(__dirname, '../../build-web/site'));
const devices = [
  phone,
  { name: 'a tablet', width: 820, height: 1180, scale: 2 },
  { name: 'a phone in landscape', width: 844, height: 390, scale: 3 },
];

// One browser per screen density (the device pixels are the screen's, not
// an emulation's: the page must see them as a phone's browser does).
const browsers = {};
after(() => Promise.all(Object.values(browsers).map(async (browser) => (await browser).close())));

// A finger's press turns into a long one when the page's timer of half a
// second runs out while it is down. On a busy machine the lift can come
// later than that however soon it was sent: the test says when the time is
// up (window.pressHeldLong()), and a tap is a tap.
function longPressOnCue() {
  const later = window.setTimeout, cancel = window.clearTimeout;
  const waiting = new Map();
  let next = -1;
  window.setTimeout = function (f, ms, ...rest) {
    if (ms !== 500) return later.call(this, f, ms, ...rest);
    waiting.set(next, f);
    return next--;
  };
  window.clearTimeout = function (id) { return waiting.delete(id) || cancel.call(this, id); };
  window.pressHeldLong = () => {
    const due = [...waiting.values()];
    waiting.clear();
    due.forEach((f) => f());
    return due.length;
  };
}

// The program's page in a tab that is the device (its size, its pixels,
// touch as its pointer). options.script runs in the page before its own.
async function open(t, device, options = {}) {
  const server = await serveProbed(site, { script: [longPressOnCue].concat(options.script || []) });
  browsers[device.scale] = browsers[device.scale] || engines.start('chromium', { scale: device.scale });
  const tab = await (await browsers[device.scale]).open();
  const problems = [];
  tab.onProblem((text) => problems.push(text));
  t.after(async () => {
    await tab.close();
    server.close();
  });
  const { devtools, turn } = await emulateDevice(tab, device);
  await showScene(tab, address(server));
  await tab.waitFor(() => document.getElementById('console').textContent.length >= 20);
  const canvas = () => tab.box('#canvas');
  // Fingers at points of the page (client coordinates).
  const touch = (type, points) => devtools.send('Input.dispatchTouchEvent', {
    type, touchPoints: points.map(({ x, y }, id) => ({ x, y, id })),
  });
  // A point of the scene given as in its 900 x 600 window, where the page shows it.
  const scene = async (x, y) => {
    const c = await canvas();
    return { x: c.x + x * c.width / 900, y: c.y + y * c.height / 600 };
  };
  const tap = async (point) => {
    await touch('touchStart', [point]);
    await touch('touchEnd', []);
  };
  return {
    tab,
    touch,
    turn,
    scene,
    tap,
    tapScene: async (x, y) => tap(await scene(x, y)),
    // A tap on the middle of an element, brought onto the screen first.
    async tapOn(selector) {
      await tab.evaluate((selector) => document.querySelector(selector).scrollIntoView({ block: 'center' }), selector);
      const b = await tab.box(selector);
      await tap({ x: b.x + b.width / 2, y: b.y + b.height / 2 });
    },
    // Fingers moved from the first points of the scene to the second, in steps.
    async slide(from, to, steps = 4) {
      const start = await Promise.all(from.map(([x, y]) => scene(x, y)));
      const end = await Promise.all(to.map(([x, y]) => scene(x, y)));
      await touch('touchStart', start);
      for (let i = 1; i <= steps; i++) {
        await touch('touchMove', start.map(({ x, y }, f) => ({ x: x + (end[f].x - x) * i / steps,
                                                               y: y + (end[f].y - y) * i / steps })));
      }
      await touch('touchEnd', []);
    },
    console: () => tab.evaluate(() => document.getElementById('console').textContent),
    async clean() {
      problems.push(...(await takeProbed(tab)).problems);
      assert.deepEqual(problems, []);
    },
  };
}

// Polls until what fn resolves to passes the check, or the time is over; the last value.
async function until(fn, check, timeout = 5000) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const value = await fn();
    if (check(value) || Date.now() > deadline) return value;
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

// Whether the canvas lies on the screen, drawn in device pixels, with nothing to scroll sideways.
function fits(tab) {
  return tab.evaluate(() => {
    const c = document.getElementById('canvas'), r = c.getBoundingClientRect();
    return r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight &&
      document.documentElement.scrollWidth <= innerWidth &&
      c.width === Math.round(r.width * devicePixelRatio) && c.height === Math.round(r.height * devicePixelRatio);
  });
}

// Presses keys on the keyboard until the picture is the one wanted; how many it took.
async function pressesUntil(tab, key, wanted, most = 20) {
  for (let n = 1; n <= most; n++) {
    await tab.keyboard.press(key);
    if (await picture(tab) === wanted) return n;
  }
  return 0;
}

for (const device of devices) {
  test(`on ${device.name} (${device.width} x ${device.height} at ${device.scale}) the whole scene is on the ` +
       'screen and answers every finger', async (t) => {
    const s = await open(t, device);
    assert.equal(await fits(s.tab), true);

    await t.test('a tap picks as a left click does; one finger dragged names what it passes, as a left drag',
                 async () => {
      await s.tapScene(277, 409); // the pawn on B1, armed
      await s.tab.waitFor(() => document.title === 'Bauer Nr. 11');
      await s.slide([[60, 560]], [[296, 361]]); // from the white below the table onto the pawn on B2
      await s.tab.waitFor(() => document.title === 'Bauer Nr. 12');
    });

    await t.test('a long press is the right button: the light\'s next colour, and no context menu', async () => {
      await s.tab.evaluate(() => {
        window.contextMenus = [];
        addEventListener('contextmenu', (e) => window.contextMenus.push(e.defaultPrevented));
      });
      // The light on, the clock stopped: the colour is all that can change.
      for (const key of ['a', 'Space']) await s.tab.keyboard.press(key);
      const before = await picture(s.tab);
      await s.touch('touchStart', [await s.scene(450, 450)]);
      assert.equal(await s.tab.evaluate(() => window.pressHeldLong()), 1);
      const held = await picture(s.tab);
      await s.touch('touchEnd', []);
      assert.notEqual(held, before);
      // Three more right presses go round the four colours to the first.
      const corner = await s.scene(450, 40);
      for (let i = 0; i < 3; i++) await s.tab.mouse.click(corner.x, corner.y, { button: 'right' });
      assert.equal(await picture(s.tab), before);
      assert.ok((await s.tab.evaluate(() => window.contextMenus)).every((prevented) => prevented));
      for (const key of ['Space', 'a']) await s.tab.keyboard.press(key);
    });

    await t.test('turned, it keeps the scene as it was and fits it again', { skip: device.width > device.height },
                 async () => {
      await s.turn({ width: device.height, height: device.width });
      assert.equal(await until(() => fits(s.tab), (fit) => fit), true);
      const printed = (await s.console()).length;
      await s.tapScene(450, 300); // D4: the pawn armed before the turn goes there
      await s.tab.waitFor((printed) => document.getElementById('console').textContent.slice(printed)
        .includes(': Start: '), undefined, printed);
    });

    // The gestures are the same on every screen: tried once, on the phone.
    if (device === devices[0]) await t.test('two fingers spread, pinched and dragged are "K", "k" and the arrow ' +
                                            'keys; the page keeps its zoom', async (t) => {
      const g = await open(t, device);
      const reference = await open(t, device); // what the keyboard makes of the same scene
      await g.slide([[350, 300], [550, 300]], [[275, 300], [625, 300]]);
      assert.ok(await pressesUntil(reference.tab, 'K', await picture(g.tab)) > 0, 'a spread is some "K"');
      await g.slide([[275, 300], [625, 300]], [[350, 300], [550, 300]]);
      assert.ok(await pressesUntil(reference.tab, 'k', await picture(g.tab)) > 0, 'a pinch is some "k"');
      await g.slide([[500, 250], [500, 350]], [[250, 250], [250, 350]]);
      assert.ok(await pressesUntil(reference.tab, 'ArrowLeft', await picture(g.tab)) > 0,
                'two fingers to the left are some "ArrowLeft"');
      assert.equal(await g.tab.evaluate(() => visualViewport.scale), 1);
      await g.clean();
    });
    await s.clean();
  });
}

test('every button of the key bar does what its key does, and the menu button opens the menu', async (t) => {
  // The scene clock held at its first step in both pages (only its timer
  // asks for 20 ms), so that the light marker stands in the same place.
  const held = () => {
    const later = window.setTimeout;
    window.setTimeout = function (f, ms, ...rest) { return ms === 20 ? 0 : later.call(this, f, ms, ...rest); };
  };
  // A phone at one device pixel to the CSS pixel: the same buttons, and a
  // ninth of the pixels to draw and compare after each of 25 keys.
  const phone = { ...devices[0], scale: 1 };
  const buttons = await open(t, phone, { script: held });
  const keys = await open(t, phone, { script: held });
  const shown = await buttons.tab.evaluate(() => !document.getElementById('keys').hidden &&
    [...document.querySelectorAll('#keys [data-key]')].map((b) => {
      const r = b.getBoundingClientRect();
      return [b.dataset.key, r.width >= 44 && r.height >= 44];
    }));
  assert.ok(shown, 'the key bar shows by itself where the pointer is a finger');
  assert.deepEqual(shown.map(([key]) => key), ['h', 'F1', 'F2', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown',
    'K', 'k', 'a', 'o', 'u', '+', '-', 'E', 'e', 'C', 'c', 'd', 'p', 'l', 'f', 't', 'z', ' ', 'q', 'Escape']);
  assert.ok(shown.every(([, large]) => large), 'every button is at least 44 x 44');

  // Each key in turn, in a scene with the light on: by its button in one
  // page, by the keyboard in the other; the clock's digits may differ.
  const digits = (text) => text.replace(/\d/g, '#');
  const boxClosed = () => !document.getElementById('box').open;
  for (const [key] of shown) {
    if (key === 'q' || key === 'Escape') continue;
    await buttons.tapOn(`#keys [data-key="${key}"]`);
    await keys.tab.keyboard.press(key === ' ' ? 'Space' : key);
    for (const page of [buttons, keys]) {
      if (key === 'F1' || key === 'F2') {
        await page.tab.waitFor(() => document.getElementById('box').open);
        await page.tab.evaluate(() => document.getElementById('box-ok').click());
        await page.tab.waitFor(boxClosed);
      }
    }
    assert.equal(digits(await buttons.console()), digits(await keys.console()), key);
    assert.equal(await picture(buttons.tab), await picture(keys.tab), key);
  }
  assert.equal(await buttons.tab.evaluate(() => document.activeElement.id), 'canvas');

  // The menu button opens the fourteen entries beside it; "Hilfe" prints the key help.
  await buttons.tapOn('#menu-button');
  const entries = await buttons.tab.waitFor(() => [...document.querySelectorAll('[role=menu]:not([hidden]) li')]
    .map((li) => li.textContent));
  assert.equal(entries.length, 14);
  const helps = (await buttons.console()).split('Tastenfunktionen').length;
  await buttons.tapOn('[role=menu]:not([hidden]) li:nth-child(4)');
  await buttons.tab.waitFor((helps) => document.getElementById('console').textContent.split('Tastenfunktionen').length > helps,
                            undefined, helps);

  // "q" and ESC end the program, with status 0.
  for (const key of ['q', 'Escape']) {
    const ending = await open(t, phone);
    await ending.tapOn(`#keys [data-key="${key}"]`);
    await ending.tab.waitFor(() => /beendet \(Status 0\)/.test(document.getElementById('status').textContent));
  }
  await buttons.clean();
  await keys.clean();
});
