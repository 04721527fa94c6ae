// A WebDriver client of our own, just what the tests ask of WebKitGTK's
// WebKitWebDriver (which drives its MiniBrowser): a session, navigation,
// scripts, input actions, screenshots and the window's size. WebDriver is
// plain JSON over HTTP, so a few requests with Node's fetch do it; a library
// would bring many packages for these dozen calls.
'use strict';
const { spawn } = require('child_process');
const net = require('net');

const requestTimeout = 60000; // a browser that stops answering fails the test rather than hang it

// A port that is free now: the driver takes it a moment later.
function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// WebKitWebDriver on a port of its own, started with the environment given
// (DISPLAY: the X server MiniBrowser shows on). Resolves once it answers.
async function startDriver(env) {
  for (let attempt = 0; ; attempt++) {
    const port = await freePort();
    const child = spawn('WebKitWebDriver', [`--port=${port}`], { env, stdio: ['ignore', 'ignore', 'pipe'] });
    let log = '';
    child.stderr.on('data', (data) => { log += data; });
    const exited = new Promise((resolve) => child.once('exit', resolve));
    const url = `http://127.0.0.1:${port}`;
    const deadline = Date.now() + 10000;
    while (Date.now() < deadline && child.exitCode === null) {
      try {
        const response = await fetch(`${url}/status`, { signal: AbortSignal.timeout(1000) });
        if (response.ok) return { url, child, exited };
      } catch (error) {
        // not listening yet
      }
      await new Promise((resolve) => setTimeout(resolve, 25));
    }
    child.kill('SIGKILL');
    // Another process took the port in between: try another.
    if (attempt === 2) throw new Error(`WebKitWebDriver did not start: ${log.trim()}`);
  }
}

async function request(url, method, path, body) {
  const response = await fetch(url + path, {
    method,
    headers: body ? { 'Content-Type': 'application/json; charset=utf-8' } : {},
    body: body ? JSON.stringify(body) : undefined,
    signal: AbortSignal.timeout(requestTimeout),
  });
  const answer = await response.json();
  if (!response.ok) {
    const { error, message } = answer.value || {};
    throw new Error(`WebDriver ${method} ${path}: ${error}: ${message}`);
  }
  return answer.value;
}

// One session: one browser window with one page.
class Session {
  constructor(url, id) {
    this.url = url;
    this.base = `/session/${id}`;
  }

  send(method, path, body) { return request(this.url, method, this.base + path, body); }

  goto(address) { return this.send('POST', '/url', { url: address }); }

  // Runs the function in the page with the arguments (JSON values) and
  // resolves to what it returns; a promise it returns is awaited.
  execute(fn, args) {
    const script = `const done = arguments[arguments.length - 1];
      Promise.resolve().then(() => (${fn}).apply(null, Array.prototype.slice.call(arguments, 0, -1)))
        .then((value) => done({ value: value === undefined ? null : value }),
              (error) => done({ error: String(error && error.stack || error) }));`;
    return this.send('POST', '/execute/async', { script, args }).then((result) => {
      if (result.error) throw new Error(`in the page: ${result.error}`);
      return result.value;
    });
  }

  // Input: a list of sources, each with its list of actions, tick by tick.
  actions(sources) { return this.send('POST', '/actions', { actions: sources }); }

  async screenshot() { return Buffer.from(await this.send('GET', '/screenshot'), 'base64'); }

  setWindowRect(rect) { return this.send('POST', '/window/rect', rect); }

  close() { return this.send('DELETE', ''); }
}

// A new session with the given capabilities.
async function newSession(url, capabilities) {
  const value = await request(url, 'POST', '/session', { capabilities: { alwaysMatch: capabilities } });
  return new Session(url, value.sessionId);
}

module.exports = { startDriver, newSession };
