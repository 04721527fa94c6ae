#!/usr/bin/env node
// A plain static file server for the site on 127.0.0.1, on a free port: the
// files as they are, with their types and nothing else (no headers of its own,
// as any static server). Used by the browser tests, by scripts/serve-web and
// by the benchmark.
//
//   node tests/web/serve.js SITE_DIR    serves until ended, prints the address
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm', // what streaming compilation asks for
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
  '.webmanifest': 'application/manifest+json',
};

// Starts serving root; resolves to the server, whose address says the port.
// options.inject: HTML that a page gets at the end of its head, before its
// own scripts run (the tests' probe, tests/web/probe.js); options.missing:
// names of files answered with 404, as if they were not there.
function serve(root, options = {}) {
  root = path.resolve(root);
  const server = http.createServer((request, response) => {
    let name = '';
    try {
      name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch (error) {
      // A malformed escape ("/%") names no file; it must not end the server.
    }
    const file = path.join(root, name.endsWith('/') ? name + 'index.html' : name);
    if (!name || !file.startsWith(root + path.sep) || request.method !== 'GET' && request.method !== 'HEAD' ||
        (options.missing || []).includes(path.basename(file))) {
      response.writeHead(404).end();
      return;
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      if (options.inject && file.endsWith('.html'))
        data = Buffer.from(data.toString('utf8').replace('</head>', `${options.inject}</head>`));
      response.writeHead(200, {
        'Content-Type': types[path.extname(file)] || 'application/octet-stream',
        'Content-Length': data.length,
      });
      response.end(request.method === 'HEAD' ? undefined : data);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => resolve(server));
  });
}

function address(server) {
  return `http://127.0.0.1:${server.address().port}/`;
}

module.exports = { serve, address };

if (require.main === module) {
  const root = process.argv[2];
  if (!root || !fs.existsSync(path.join(root, 'index.html'))) {
    console.error('usage: serve.js SITE_DIR (a folder with index.html)');
    process.exit(2);
  }
  serve(root).then((server) => console.log(address(server)));
}
