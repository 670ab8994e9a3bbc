// Put at the top of the page's head in WebKit's test copy of the page (webkit-engine.mjs), since
// WebKitWebDriver reports nothing of the error console: it keeps in the tab's sessionStorage,
// across reloads, what would reach the console as an error (console.error, uncaught exceptions,
// unhandled rejections, elements that failed to load), and runs once the script the test left
// there to run before the page's own.
(function () {
  'use strict';
  var ERRORS = 'vortelle-test-errors';
  var BEFORE = 'vortelle-test-before';

  function keep(text) {
    try {
      var kept = JSON.parse(sessionStorage.getItem(ERRORS) || '[]');
      kept.push(String(text));
      sessionStorage.setItem(ERRORS, JSON.stringify(kept));
    } catch (e) {}
  }

  // An error as the console shows one: its name and message (WebKit's stack has neither).
  function describe(thing) {
    return thing && thing.message ? thing.name + ': ' + thing.message : String(thing);
  }

  var error = console.error;
  console.error = function () {
    keep(Array.prototype.map.call(arguments, String).join(' '));
    return error.apply(console, arguments);
  };
  // Captured, since an element's failed load doesn't bubble.
  window.addEventListener(
    'error',
    function (event) {
      var target = event.target;
      if (target && target !== window && (target.src || target.href)) keep('failed to load ' + (target.src || target.href));
      else keep(event.error ? describe(event.error) : event.message);
    },
    true
  );
  window.addEventListener('unhandledrejection', function (event) {
    keep('unhandled rejection: ' + describe(event.reason));
  });

  var before = sessionStorage.getItem(BEFORE);
  if (before) {
    sessionStorage.removeItem(BEFORE);
    (0, eval)(before);
  }
})();
