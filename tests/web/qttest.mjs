// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one Qt Test program built for the web in headless Chromium, prints
// its report as it comes, and exits with its status. Its screen is a frame
// of the window's size, as on the quiz's page.
//
// Usage: node qttest.mjs FOLDER NAME
// FOLDER holds NAME.js, NAME.wasm and Qt's qtloader.js.
import { launch, serve } from './browser.mjs';

const [folder, name] = process.argv.slice(2);
const entry = name.replace(/\W/g, '_') + '_entry';
const harness = `<!DOCTYPE html>
<html lang="ru"><head><meta charset="utf-8"><title>${name}</title></head>
<body style="margin:0">
<div id="screen" style="width:722px;height:534px"></div>
<script src="qtloader.js"></script>
<script src="${name}.js"></script>
<script>
qtLoad({
  print: line => console.log(line),
  printErr: line => console.log(line),
  notifyTestFinished: status => { window.testStatus = status; },
  qt: {
    entryFunction: ${entry},
    containerElements: [document.getElementById('screen')],
    onExit: exit => { if (exit.crashed) { console.log('crashed: ' + exit.text); window.testStatus = 1; } },
  },
}).catch(error => { console.log('failed to load: ' + error); window.testStatus = 1; });
</script></body></html>`;

const server = await serve(folder, { '/harness.html': harness });
const browser = await launch('chromium');
let status = 1;
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 1024 });
  page.on('console', message => console.log(message.text()));
  page.on('pageerror', error => console.log('page error: ' + error.message));
  await page.goto(`${server.origin}/harness.html`);
  await page.waitForFunction(() => window.testStatus !== undefined,
                             { timeout: 240_000, polling: 200 });
  status = await page.evaluate(() => window.testStatus);
} catch (error) {
  console.log(`${name}: ${error.message}`);
} finally {
  await browser.close();
  await server.close();
}
process.exit(status === 0 ? 0 : 1);
