// The page around the browser program, as a person meets it in a browser:
// what the e2e cases (tests/e2e, through driver.js) cannot see because a
// desktop program has no such thing. Run by scripts/test-web in each engine
// (engines.js; SCHACH3D_ENGINE, chromium if unset; the headed ones on DISPLAY):
//
//   SCHACH3D_SITE=build-web/site SCHACH3D_ENGINE=firefox scripts/on-xvfb node --test tests/web/page.test.js
'use strict';
const assert = require('node:assert/strict');
const path = require('node:path');
const { after, test } = require('node:test');
const engines = require('./engines');
const { firstFrame, picture, serveProbed, showScene, takeProbed } = require('./browser');
const { serve, address } = require('./serve');

const site = path.resolve(process.env.SCHACH3D_SITE || path.join(__dirname, '../../build-web/site'));
const engine = engines.chosen();
const start_title = 'Objekt mit linker Maustaste anklicken';

// One browser for the cases, each case in a fresh context of its own (a
// browser's start costs seconds); a case that needs another screen density
// (options.scale) gets a browser of its own.
let shared = null;
after(async () => {
  if (shared) await (await shared).close();
});

// The page with the program started (options.script runs in the page before
// its own; options.viewport sizes the window; options.clockHeld: the script
// holds the clock, so the start's second clock line is not awaited;
// options.broken: the page is only loaded, as it cannot run); every
// problem it has, as the browser or the page reports it, is kept and must
// not be there when the case ends.
async function open(t, options = {}) {
  const server = await serveProbed(site, options);
  let browser = null;
  if (options.scale) browser = await engines.start(engine, options);
  else shared = shared || engines.start(engine);
  const tab = await (browser || await shared).open({ viewport: options.viewport });
  const problems = [];
  tab.onProblem((text) => problems.push(text));
  t.after(async () => {
    await tab.close();
    if (browser) await browser.close();
    server.close();
  });
  if (options.broken) {
    await tab.goto(address(server));
    return { tab, status: () => tab.evaluate(() => document.getElementById('status').textContent) };
  }
  await showScene(tab, address(server));
  // The start's two clock lines, "\nhh:mm:ss " each, unless the case holds
  // the clock: the page prints the second from a timer, which may come after
  // the first frame.
  if (!options.clockHeld) await tab.waitFor(() => document.getElementById('console').textContent.length >= 20);
  const canvas = await tab.box('#canvas');
  return {
    tab,
    // A point of the scene window, in its own (CSS) coordinates.
    at: (x, y) => ({ x: canvas.x + x, y: canvas.y + y }),
    console: () => tab.evaluate(() => document.getElementById('console').textContent),
    title: () => tab.evaluate(() => document.title),
    status: () => tab.evaluate(() => document.getElementById('status').textContent),
    focus: (selector) => tab.evaluate((selector) => document.querySelector(selector).focus(), selector),
    async clean() {
      problems.push(...(await takeProbed(tab)).problems);
      assert.deepEqual(problems, []);
    },
  };
}

// A click in the middle of the element.
async function clickOn(tab, selector) {
  const box = await tab.box(selector);
  await tab.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
}

// Whether the browser's own handling of the next such event was prevented,
// seen after the page's listeners have had it. The listener is in place when
// this returns: input may reach the page before a script sent earlier.
async function watchDefault(tab, type) {
  await tab.evaluate((type) => {
    window.watchedDefault = new Promise((resolve) => {
      addEventListener(type, (e) => resolve(e.defaultPrevented), { once: true });
    });
  }, type);
  return () => tab.evaluate(() => window.watchedDefault);
}

test('the scene is drawn in device pixels, at any pixel ratio and size, and a click picks what is under it',
     async (t) => {
  const s = await open(t, { scale: 2 });
  const sizes = await s.tab.evaluate(() => {
    const c = document.getElementById('canvas');
    return [c.width, c.height, c.clientWidth, c.clientHeight];
  });
  assert.deepEqual(sizes, [1800, 1200, 900, 600]);
  assert.equal(await s.tab.evaluate(() => document.documentElement.lang), 'de');
  assert.equal(await s.tab.evaluate(() => document.querySelectorAll('canvas').length), 1);
  assert.equal(await s.title(), start_title);
  assert.match(await s.status(), /l\u00e4uft/);

  // The pawn on B1, where the desktop's 900x600 window shows it.
  const pawn = s.at(277, 409);
  await s.tab.mouse.click(pawn.x, pawn.y);
  await s.tab.waitFor(() => document.title === 'Bauer Nr. 11');

  // Resized by its corner to two thirds, the window shows the same view
  // smaller: the pawn on B2 is where two thirds of its old place are.
  await s.tab.evaluate(() => {
    const scene = document.getElementById('scene');
    scene.style.width = '600px';
    scene.style.height = '400px';
  });
  await s.tab.waitFor(() => document.getElementById('canvas').width === 1200);
  const smaller = s.at(Math.round(296 * 2 / 3), Math.round(361 * 2 / 3));
  await s.tab.mouse.click(smaller.x, smaller.y);
  await s.tab.waitFor(() => document.title === 'Bauer Nr. 12');
  await s.clean();
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
  const timeLines = async () => (await s.console()).match(/\n[ \d]\d:\d\d:\d\d /g) || [];
  assert.equal((await timeLines()).length, 1);
  await s.tab.evaluate(() => window.releaseClock());
  await s.tab.waitFor(() => document.getElementById('console').textContent.split(':').length === 5);
  const seconds = (await timeLines()).map((line) => line.trim().split(':').reduce((sum, part) => sum * 60 + Number(part), 0));
  assert.equal(seconds.length, 2);
  assert.equal(seconds[1], (seconds[0] + 1) % 86400);
  await s.clean();
});

test('keys and the wheel go to the scene, not to the browser; a click gives it the focus', async (t) => {
  // A window smaller than the page, so that the page could scroll.
  const s = await open(t, { viewport: { width: 800, height: 500 } });
  await s.tab.evaluate(() => document.getElementById('console').focus({ preventScroll: true }));
  const corner = s.at(3, 3);
  await s.tab.mouse.click(corner.x, corner.y);
  assert.equal(await s.tab.evaluate(() => document.activeElement.id), 'canvas');

  for (const key of ['ArrowDown', 'Space', 'End']) {
    const prevented = await watchDefault(s.tab, 'keydown');
    await s.tab.keyboard.press(key);
    assert.equal(await prevented(), true, key);
  }
  const prevented = await watchDefault(s.tab, 'wheel');
  await s.tab.mouse.move(corner.x + 100, corner.y + 100);
  await s.tab.mouse.wheel({ deltaY: 100 });
  assert.equal(await prevented(), true, 'wheel');
  assert.deepEqual(await s.tab.evaluate(() => [scrollX, scrollY]), [0, 0]);

  // F1 is the program's too (no help page of the browser's): it opens the box.
  const f1 = await watchDefault(s.tab, 'keydown');
  await s.tab.keyboard.press('F1');
  assert.equal(await f1(), true, 'F1');
  await s.tab.waitFor(() => document.getElementById('box').open);
  await s.clean();
});

test('the middle button opens the menu at the pointer; Escape or a press elsewhere closes only the menu',
     async (t) => {
  const s = await open(t);
  const menuShown = () => document.querySelector('[role=menu]:not([hidden])') !== null;
  const menuHidden = () => document.querySelector('[role=menu]:not([hidden])') === null;
  const openMenu = async () => {
    const p = s.at(300, 200);
    await s.tab.mouse.click(p.x, p.y, { button: 'middle' });
    await s.tab.waitFor(menuShown);
    const corner = await s.tab.box('[role=menu]:not([hidden])');
    assert.ok(Math.abs(corner.x - p.x) < 1 && Math.abs(corner.y - p.y) < 1, JSON.stringify([corner, p]));
  };
  await openMenu();
  assert.deepEqual(await s.tab.evaluate(() => [...document.querySelectorAll('[role=menuitem]')].map((i) => i.textContent)), [
    'Polygon: Points', 'Polygon: Lines', 'Polygon: Fill', 'Hilfe', 'Start/Stop', 'Textur', 'Transparenz',
    'B.Perspektive K', 'B.Perspektive k', 'Lichtquelle', 'Lichtquelle oben', 'Lichtquelle unten',
    'Lichtquelle rechts', 'Lichtquelle links',
  ]);
  const printed = await s.console();

  // Escape: the desktop would end the program here; the page closes the menu.
  await s.tab.keyboard.press('Escape');
  await s.tab.waitFor(menuHidden);
  assert.match(await s.status(), /l\u00e4uft/);

  // A press on a pawn while the menu is open picks nothing.
  await openMenu();
  const pawn = s.at(277, 409);
  await s.tab.mouse.click(pawn.x, pawn.y);
  await s.tab.waitFor(menuHidden);
  assert.equal(await s.title(), start_title);
  assert.equal(await s.console(), printed);

  // From the keyboard: down to "Hilfe", which prints the key help.
  await openMenu();
  for (let i = 0; i < 3; i++) await s.tab.keyboard.press('ArrowDown');
  await s.tab.keyboard.press('Enter');
  await s.tab.waitFor(() => document.getElementById('console').textContent.includes('Tastenfunktionen'));
  assert.equal(await s.tab.evaluate(() => document.activeElement.id), 'canvas');

  await t.test('as on the desktop, the button pressed, dragged onto an entry and released there chooses it',
               { skip: engines.cannot(engine, 'otherRelease') }, async () => {
    const p = s.at(300, 200);
    await s.tab.mouse.move(p.x, p.y);
    await s.tab.mouse.down({ button: 'middle' });
    await s.tab.waitFor(menuShown);
    const hilfe = await s.tab.box('[role=menu]:not([hidden]) [role=menuitem]:nth-child(4)');
    await s.tab.mouse.move(p.x + 20, p.y + hilfe.height / 2);
    await s.tab.mouse.move(hilfe.x + hilfe.width / 2, hilfe.y + hilfe.height / 2);
    await s.tab.mouse.up({ button: 'middle' });
    await s.tab.waitFor(menuHidden);
    // "Hilfe" has printed the key help a second time.
    await s.tab.waitFor(() => document.getElementById('console').textContent.split('Tastenfunktionen').length === 3);
  });
  await s.clean();
});

test('what the desktop ignores or leaves to the browser', async (t) => {
  const s = await open(t);
  const p = s.at(450, 300);
  await s.tab.mouse.move(p.x, p.y);

  await t.test('"back" and "forward" over the scene leave neither the page nor the scene',
               { skip: engines.cannot(engine, 'sideButtons') }, async () => {
    for (const button of ['back', 'forward']) {
      const prevented = await watchDefault(s.tab, 'mouseup');
      await s.tab.mouse.down({ button });
      await s.tab.mouse.up({ button });
      assert.equal(await prevented(), true, button);
    }
    assert.equal(await s.title(), start_title);
  });

  await t.test('Ctrl with the wheel (and a trackpad\'s pinch) is the page\'s zoom, not the scene\'s',
               { skip: engines.cannot(engine, 'modifiedWheel') }, async () => {
    const start = await picture(s.tab);
    await s.tab.evaluate(() => {
      window.zoom = new Promise((resolve) => addEventListener('wheel', (e) => {
        resolve(e.defaultPrevented);
        e.preventDefault(); // the test's own: the zoom would change the picture's size
      }, { once: true, passive: false }));
    });
    await s.tab.keyboard.down('Control');
    await s.tab.mouse.wheel({ deltaY: -100 });
    await s.tab.keyboard.up('Control');
    assert.equal(await s.tab.evaluate(() => window.zoom), false);
    assert.equal(await picture(s.tab), start);
  });

  await t.test('F1 in the box and in the menu opens no help page of the browser\'s', async () => {
    await s.focus('#canvas');
    await s.tab.keyboard.press('F2');
    await s.tab.waitFor(() => document.activeElement.id === 'box-ok');
    const inBox = await watchDefault(s.tab, 'keydown');
    await s.tab.keyboard.press('F1');
    assert.equal(await inBox(), true, 'in the box');
    await s.tab.keyboard.press('Escape');
    await s.tab.mouse.click(p.x, p.y, { button: 'middle' });
    await s.tab.waitFor(() => document.activeElement.getAttribute('role') === 'menuitem');
    const inMenu = await watchDefault(s.tab, 'keydown');
    await s.tab.keyboard.press('F1');
    assert.equal(await inMenu(), true, 'in the menu');
  });
  await s.clean();
});

test('a release or a first press that the scene never received', async (t) => {
  const s = await open(t);

  await t.test('a button let go where the page cannot see it is up for the moves that follow', async () => {
    const start = s.at(450, 300), pawn = s.at(277, 409);
    await s.tab.mouse.click(start.x, start.y);
    const title = await s.title();
    await s.tab.evaluate(() => {
      addEventListener('mouseup', (e) => e.stopImmediatePropagation(), { capture: true, once: true });
    });
    await s.tab.mouse.down();
    await s.tab.mouse.up();
    await s.tab.mouse.move(pawn.x, pawn.y);
    assert.equal(await s.title(), title);
  });

  await t.test('Escape held to close the box: its repeats reach the scene, which never had the press, and ' +
               'end nothing', { skip: engines.cannot(engine, 'keyRepeat') }, async () => {
    await s.focus('#canvas');
    await s.tab.keyboard.press('F2');
    await s.tab.waitFor(() => document.activeElement.id === 'box-ok');
    await s.tab.evaluate(() => {
      window.escapes = [];
      addEventListener('keydown', (e) => window.escapes.push(e.repeat), true);
    });
    await s.tab.keyboard.down('Escape');
    await s.tab.waitFor(() => !document.getElementById('box').open && document.activeElement.id === 'canvas');
    await s.tab.keyboard.down('Escape');
    await s.tab.keyboard.down('Escape');
    await s.tab.keyboard.up('Escape');
    assert.deepEqual(await s.tab.evaluate(() => window.escapes), [false, true, true]);
    await s.tab.keyboard.press('h');
    await s.tab.waitFor(() => document.getElementById('console').textContent.includes('Tastenfunktionen'));
    assert.match(await s.status(), /l\u00e4uft/);
  });
  await s.clean();
});

test('the console panel shows the newest output at the bottom and keeps a bounded history', async (t) => {
  const s = await open(t);
  const lines = () => s.tab.evaluate(() => document.getElementById('console').childElementCount);
  await s.tab.keyboard.press('h');
  await s.tab.waitFor(() => document.getElementById('console').textContent.endsWith('q, ESC - Quit\n'));
  const perHelp = (await lines()) - 3; // the start's three lines: empty, and the two time lines
  for (let i = 0; i * perHelp < 4000; i++) await s.tab.keyboard.press('h');
  await s.tab.waitFor(() => {
    const panel = document.getElementById('console');
    return panel.lastElementChild.textContent === ' q, ESC - Quit\n' &&
           panel.scrollTop + panel.clientHeight >= panel.scrollHeight - 4;
  });
  assert.ok(await lines() <= 3000, `${await lines()} lines`);
  await s.clean();
});

test('the right button opens no context menu over the scene', async (t) => {
  const s = await open(t);
  const prevented = await watchDefault(s.tab, 'contextmenu');
  const p = s.at(450, 300);
  await s.tab.mouse.click(p.x, p.y, { button: 'right' });
  assert.equal(await prevented(), true);
  await s.clean();
});

test('the help box: title, icon, the text as the desktop lays it out, and OK; Return, Enter, Space and ' +
     'Escape close it', async (t) => {
  const s = await open(t);
  const before = (await s.console()).length;
  const boxOpen = () => document.getElementById('box').open;
  await s.tab.keyboard.press('F2');
  await s.tab.waitFor(boxOpen);
  const box = await s.tab.evaluate(() => ({
    title: document.getElementById('box-title').textContent,
    icon: document.querySelector('#box svg.box-icon') !== null,
    ok: document.getElementById('box-ok').textContent,
    text: document.getElementById('box-text').textContent,
    tabSize: getComputedStyle(document.getElementById('box-text')).tabSize,
  }));
  assert.deepEqual([box.title, box.icon, box.ok], ['Velmora: Tavolin', true, 'OK']);
  // The box shows what F2 printed after its title line, its last line feed
  // ending the last line; tabs stop every eight columns.
  const printed = (await s.console()).slice(before);
  const text = printed.slice('\nVelmora: Tavolin\n'.length);
  assert.ok(text.includes('Men\u00fcItem'));
  assert.equal(box.text, text.replace(/\n$/, ''));
  assert.equal(box.tabSize, '8');
  // F2 while it is open gives it the focus again.
  await s.focus('#canvas');
  await s.tab.keyboard.press('F2');
  await s.tab.waitFor(() => document.activeElement.id === 'box-ok');

  for (const key of ['Enter', 'NumpadEnter', 'Space', 'Escape']) {
    if (key !== 'Enter') {
      await s.focus('#canvas');
      await s.tab.keyboard.press('F2');
      await s.tab.waitFor(boxOpen);
    }
    await s.tab.keyboard.press(key);
    await s.tab.waitFor(() => !document.getElementById('box').open);
    assert.match(await s.status(), /l\u00e4uft/, key);
  }
  await s.clean();
});

test('ESC ends the program: the status says so, with status 0, and a button starts it again', async (t) => {
  const s = await open(t);
  await s.tab.keyboard.press('Escape');
  await s.tab.waitFor(() => !document.getElementById('restart').hidden);
  assert.match(await s.status(), /beendet \(Status 0\)/);
  // Ended, it takes no keys: "h" prints nothing; and the middle button opens no menu.
  const printed = await s.console();
  await s.focus('#canvas');
  await s.tab.keyboard.press('h');
  const p = s.at(300, 200);
  await s.tab.mouse.click(p.x, p.y, { button: 'middle' });
  assert.equal(await s.tab.evaluate(() => document.querySelector('[role=menu]:not([hidden])')), null);
  assert.equal(await s.console(), printed);

  await clickOn(s.tab, '#restart');
  await s.tab.waitFor(() => document.getElementById('restart').hidden);
  await firstFrame(s.tab);
  assert.match(await s.status(), /l\u00e4uft/);
  assert.equal(await s.title(), start_title);
  await s.clean();
});

test('when the page cannot run, it says so, and why, in German', async (t) => {
  const restartShown = (tab) => tab.evaluate(() => !document.getElementById('restart').hidden);
  await t.test('a browser without WebGL 2', async (t) => {
    const s = await open(t, {
      broken: true,
      script: () => {
        const getContext = HTMLCanvasElement.prototype.getContext;
        HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
          return kind === 'webgl2' ? null : getContext.call(this, kind, ...rest);
        };
      },
    });
    await s.tab.waitFor(() => /WebGL 2/.test(document.getElementById('status').textContent));
    assert.match(await s.status(), /kann die Szene nicht zeichnen.*Hardwarebeschleunigung/);
    assert.equal(await restartShown(s.tab), false); // it would meet the same browser
  });
  for (const file of ['schach3d.wasm', 'schach3d.js']) {
    await t.test(`a ${file} that does not arrive`, async (t) => {
      const s = await open(t, { broken: true, missing: [file] });
      await s.tab.waitFor((file) => document.getElementById('status').textContent.includes(file), 5000, file);
      assert.match(await s.status(), /nicht geladen werden/);
      assert.equal(await restartShown(s.tab), true);
    });
  }
});

test('a lost WebGL context: picks go on, the status says the picture is being restored, and the restored ' +
     'picture is the one the page draws without the loss', async (t) => {
  // One page at a time (WebKitWebDriver has one session).
  const pawnClicked = async (s) => {
    const pawn = s.at(277, 409);
    await s.tab.mouse.click(pawn.x, pawn.y);
    await s.tab.waitFor(() => document.title === 'Bauer Nr. 11');
  };
  const withoutClock = (text) => text.replace(/\n[ \d]\d:\d\d:\d\d /g, '');
  let expected, printed;
  await t.test('the pawn on B1 armed, as a page that loses nothing draws it', async (t) => {
    const s = await open(t);
    await pawnClicked(s);
    expected = await picture(s.tab);
    printed = withoutClock(await s.console());
    await s.clean();
  });

  await t.test('the same, armed while the context was lost', async (t) => {
    const s = await open(t);
    const restoring = 'Das Bild wird wiederhergestellt \u2026';
    const lose = async () => {
      await s.tab.evaluate(() => {
        const canvas = document.getElementById('canvas');
        window.lostContext = canvas.getContext('webgl2').getExtension('WEBGL_lose_context');
        window.lostContext.loseContext();
      });
      await s.tab.waitFor((text) => document.getElementById('status').textContent === text, undefined, restoring);
    };
    await lose();
    await pawnClicked(s);
    assert.equal(await s.status(), restoring);

    const restored = await picture(s.tab, 'webglcontextrestored');
    await s.tab.evaluate(() => window.lostContext.restoreContext());
    assert.equal(await restored(), expected);
    await s.tab.waitFor(() => document.getElementById('status').textContent === 'Das Programm l\u00e4uft.');
    // The pick printed what it prints without the loss, and nothing else came.
    assert.equal(withoutClock(await s.console()), printed);

    // Ended while lost, the program stays ended: the context's return does
    // not say otherwise.
    await lose();
    await s.tab.keyboard.press('Escape');
    await s.tab.waitFor(() => !document.getElementById('restart').hidden);
    await s.tab.evaluate(() => new Promise((resolve) => {
      document.getElementById('canvas').addEventListener('webglcontextrestored', resolve, { once: true });
      window.lostContext.restoreContext();
    }));
    assert.match(await s.status(), /beendet \(Status 0\)/);
    await s.clean();
  });
});

test('the site\'s server (scripts/serve-web) answers a malformed address with 404 and goes on serving',
     async (t) => {
  const server = await serve(site);
  t.after(() => server.close());
  assert.equal((await fetch(address(server) + '%')).status, 404);
  assert.equal((await fetch(address(server))).status, 200);
});
