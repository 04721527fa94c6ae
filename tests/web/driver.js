#!/usr/bin/env node
// The browser program as the e2e harness (tests/e2e/harness.cpp) drives a
// desktop one: this process serves the site on 127.0.0.1, opens its page in
// the browser engine SCHACH3D_ENGINE names (engines.js: chromium, firefox or
// webkit; chromium if unset; the headed ones on DISPLAY) and then stands for
// the program.
//   - Its stdout carries what the page's console panel shows of the program's
//     stdout, its stderr what the panel shows of the program's stderr, as the
//     program's Windows-1252 bytes (as the tests' probe, probe.js, sees the
//     page hand them to the panel); and, marked "page: ", everything the page
//     logs as an error or a warning, and requests that fail.
//   - It ends with the program's exit status once the page says that the
//     program has ended, or with 143 on SIGTERM; either way it closes the
//     browser first and removes its profile, the folder SOCKET.profile.
//   - On the Unix socket named by SCHACH3D_DRIVER_SOCKET it answers the
//     harness's requests, one line each, fields separated by tabs: the page's
//     "windows" (the scene, the help box, the menu), their titles and places,
//     the pointer, buttons, keys, and screenshots.
//
//   SCHACH3D_DRIVER_SOCKET=PATH [SCHACH3D_ENGINE=NAME] tests/web/driver.js SITE/index.html
'use strict';
const fs = require('fs');
const net = require('net');
const path = require('path');
const engines = require('./engines');
const { serveProbed, takeProbed, windows1252 } = require('./browser');
const { address } = require('./serve');

const page_html = process.argv[2];
const socket_path = process.env.SCHACH3D_DRIVER_SOCKET;
if (!page_html || !socket_path) {
  process.stderr.write('usage: SCHACH3D_DRIVER_SOCKET=PATH [SCHACH3D_ENGINE=NAME] driver.js SITE/index.html\n');
  process.exit(2);
}

// X keysym names (what the cases press) as the browser's keys.
const keys = {
  Return: 'Enter', KP_Enter: 'NumpadEnter', space: 'Space', Escape: 'Escape', Tab: 'Tab',
  BackSpace: 'Backspace', Delete: 'Delete', Left: 'ArrowLeft', Right: 'ArrowRight', Up: 'ArrowUp',
  Down: 'ArrowDown', Prior: 'PageUp', Next: 'PageDown', Home: 'Home', End: 'End', Insert: 'Insert',
  plus: '+', minus: '-',
};
// X buttons: 1 left, 2 middle, 3 right, 4 and 5 the wheel, 8 and 9 the side buttons.
const buttons = { 1: 'left', 2: 'middle', 3: 'right', 8: 'back', 9: 'forward' };
const wheel = { 4: -100, 5: 100 };

const profile = `${socket_path}.profile`;
let browser = null;
let ending = false;
async function end(status) {
  if (ending) return;
  ending = true;
  try {
    if (browser) await browser.close();
  } finally {
    fs.rmSync(profile, { recursive: true, force: true });
    process.exit(status);
  }
}

// The page's windows by id: the scene, the help box and the menu, with how
// each is named and where a key for it goes. Runs in the page.
function driverWindows(op, id) {
  const windows = {
    1: { element: () => document.getElementById('canvas'), name: () => document.title,
         focus: (e) => e.focus() },
    2: { element: () => document.getElementById('box'),
         name: () => document.getElementById('box-title').textContent,
         focus: () => document.getElementById('box-ok').focus() },
    3: { element: () => document.querySelector('[role=menu]:not([hidden])'),
         name: (e) => e.getAttribute('aria-label'),
         focus: (e) => e.querySelector('[role=menuitem]').focus() },
  };
  const shown = (e) => e && e.isConnected && (e.tagName !== 'DIALOG' || e.open) && e.getClientRects().length > 0;
  const w = windows[id];
  switch (op) {
  case 'windows':
    return Object.keys(windows).filter((i) => shown(windows[i].element()))
      .flatMap((i) => [i, windows[i].name(windows[i].element())]);
  case 'title':
    return [w.name(w.element())];
  case 'geometry': {
    const r = w.element().getBoundingClientRect();
    return [r.left, r.top, r.width, r.height].map(Math.round);
  }
  case 'focus': {
    const e = w.element();
    if (!e.contains(document.activeElement)) w.focus(e);
    return [];
  }
  }
  throw new Error(`no such window request: ${op}`);
}

async function main() {
  const site = path.dirname(page_html);
  const server = await serveProbed(site);
  browser = await engines.start(engines.chosen(), { profile });
  const tab = await browser.open({ first: true });
  const report = (text) => process.stderr.write(windows1252(`page: ${text}\n`));
  tab.onProblem(report);

  // One thing at a time in the page: the harness's requests and the look at
  // what the probe kept take turns (WebDriver wants one command at a time).
  let turn = Promise.resolve();
  const inTurn = (work) => {
    const done = turn.then(work);
    turn = done.catch(() => {});
    return done;
  };

  const handlers = {
    windows: () => tab.evaluate(driverWindows, 'windows'),
    title: (id) => tab.evaluate(driverWindows, 'title', id),
    geometry: (id) => tab.evaluate(driverWindows, 'geometry', id),
    async move(x, y) {
      await tab.mouse.move(Number(x), Number(y));
      return [];
    },
    async down(button) {
      if (wheel[button] !== undefined) await tab.mouse.wheel({ deltaY: wheel[button] });
      else await tab.mouse.down({ button: buttons[button] });
      return [];
    },
    async up(button) {
      if (wheel[button] === undefined) await tab.mouse.up({ button: buttons[button] });
      return [];
    },
    async key(id, keysym) {
      // The key goes where the person has put the focus: into that window.
      await tab.evaluate(driverWindows, 'focus', id);
      await tab.keyboard.press(keys[keysym] || keysym);
      return [];
    },
    async screenshot(file) {
      await tab.screenshot(file);
      return [];
    },
  };

  // Requests from when the page has loaded: before, it has nothing to ask about.
  await tab.goto(address(server) + path.basename(page_html));

  // What the console panel was given, in order; then the end, if it came.
  const look = async () => {
    const kept = await inTurn(() => takeProbed(tab));
    for (const [stream, text] of kept.writes) (stream === 2 ? process.stderr : process.stdout).write(windows1252(text));
    kept.problems.forEach(report);
    if (kept.ended !== null) return end(kept.ended);
    setTimeout(() => look().catch(lookFailed), 25);
  };
  const lookFailed = (error) => {
    if (ending) return;
    process.stderr.write(`driver: ${error.stack || error}\n`);
    end(125);
  };
  look().catch(lookFailed);

  fs.rmSync(socket_path, { force: true });
  net.createServer((connection) => {
    let request = '';
    connection.on('data', async (data) => {
      request += data.toString('latin1');
      if (!request.endsWith('\n')) return;
      const [op, ...args] = request.slice(0, -1).split('\t');
      let reply;
      try {
        if (!handlers[op]) throw new Error(`no such request: ${op}`);
        reply = ['ok', ...(await inTurn(() => handlers[op](...args)))].map(String).join('\t');
      } catch (error) {
        // A key that ended the program has closed the page under the request.
        reply = ending ? 'ok' : `error\t${String(error.message).replace(/\s+/g, ' ')}`;
      }
      connection.end(windows1252(reply + '\n'));
    });
  }).listen(socket_path).unref();
}

process.on('SIGTERM', () => end(143));
main().catch((error) => {
  process.stderr.write(`driver: ${error.stack || error}\n`);
  end(125);
});
