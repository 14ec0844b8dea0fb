// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the quiz in the page: fetches the program with a progress bar,
// hands it to Qt's loader, and says in Russian and English what went wrong
// when something does. Registers the service worker that keeps the site for
// use offline.
'use strict';

const program = '@PROGRAM@';
const programBytes = @WASM_BYTES@;
// The window's client area in CSS pixels.
const windowWidth = 722;
const windowHeight = 534;

const screen = document.getElementById('screen');
const status = document.getElementById('status');
const message = document.getElementById('message');
const progress = document.getElementById('progress');

function fail(russian, english) {
  status.className = 'failed';
  progress.hidden = true;
  message.textContent = russian + '\n' + english;
}

// On a screen narrower than the window, the whole window is scaled down to
// the width, and Qt draws it at that scale.
const scale = Math.min(1, (document.documentElement.clientWidth - 8) / windowWidth);
screen.style.width = windowWidth * scale + 'px';
screen.style.height = windowHeight * scale + 'px';

async function fetchProgram() {
  const response = await fetch(program + '.wasm');
  if (!response.ok)
    throw new Error(response.status + ' ' + response.statusText);
  // The body arrives decompressed, so its length is the program's own.
  const reader = response.body.getReader();
  const chunks = [];
  let received = 0;
  for (;;) {
    const { done, value } = await reader.read();
    if (done)
      break;
    chunks.push(value);
    received += value.length;
    progress.value = Math.min(received / programBytes, 1);
  }
  message.textContent = 'Подготовка викторины…';
  progress.removeAttribute('value');
  return WebAssembly.compile(await new Blob(chunks).arrayBuffer());
}

async function start() {
  if (typeof WebAssembly !== 'object') {
    fail('Этот браузер не поддерживает WebAssembly, без которого викторина не работает.',
         'This browser does not support WebAssembly, which the quiz needs.');
    return;
  }
  try {
    await qtLoad({
      qt: {
        module: fetchProgram(),
        entryFunction: globalThis[program.replace(/\W/g, '_') + '_entry'],
        containerElements: [screen],
        environment: scale < 1 ? { QT_SCALE_FACTOR: String(scale) } : {},
        onLoaded: () => {
          status.className = 'done';
          keepOffline();
        },
        onExit: exit => {
          if (exit.crashed || exit.code)
            fail('Викторина остановилась из-за ошибки. Обновите страницу.',
                 'The quiz stopped on an error. Reload the page.');
        },
      },
    });
  } catch (error) {
    console.error(error);
    fail('Не удалось загрузить викторину. Проверьте соединение и обновите страницу.',
         'The quiz could not be loaded. Check the connection and reload the page.');
  }
}

// Once the quiz is up, and its files are in the browser's cache, the
// service worker keeps the site for the next visit, offline too.
function keepOffline() {
  if ('serviceWorker' in navigator && window.isSecureContext)
    navigator.serviceWorker.register('sw.js').catch(error => console.warn(error));
}

start();
