// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The web site as students meet it, served on 127.0.0.1 as any static server
// would. In each view it opens the page, checks its title and the window's
// size, types the six answers (the Cyrillic ones included), picks the four
// options, presses the button and reads the score: 25, then 24 with a
// capital letter in question 1, then 0 for an empty form. Clicks and taps go
// to where form1.ui places each control; the score is read from Qt's
// accessibility mirror, where a screen reader reads it too.
//
// In Chromium: at 1x, at 2x and on a phone-sized touch screen (typing there
// as an on-screen keyboard inserts text), a pasted answer, then offline from
// the service worker; no request leaves the origin, no console error, and
// the accessibility tree names every control. In Firefox ESR: at 1x.
//
// Usage: node quiz.mjs chromium|firefox SITE [SCREENSHOTS]
// With SCREENSHOTS, saves each view there as a PNG.
import { readFile } from 'node:fs/promises';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch, serve } from './browser.mjs';

const [browserName, site, screenshots] = process.argv.slice(2);
const here = dirname(fileURLToPath(import.meta.url));
const title = 'Знаете ли вы металлы?';
const windowSize = { width: 722, height: 534 };

// Where form1.ui places each control in the window, in its pixels: the
// rectangles of nested widgets add up.
async function controlGeometry() {
  const ui = await readFile(join(here, '../../window/form1.ui'), 'utf8');
  const places = {};
  const open = [];
  const tag = /<widget class="[^"]*" name="([^"]*)">|<\/widget>|<rect><x>(\d+)<\/x><y>(\d+)<\/y><width>(\d+)<\/width><height>(\d+)<\/height><\/rect>/g;
  for (const match of ui.matchAll(tag)) {
    if (match[1] !== undefined) {
      open.push(match[1]);
    } else if (match[0] === '</widget>') {
      open.pop();
    } else {
      const name = open.at(-1);
      const parent = places[open.at(-2)] ?? { x: 0, y: 0 };
      places[name] = { x: parent.x + Number(match[2]), y: parent.y + Number(match[3]),
                       width: Number(match[4]), height: Number(match[5]) };
    }
  }
  delete places.Form1; // the window's own rectangle is its size, not a place in it
  return places;
}

const answers = [['T1', 'бронза'], ['T2', 'высокопрочный'], ['T3', '10'], ['T4', '0,12'],
                 ['T5', '1,5'], ['T6', 'алюминий']];
const rightOptions = ['O3', 'O5', 'O11', 'O13'];

// A control's element in Qt's accessibility mirror, through the shadow root.
const mirrored = name => `pierce/[id$="Form1.${name}"]`;

const failures = [];
function check(condition, what) {
  console.log(`${condition ? 'PASS' : 'FAIL'}: ${what}`);
  if (!condition)
    failures.push(what);
}

class View {
  constructor(page, places, options) {
    this.page = page;
    this.places = places;
    this.touch = options.touch;
    this.insertText = options.insertText;
  }

  async open(url) {
    await this.page.goto(url);
    await this.page.waitForSelector('#status.done', { timeout: 120_000 });
    // The score's field in the mirror, which Qt keeps in a shadow root: the
    // window is up once it is there.
    await this.page.waitForSelector(mirrored('T7'), { timeout: 30_000 });
    const box = await this.page.$eval('#screen', element => {
      const rect = element.getBoundingClientRect();
      return { x: rect.x, y: rect.y, width: rect.width, height: rect.height };
    });
    this.box = box;
    this.scale = box.width / windowSize.width;
  }

  point(name, offset) {
    const place = this.places[name];
    const x = offset?.x ?? place.width / 2;
    const y = offset?.y ?? place.height / 2;
    return { x: this.box.x + (place.x + x) * this.scale,
             y: this.box.y + (place.y + y) * this.scale };
  }

  async press(name, offset) {
    const { x, y } = this.point(name, offset);
    if (this.touch)
      await this.page.touchscreen.tap(x, y);
    else
      await this.page.mouse.click(x, y);
  }

  // Types TEXT into a field as a keyboard would: Latin and digits key by
  // key; other letters as a Russian layout sends them, key by key with the
  // letter as the key, or all at once as an on-screen keyboard inserts text.
  async clear(name) {
    await this.press(name);
    await this.page.keyboard.down('Control');
    await this.page.keyboard.press('KeyA');
    await this.page.keyboard.up('Control');
    await this.page.keyboard.press('Backspace');
  }

  async type(name, text) {
    await this.clear(name);
    if (this.insertText) {
      await this.page.keyboard.sendCharacter(text);
    } else if (browserName === 'chromium') {
      const session = await this.page.createCDPSession();
      for (const character of text) {
        if (character < '\u0080') {
          await this.page.keyboard.type(character);
          continue;
        }
        for (const type of ['keyDown', 'keyUp'])
          await session.send('Input.dispatchKeyEvent',
                             { type, key: character, text: type === 'keyDown' ? character : '' });
      }
      await session.detach();
    } else {
      await this.page.keyboard.type(text);
    }
  }

  async field(name) {
    return this.page.$eval(mirrored(name), element => element.value);
  }

  // Presses the button and reads the score once the window has it: when it
  // changes, or after a second where it stays the same.
  async score() {
    const before = await this.field('T7');
    await this.press('Command1');
    for (let waited = 0; waited < 1000; waited += 50) {
      await new Promise(resolve => setTimeout(resolve, 50));
      const score = await this.field('T7');
      if (score !== before)
        return score;
    }
    return before;
  }

  async answerAll() {
    for (const [name, text] of answers) {
      await this.type(name, text);
      check(await this.field(name) === text, `${name} shows «${text}»`);
    }
    for (const name of rightOptions)
      await this.press(name, { x: 6 }); // the option's round button
  }

  async takeQuiz(label) {
    await this.answerAll();
    check(await this.score() === '25', `${label}: every answer right scores 25`);
    await this.type('T1', 'Бронза');
    check(await this.score() === '24', `${label}: «Бронза» in question 1 scores 24`);
  }
}

async function newView(browser, options) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(options.viewport);
  const view = new View(page, await controlGeometry(), options);
  view.context = context;
  view.requests = [];
  view.errors = [];
  page.on('request', request => view.requests.push(request.url()));
  page.on('console', message => {
    if (message.type() === 'error')
      view.errors.push(message.text());
  });
  page.on('pageerror', error => view.errors.push(error.message));
  return view;
}

const server = await serve(site);
const browser = await launch(browserName);
try {
  const desktop = { viewport: { width: 1280, height: 900, deviceScaleFactor: 1 } };
  const views = browserName === 'chromium'
    ? [['1x', desktop],
       ['2x', { viewport: { ...desktop.viewport, deviceScaleFactor: 2 } }],
       ['phone', { viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true,
                               hasTouch: true }, touch: true, insertText: true }]]
    : [['1x', desktop]];

  for (const [label, options] of views) {
    const view = await newView(browser, options);
    await view.open(`${server.origin}/`);
    check(await view.page.title() === title, `${label}: the page's title is «${title}»`);
    if (!options.touch) {
      check(view.box.width === windowSize.width && view.box.height === windowSize.height,
            `${label}: the window is ${windowSize.width} x ${windowSize.height} (${view.box.width} x ${view.box.height})`);
    } else {
      check(view.box.width <= options.viewport.width && view.box.width > options.viewport.width * 0.9,
            `${label}: the window is scaled to the screen's width (${view.box.width} of ${options.viewport.width})`);
    }
    check(await view.score() === '0', `${label}: an empty form scores 0`);
    await view.takeQuiz(label);
    if (screenshots)
      await view.page.screenshot({ path: join(screenshots, `${browserName}-${label}.png`) });

    // data: addresses, Qt's own icons, never leave the page.
    const foreign = view.requests.filter(url => !url.startsWith(server.origin) &&
                                                !url.startsWith('data:'));
    check(foreign.length === 0, `${label}: no request leaves the origin ${foreign.join(' ')}`);
    check(view.errors.length === 0, `${label}: no error in the console ${view.errors.join(' | ')}`);

    if (browserName === 'chromium' && label === '1x') {
      // The mirror as assistive technology reads it.
      const tree = await view.page.accessibility.snapshot({ interestingOnly: false });
      const nodes = [];
      const walk = node => { nodes.push(node); (node.children ?? []).forEach(walk); };
      walk(tree);
      const named = role => nodes.filter(node => node.role === role).map(node => node.name);
      const fields = named('textbox');
      for (const name of ['T1', 'T2', 'T3', 'T4', 'T5', 'T6', 'T7']) {
        const label = await view.page.$eval(mirrored(name), element => element.getAttribute('aria-label'));
        check(label && fields.includes(label), `${name} is a text field named «${label}»`);
      }
      const groups = named('radiogroup');
      check(groups.length === 4 && groups.every(name => /^\d+\. /.test(name)),
            `each frame's options form a group named by its question (${groups.join(' | ')})`);
      const options = named('radio');
      check(options.length === 17 && options.every(name => name),
            `every option is named by its caption (${options.join(' | ')})`);
      check(named('button').some(name => name.startsWith('Нажмите эту кнопку')),
            `the button is named by its caption (${named('button').join(' | ')})`);
      const score = nodes.find(node => node.role === 'textbox' && node.value === '24');
      check(score?.name === 'Вы получили' && score?.description === 'из 25 баллов',
            `the score reads «${score?.name} ${score?.value} ${score?.description}»`);
      const groupNames = await view.page.$$eval('pierce/input[type=radio]',
                                                inputs => new Set(inputs.map(input => input.name)).size);
      check(groupNames === 4, `the options have four group names (${groupNames})`);
      // Pasted text arrives exactly, as typed text does.
      await view.context.overridePermissions(server.origin, ['clipboard-read', 'clipboard-write',
                                                             'clipboard-sanitized-write']);
      await view.page.evaluate(() => navigator.clipboard.writeText('алюминий'));
      await view.clear('T6');
      check(await view.field('T6') === '', 'T6 is cleared for the paste');
      await view.page.keyboard.down('Control');
      await view.page.keyboard.press('KeyV', { commands: ['Paste'] });
      await view.page.keyboard.up('Control');
      check(await view.field('T6') === 'алюминий', `a pasted «алюминий» arrives in T6 (${await view.field('T6')})`);

      // Offline after the first visit: the service worker serves the site.
      await view.page.waitForFunction(() => navigator.serviceWorker.controller !== null ||
                                            navigator.serviceWorker.ready, { timeout: 30_000 });
      await view.page.evaluate(() => navigator.serviceWorker.ready);
      await view.page.setOfflineMode(true);
      await view.open(`${server.origin}/`);
      // By keyboard from the top of the page: the window opens with its
      // focus in question 1, and the first Tab reaches the quiz, where what
      // holds the browser's focus carries the focused question's name for a
      // screen reader: question 2, as Tab moves on from question 1.
      const focusedName = () => view.page.evaluate(() => {
        let focused = document.activeElement;
        while (focused?.shadowRoot?.activeElement)
          focused = focused.shadowRoot.activeElement;
        return focused?.getAttribute('aria-label');
      });
      const question = name => view.page.$eval(mirrored(name), element => element.getAttribute('aria-label'));
      await view.page.keyboard.press('Tab');
      check(await focusedName() === await question('T2'),
            `the first Tab reaches the quiz, named as question 2 (${await focusedName()})`);
      check(await view.score() === '0', 'offline: the reloaded quiz scores an empty form 0');
      await view.page.setOfflineMode(false);
    }
    await view.context.close();
  }
} catch (error) {
  check(false, `the quiz could be taken: ${error.stack}`);
} finally {
  await browser.close();
  await server.close();
}
console.log(`${browserName}: ${failures.length === 0 ? 'all checks passed' : failures.length + ' failed'}`);
process.exit(failures.length === 0 ? 0 : 1);
