// What the browser tests, serve-web's screenshot and the benchmark share
// beside the engines (engines.js): the page's first frame, the page served
// with the tests' probe, and the console's bytes.
'use strict';
const { probeHtml } = require('./probe');
const { serve } = require('./serve');

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
function firstFrame(tab) {
  return tab.waitFor(() => {
    const mark = performance.getEntriesByName('schach3d-first-frame')[0];
    return mark && mark.startTime;
  });
}

// Loads the program's page and waits for its first frame.
async function showScene(tab, url) {
  await tab.goto(url);
  return firstFrame(tab);
}

// The site served on 127.0.0.1 with the probe in its page (and options.script,
// a function, run in the page before its own scripts; options.missing, files
// that are not there).
function serveProbed(site, options = {}) {
  return serve(site, { inject: probeHtml(options.script), missing: options.missing });
}

// Everything the probe has kept since the last look: the console panel's
// writes, the problems, the program's end status (null while it runs).
function takeProbed(tab) {
  return tab.evaluate(() => window.schach3dProbe ? window.schach3dProbe.take() :
                                { writes: [], problems: [], ended: null });
}

// The scene's picture as the program draws it now, read back in the same
// task (the drawing buffer is not kept once the page is shown): the second
// of two frames, as some of the light's state passes from one frame to the
// next. With an event: the frame that the page draws by itself for the next
// such event on the canvas, which the function returned waits for. The
// page's own listener, there first, asks for that frame; a frame callback
// asked for after it runs after it, in the same animation frame.
async function picture(tab, event) {
  await tab.evaluate((event) => {
    const canvas = document.getElementById('canvas');
    // The pixels' digest: a phone's canvas has millions of bytes to compare.
    const read = async () => {
      const gl = canvas.getContext('webgl2');
      const pixels = new Uint8Array(canvas.width * canvas.height * 4);
      gl.readPixels(0, 0, canvas.width, canvas.height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
      const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', pixels));
      return Array.from(digest, (byte) => byte.toString(16).padStart(2, '0')).join('');
    };
    window.picture = new Promise((resolve) => {
      if (event) {
        canvas.addEventListener(event, () => requestAnimationFrame(() => resolve(read())), { once: true });
      } else {
        Module._web_on_display();
        Module._web_on_display();
        resolve(read());
      }
    });
  }, event);
  const taken = () => tab.evaluate(() => window.picture);
  return event ? taken : taken();
}

// The phone that the phone's tests and the README's picture of it are taken on.
const phone = { name: 'a phone', width: 390, height: 844, scale: 3 };

// Makes a Chromium tab a touch device of the size (CSS pixels; its density
// is the browser's, engines.start's options.scale). Resolves to the tab's
// DevTools session and turn(size), which turns the device to another size.
async function emulateDevice(tab, size) {
  const devtools = await tab.page.createCDPSession();
  const turn = ({ width, height }) => devtools.send('Emulation.setDeviceMetricsOverride',
                                                   { width, height, deviceScaleFactor: 0, mobile: true });
  await turn(size);
  await devtools.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
  return { devtools, turn };
}

module.exports = { emulateDevice, firstFrame, phone, picture, serveProbed, showScene, takeProbed, windows1252 };
