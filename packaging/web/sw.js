// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the quiz's own files, and nothing else, for use offline. The cache's
// name comes from the site's contents, so a new release replaces the old one.
'use strict';

const cacheName = 'metals-quiz-@CONTENT_HASH@';
const files = [@FILES@];

self.addEventListener('install', event => {
  event.waitUntil(caches.open(cacheName)
    .then(cache => cache.addAll(files))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(name => name !== cacheName)
                                    .map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The site's own files from the cache, falling back to the network.
self.addEventListener('fetch', event => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
    return;
  event.respondWith(caches.open(cacheName)
    .then(cache => cache.match(request, { ignoreSearch: true }))
    .then(cached => cached || fetch(request)));
});
