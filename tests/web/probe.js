// What the tests' server puts into the page ahead of its own scripts, the
// same way in every browser engine (WebDriver has no other way to be there
// from the start): it keeps what the console panel is given to show, the
// problems the page reports itself, and the program's end, until the driver
// or a test takes them (window.schach3dProbe.take(), polled). It only looks;
// the page does not know it is there.
'use strict';

function probe() {
  const kept = { writes: [], problems: [], ended: null };
  const report = (text) => kept.problems.push(text);
  for (const level of ['error', 'warn']) {
    const original = console[level];
    console[level] = function (...args) {
      report(`console.${level}: ${args.map(String).join(' ')}`);
      return original.apply(this, args);
    };
  }
  // In the capture phase, so that a script or a file that fails to load is seen too.
  addEventListener('error', (event) => {
    report(event.error ? `uncaught: ${event.error.message || event.error}` :
      `failed to load: ${event.target && (event.target.src || event.target.href) || event.message}`);
  }, true);
  addEventListener('unhandledrejection', (event) => report(`uncaught: ${event.reason}`));
  addEventListener('DOMContentLoaded', () => {
    document.getElementById('console').addEventListener('console-write', (event) => {
      kept.writes.push([event.detail.stream, event.detail.text]);
    });
    // The program has ended when the page offers to start it again.
    const restart = document.getElementById('restart');
    new MutationObserver(() => {
      const status = /Status (\d+)/.exec(document.getElementById('status').textContent);
      if (!restart.hidden && status && kept.ended === null) kept.ended = Number(status[1]);
    }).observe(restart, { attributes: true });
  });
  window.schach3dProbe = {
    take: () => {
      const taken = { writes: kept.writes, problems: kept.problems, ended: kept.ended };
      kept.writes = [];
      kept.problems = [];
      return taken;
    },
  };
}

// The probe as the page's first script, and a test's own scripts (a
// function or a list of them, run before the page's) after it.
function probeHtml(script) {
  const run = (f) => `<script>(${f})();</script>`;
  return run(probe) + [].concat(script || []).map(run).join('');
}

module.exports = { probeHtml };
