// The browser engines that the tests open the page in, behind one small
// interface, so that the driver (driver.js), the page's cases (page.test.js)
// and the benchmark (measure.js) say once what they do and run it in each:
//
//   chromium     Debian's Chromium, headless, WebGL 2 on SwiftShader (there is no GPU)
//   chromium-gl  the same, headed on the X display, WebGL 2 through ANGLE on Mesa's llvmpipe
//   firefox      Debian's Firefox ESR, headed on the X display (headless it has no WebGL 2 here)
//   webkit       WebKitGTK's MiniBrowser, headed on the X display, through WebKitWebDriver
//
// The first three go through puppeteer-core (DevTools for Chromium, WebDriver
// BiDi for Firefox), WebKit through a WebDriver client of our own
// (webdriver.js). The headed ones need DISPLAY: the tests' own Xvfb.
//
//   const browser = await engines.start('firefox', options);
//   const tab = await browser.open(options);   // a fresh context: no cookies, storage or workers of another's
//   await tab.goto(url); await tab.mouse.click(x, y); await tab.keyboard.press('K'); ...
//   await browser.close();
'use strict';
const fs = require('fs');
const puppeteer = require('puppeteer-core');
const webdriver = require('./webdriver');

const defaultViewport = { width: 1280, height: 1024 };
const waitTimeout = 20000;

// WebDriver's codes of the keys that have no character of their own.
const webdriverKeys = {
  Shift: '\uE008', Control: '\uE009', Alt: '\uE00A', Meta: '\uE03D',
  Enter: '\uE006', NumpadEnter: '\uE007', Escape: '\uE00C', Space: ' ', Tab: '\uE004',
  Backspace: '\uE003', Delete: '\uE017', Insert: '\uE016', Home: '\uE011', End: '\uE010',
  PageUp: '\uE00E', PageDown: '\uE00F',
  ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015',
};
for (let f = 1; f <= 12; f++) webdriverKeys[`F${f}`] = String.fromCharCode(0xE030 + f);

// Chromium's switches: no connections of the browser's own (this machine
// reaches no other host), no first-run pages.
const chromiumArgs = [
  '--no-sandbox', // as root; the browser loads only our own page from 127.0.0.1
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--disable-quic',
  '--no-first-run',
  '--disable-dev-shm-usage',
];

// What a tab can do, the same in every engine. Subclasses give the engine's
// own ways: goto, evaluate, screenshot, setViewport, close, and the input
// primitives pointer(down/up/move), wheel and key(down/up).
class Tab {
  constructor(engine) {
    this.engine = engine;
    this.at = { x: 0, y: 0 };
    const tab = this;
    this.mouse = {
      move: (x, y) => { tab.at = { x, y }; return tab.pointerMove(x, y); },
      down: (options = {}) => tab.pointerButton('down', options.button || 'left'),
      up: (options = {}) => tab.pointerButton('up', options.button || 'left'),
      async click(x, y, options = {}) {
        await tab.mouse.move(x, y);
        await tab.mouse.down(options);
        await tab.mouse.up(options);
      },
      // One turn of the wheel by deltaY CSS pixels at the pointer (100: one step towards the person).
      wheel: (options) => tab.wheelBy(options.deltaY || 0),
    };
    this.keyboard = {
      down: (key) => tab.key('down', key),
      up: (key) => tab.key('up', key),
      // A capital with Shift held, as a person types it.
      async press(key) {
        const shifted = key.length === 1 && key !== key.toLowerCase();
        if (shifted) await tab.key('down', 'Shift');
        await tab.key('down', key);
        await tab.key('up', key);
        if (shifted) await tab.key('up', 'Shift');
      },
    };
  }

  // Resolves to what fn returns once that is true, polling the page; fails
  // after the timeout (milliseconds) with the function's text. A page that
  // is being replaced (a reload) fails a look; the next look sees the new one.
  async waitFor(fn, timeout = waitTimeout, ...args) {
    const deadline = Date.now() + timeout;
    for (;;) {
      let failure = null;
      try {
        const value = await this.evaluate(fn, ...args);
        if (value) return value;
      } catch (error) {
        failure = error;
      }
      if (Date.now() > deadline) {
        throw new Error(`timed out after ${timeout} ms waiting for ${fn}${failure ? `: ${failure.message}` : ''}`);
      }
      await new Promise((resolve) => setTimeout(resolve, 20));
    }
  }

  // The element's box in CSS pixels of the viewport.
  box(selector) {
    return this.evaluate((selector) => {
      const r = document.querySelector(selector).getBoundingClientRect();
      return { x: r.left, y: r.top, width: r.width, height: r.height };
    }, selector);
  }
}

// Chromium and Firefox through puppeteer-core.
class PuppeteerTab extends Tab {
  constructor(engine, page, context, scale) {
    super(engine);
    this.scale = scale;
    this.page = page; // for what only an engine's own protocol can do (Chromium's DevTools)
    this.context = context;
  }

  goto(url) { return this.page.goto(url); }
  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
  pointerMove(x, y) { return this.page.mouse.move(x, y); }
  pointerButton(direction, button) { return this.page.mouse[direction]({ button }); }
  wheelBy(deltaY) { return this.page.mouse.wheel({ deltaY }); }
  key(direction, key) {
    // Over BiDi keys go by WebDriver's codes, which puppeteer passes on as they are.
    const name = this.engine === 'firefox' ? webdriverKeys[key] || key : key;
    return this.page.keyboard[direction](name);
  }
  screenshot(path) { return this.page.screenshot({ path, type: 'png' }); }
  setViewport(size) { return this.page.setViewport({ deviceScaleFactor: this.scale, ...size }); }

  // Calls report(text) for every error or warning that the page logs, every
  // uncaught exception, and every request that fails or is refused: what
  // the browser says of the page as well as what the page says itself.
  onProblem(report) {
    const page = this.page;
    page.on('console', (message) => {
      if (['error', 'warn', 'warning'].includes(message.type()))
        report(`console.${message.type()}: ${message.text()}`);
    });
    page.on('pageerror', (error) => report(`uncaught: ${error.message}`));
    page.on('requestfailed', (request) => report(`request failed: ${request.url()}`));
    page.on('response', (response) => {
      if (response.status() >= 400) report(`HTTP ${response.status()}: ${response.url()}`);
    });
  }

  close() { return this.context ? this.context.close() : this.page.close(); }
}

class PuppeteerBrowser {
  constructor(name, browser, scale) {
    this.name = name;
    this.browser = browser;
    this.scale = scale || 1;
  }

  // A tab in a context of its own; options.viewport sizes it (CSS pixels).
  // options.first: the window the browser opened with, for a browser started
  // for one page (a second less for each of the driver's starts).
  async open(options = {}) {
    const context = options.first ? null : await this.browser.createBrowserContext();
    const page = context ? await context.newPage() : (await this.browser.pages())[0];
    const tab = new PuppeteerTab(this.name, page, context, this.scale);
    await tab.setViewport({ ...defaultViewport, ...options.viewport });
    return tab;
  }

  close() { return this.browser.close(); }
}

async function startChromium(name, options) {
  const headed = name === 'chromium-gl';
  const screen = options.scale ? [`--force-device-scale-factor=${options.scale}`] : [];
  const browser = await puppeteer.launch({
    executablePath: process.env.SCHACH3D_CHROMIUM || '/usr/bin/chromium',
    headless: !headed,
    pipe: true, // the browser ends when the pipe closes, even if this process was killed
    handleSIGINT: false,
    handleSIGTERM: false,
    handleSIGHUP: false,
    userDataDir: options.profile,
    defaultViewport: null,
    args: [
      ...chromiumArgs,
      ...(headed ? ['--use-angle=gl', '--ignore-gpu-blocklist'] : ['--use-angle=swiftshader', '--enable-unsafe-swiftshader']),
      `--window-size=${defaultViewport.width},${defaultViewport.height}`,
      ...screen,
    ],
  });
  return new PuppeteerBrowser(name, browser, options.scale);
}

async function startFirefox(name, options) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.SCHACH3D_FIREFOX || '/usr/bin/firefox-esr',
    headless: false,
    handleSIGINT: false,
    handleSIGTERM: false,
    handleSIGHUP: false,
    userDataDir: options.profile,
    defaultViewport: null,
    args: [`--width=${defaultViewport.width}`, `--height=${defaultViewport.height}`],
    // A screen of that density, as Chromium's switch makes one.
    extraPrefsFirefox: options.scale ? { 'layout.css.devPixelsPerPx': String(options.scale) } : {},
  });
  return new PuppeteerBrowser(name, browser, options.scale);
}

const webdriverButtons = { left: 0, middle: 1, right: 2, back: 3, forward: 4 };

// WebKit through WebDriver: one session is one window, so a tab is a session.
class WebDriverTab extends Tab {
  constructor(engine, session) {
    super(engine);
    this.session = session;
  }

  goto(url) { return this.session.goto(url); }
  evaluate(fn, ...args) { return this.session.execute(fn, args); }
  pointer(action) {
    return this.session.actions([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' },
                                   actions: [action] }]);
  }
  pointerMove(x, y) {
    return this.pointer({ type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport', duration: 0 });
  }
  pointerButton(direction, button) {
    return this.pointer({ type: direction === 'down' ? 'pointerDown' : 'pointerUp', button: webdriverButtons[button] });
  }
  // WebKitWebDriver takes a scroll's delta as where the wheel has got to
  // since the session began, and sends the difference from the last one:
  // two turns of 100 each are one event of 100 and none. So it is given
  // the running sum, and the page sees each turn as it was made.
  wheelBy(deltaY) {
    this.wheelTravel = (this.wheelTravel || 0) + deltaY;
    return this.session.actions([{ type: 'wheel', id: 'wheel', actions: [
      { type: 'scroll', x: Math.round(this.at.x), y: Math.round(this.at.y), deltaX: 0, deltaY: this.wheelTravel,
        origin: 'viewport' },
    ] }]);
  }
  key(direction, key) {
    return this.session.actions([{ type: 'key', id: 'keyboard', actions: [
      { type: direction === 'down' ? 'keyDown' : 'keyUp', value: webdriverKeys[key] || key },
    ] }]);
  }
  async screenshot(path) { fs.writeFileSync(path, await this.session.screenshot()); }

  // The window grown or shrunk until the page's viewport has the size.
  async setViewport(size) {
    for (let i = 0; i < 3; i++) {
      const inner = await this.evaluate(() => [innerWidth, innerHeight, outerWidth, outerHeight]);
      if (inner[0] === size.width && inner[1] === size.height) return;
      await this.session.setWindowRect({ x: 0, y: 0, width: size.width + inner[2] - inner[0],
                                         height: size.height + inner[3] - inner[1] });
    }
  }

  // The browser's own log is not open to WebDriver: the probe (probe.js),
  // which the page's server puts into every page, reports what the page says.
  onProblem() {}

  close() {
    this.closed();
    return this.session.close();
  }
}

class WebDriverBrowser {
  constructor(name, driver) {
    this.name = name;
    this.driver = driver;
    this.tabs = new Set();
  }

  async open(options = {}) {
    const session = await webdriver.newSession(this.driver.url, {
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': {
        binary: process.env.SCHACH3D_MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
        args: ['--automation'],
      },
    });
    const tab = new WebDriverTab(this.name, session);
    this.tabs.add(tab);
    tab.closed = () => this.tabs.delete(tab);
    await tab.setViewport({ ...defaultViewport, ...options.viewport });
    return tab;
  }

  // Each window closed by its session, so that no MiniBrowser outlives the driver.
  async close() {
    await Promise.allSettled([...this.tabs].map((tab) => tab.close()));
    this.driver.child.kill('SIGTERM');
    await this.driver.exited;
  }
}

async function startWebKit(name, options) {
  // GTK draws the window at the scale asked for, as on a screen of that density.
  const env = { ...process.env, ...(options.scale ? { GDK_SCALE: String(options.scale) } : {}) };
  return new WebDriverBrowser(name, await webdriver.startDriver(env));
}

// What an engine's automation cannot do as a person's hand does, by what a
// test needs; a test that needs it skips there with the reason.
const limits = {
  webkit: {
    sideButtons: 'WebKitWebDriver presses the left button for the buttons "back" and "forward"',
    otherRelease: 'WebKitWebDriver reports the release of any button as one of the left button, the other still held',
    keyRepeat: 'WebKitWebDriver sends nothing for a key pressed again while it is held, where a keyboard repeats it',
    modifiedWheel: 'WebKitWebDriver turns the wheel without the modifier keys that are held',
  },
};

// The reason why the engine cannot do what the test needs, or false if it can.
function cannot(name, need) {
  return (limits[name] && limits[name][need]) || false;
}

const starters = { chromium: startChromium, 'chromium-gl': startChromium, firefox: startFirefox, webkit: startWebKit };

// Starts the engine. options.scale: device pixels per CSS pixel, as a screen
// of that density has them; options.profile: a folder for the browser's
// profile, which the caller removes (puppeteer's own otherwise).
function start(name, options = {}) {
  if (!starters[name]) throw new Error(`no such engine: ${name} (${Object.keys(starters).join(', ')})`);
  return starters[name](name, options);
}

// The engine the tests run in: SCHACH3D_ENGINE, Chromium if unset.
function chosen() {
  return process.env.SCHACH3D_ENGINE || 'chromium';
}

module.exports = { start, chosen, cannot, names: Object.keys(starters) };
