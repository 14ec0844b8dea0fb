// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The web site as a student's browser meets it, against the baseline (a Qt
// window holding only the quiz's heading, built and served the same way):
// the bytes transferred with brotli, and the time from navigation to the
// window's first drawn frame in headless Chromium, cold (an empty cache, no
// service worker) and warm (reloaded from the service worker), interleaved,
// as medians and their ratio.
//
// Usage: node bench/web_first_frame.mjs BUILD_DIR [ROUNDS]
// BUILD_DIR is the web build's folder, with site/ and baseline-site/.
import { join, resolve } from 'node:path';
import { readdir, stat } from 'node:fs/promises';
import { launch, serve } from '../tests/web/browser.mjs';

const buildDir = resolve(process.argv[2] ?? 'build-web');
const rounds = Number(process.argv[3] ?? 7);
const sites = { quiz: join(buildDir, 'site'), baseline: join(buildDir, 'baseline-site') };

// Before the page's own scripts: the moment the program first puts pixels
// on a canvas, and the browser's next frame after it, which shows them.
function watchFirstFrame() {
  const original = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    if (globalThis.firstFrame === undefined) {
      globalThis.firstFrame = null;
      requestAnimationFrame(() => { globalThis.firstFrame = performance.now(); });
    }
    return original.apply(this, args);
  };
}

async function firstFrame(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => typeof globalThis.firstFrame === 'number',
                             { timeout: 120_000, polling: 50 });
  return page.evaluate(() => globalThis.firstFrame);
}

const median = values => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

async function brotliBytes(folder) {
  let total = 0;
  for (const name of await readdir(folder))
    if (name.endsWith('.br'))
      total += (await stat(join(folder, name))).size;
  return total;
}

const servers = { quiz: await serve(sites.quiz), baseline: await serve(sites.baseline) };
const browser = await launch('chromium');
const times = { cold: { quiz: [], baseline: [] }, warm: { quiz: [], baseline: [] } };
const transfer = {};
try {
  for (let round = 0; round < rounds; ++round) {
    const order = round % 2 ? ['baseline', 'quiz'] : ['quiz', 'baseline'];
    for (const program of order) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width: 1280, height: 900 });
      await page.evaluateOnNewDocument(watchFirstFrame);
      const url = `${servers[program].origin}/`;
      servers[program].sent();
      times.cold[program].push(await firstFrame(page, url));
      transfer[program] = servers[program].sent();
      // Once the service worker holds the site, the next visit is warm.
      await page.evaluate(() => navigator.serviceWorker.ready);
      await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                                 { timeout: 30_000 }).catch(() => page.reload());
      times.warm[program].push(await firstFrame(page, url));
      await context.close();
    }
  }
} finally {
  await browser.close();
  await servers.quiz.close();
  await servers.baseline.close();
}

const megabytes = bytes => (bytes / 1e6).toFixed(2) + ' MB';
console.log(`Transfer of the first visit (brotli, as served):`);
console.log(`  quiz      ${megabytes(transfer.quiz)}`);
console.log(`  baseline  ${megabytes(transfer.baseline)}`);
console.log(`  ratio     ${(transfer.quiz / transfer.baseline).toFixed(3)}`);
console.log(`  .br copies in the folders: quiz ${megabytes(await brotliBytes(sites.quiz))},` +
            ` baseline ${megabytes(await brotliBytes(sites.baseline))}`);
for (const kind of ['cold', 'warm']) {
  const quiz = median(times[kind].quiz);
  const baseline = median(times[kind].baseline);
  console.log(`First frame, ${kind} (median of ${rounds}, interleaved):`);
  console.log(`  quiz      ${quiz.toFixed(0)} ms`);
  console.log(`  baseline  ${baseline.toFixed(0)} ms`);
  console.log(`  ratio     ${(quiz / baseline).toFixed(3)}`);
}
console.log(`Warm against cold, quiz: ${(median(times.warm.quiz) / median(times.cold.quiz)).toFixed(3)}`);
