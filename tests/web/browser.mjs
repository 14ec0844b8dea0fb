// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the browser tests share: a static server on 127.0.0.1 that serves a
// folder as any web server would (the MIME types, and the precompressed .br
// and .gz copies where the browser takes them) and counts what it sent; and
// Debian's own Chromium or Firefox ESR, headless, driven by puppeteer-core.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.css': 'text/css; charset=utf-8',
  '.svg': 'image/svg+xml',
  '.webmanifest': 'application/manifest+json',
  '.txt': 'text/plain; charset=utf-8',
  '.patch': 'text/plain; charset=utf-8',
};

// Serves ROOT on 127.0.0.1 at a free port, and PAGES, a map from path to
// HTML, from memory. Returns { origin, sent, close }: sent() is the bytes of
// bodies sent since the last call.
export async function serve(root, pages = {}) {
  let sentBytes = 0;
  const server = createServer(async (request, response) => {
    try {
      let path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
      if (path.endsWith('/'))
        path += 'index.html';
      if (path in pages) {
        response.writeHead(200, { 'Content-Type': types['.html'] });
        response.end(pages[path]);
        return;
      }
      const file = join(root, normalize(path));
      if (!file.startsWith(root))
        throw new Error('outside');
      const modified = (await stat(file)).mtime.toUTCString();
      // Cached copies are checked each time, and kept while unchanged.
      if (request.headers['if-modified-since'] === modified) {
        response.writeHead(304);
        response.end();
        return;
      }
      const accepted = request.headers['accept-encoding'] ?? '';
      const headers = { 'Content-Type': types[extname(file)] ?? 'application/octet-stream',
                        'Cache-Control': 'no-cache', 'Last-Modified': modified,
                        'Vary': 'Accept-Encoding' };
      let body = null;
      for (const [encoding, suffix] of [['br', '.br'], ['gzip', '.gz']]) {
        if (body === null && accepted.includes(encoding)) {
          body = await readFile(file + suffix).catch(() => null);
          if (body !== null)
            headers['Content-Encoding'] = encoding;
        }
      }
      body ??= await readFile(file);
      sentBytes += body.length;
      response.writeHead(200, headers);
      response.end(body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found');
    }
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return {
    origin: `http://127.0.0.1:${server.address().port}`,
    sent: () => { const bytes = sentBytes; sentBytes = 0; return bytes; },
    close: () => new Promise(resolve => server.close(resolve)),
  };
}

// Debian's Chromium or Firefox ESR, headless, with nothing of its own
// reaching out to the network.
export function launch(name) {
  if (name === 'chromium')
    return puppeteer.launch({
      browser: 'chrome',
      executablePath: '/usr/bin/chromium',
      headless: true,
      args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
             '--disable-background-networking', '--disable-component-update',
             '--disable-sync', '--disable-dev-shm-usage'],
    });
  if (name === 'firefox')
    return puppeteer.launch({
      browser: 'firefox',
      executablePath: '/usr/bin/firefox-esr',
      headless: true,
      extraPrefsFirefox: { 'network.captive-portal-service.enabled': false,
                           'app.update.enabled': false },
    });
  throw new Error(`no such browser: ${name}`);
}
