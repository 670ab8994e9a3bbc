// Keeps the whole game in the browser, so that after the first visit it starts without a
// network. The build fills in the page's files and a version drawn from their contents: a new
// build is a new version, which replaces the old one's files whole.
'use strict';

var VERSION = '@PAGE_VERSION@';
var FILES = ['@PAGE_FILES@'];
var CACHE = 'vortelle-' + VERSION;

self.addEventListener('install', function (event) {
  event.waitUntil(
    caches
      .open(CACHE)
      .then(function (cache) {
        // The page keeps here the files it fetched itself (web/shell.js), with this version's
        // name; the rest, and all of them where it could not, are asked of the server again
        // (a 304 when unchanged), never from a stale HTTP cache.
        return Promise.all(
          FILES.map(function (file) {
            return cache.match(file).then(function (kept) {
              return kept && kept.ok ? null : new Request(file, {cache: 'no-cache'});
            });
          })
        ).then(function (missing) {
          return cache.addAll(
            missing.filter(function (request) {
              return request !== null;
            })
          );
        });
      })
      .then(function () {
        return self.skipWaiting();
      })
  );
});

self.addEventListener('activate', function (event) {
  event.waitUntil(
    caches
      .keys()
      .then(function (names) {
        return Promise.all(
          names
            .filter(function (name) {
              return name.indexOf('vortelle-') === 0 && name !== CACHE;
            })
            .map(function (name) {
              return caches.delete(name);
            })
        );
      })
      .then(function () {
        return self.clients.claim();
      })
  );
});

// The kept files first, the network for anything else. Every address of the page itself
// (?screen=... and the like) is the one index.html.
self.addEventListener('fetch', function (event) {
  var request = event.request;
  var url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  var page = request.mode === 'navigate' && /\/(index\.html)?$/.test(url.pathname);
  event.respondWith(
    caches.match(page ? 'index.html' : request, {cacheName: CACHE}).then(function (response) {
      return response || fetch(request);
    })
  );
});
