// The page around the game. It reads the address, gives the canvas the phone's screen size and
// scales it to the window, keeps the game for offline play and shows the end of the game; the
// web back end plays on the canvas and reports through window.vortelle. Plain old JavaScript, so
// that a browser too old for the game still reads it and can say why.
(function () {
  'use strict';

  var PROFILES = [[480, 800], [480, 640], [320, 320]];
  // As the driver's --screen takes it.
  var MAX_SIDE = 32767;

  var canvas = document.getElementById('screen');
  var message = document.getElementById('message');
  var gameScript = document.currentScript.getAttribute('data-game');

  // What tests and tools read. The back end fills it in as the game runs and calls end(CODE)
  // when the game's message loop has ended.
  var vortelle = {
    ready: false, // true once the first frame is on the canvas
    trace: [], // the driver's trace lines, times in milliseconds since start on the real clock
    exitCode: null, // the game's exit code, once it has ended
    screen: null, // {width, height}: the phone's screen
    args: [], // the game's command line, from the address
    end: end
  };
  window.vortelle = vortelle;

  function say(text) {
    message.textContent = text;
    message.hidden = false;
  }

  function fail(text) {
    canvas.hidden = true;
    say(text);
  }

  // The value of NAME in the address's query, or null.
  function param(name) {
    var pairs = location.search.slice(1).split('&');
    for (var i = 0; i < pairs.length; i++) {
      var eq = pairs[i].indexOf('=');
      var key = decode(eq < 0 ? pairs[i] : pairs[i].slice(0, eq));
      if (key === name) return eq < 0 ? '' : decode(pairs[i].slice(eq + 1));
    }
    return null;
  }

  function decode(text) {
    try {
      return decodeURIComponent(text.replace(/\+/g, ' '));
    } catch (e) {
      return text;
    }
  }

  // WIDTHxHEIGHT as [width, height], or null.
  function parseScreen(text) {
    var match = /^([0-9]{1,5})x([0-9]{1,5})$/.exec(text);
    if (!match) return null;
    var width = Number(match[1]);
    var height = Number(match[2]);
    if (width < 1 || width > MAX_SIDE || height < 1 || height > MAX_SIDE) return null;
    return [width, height];
  }

  // The profile that fills most of the window: the one nearest to its shape.
  function bestProfile() {
    var shape = Math.log(window.innerHeight / window.innerWidth);
    var best = PROFILES[0];
    for (var i = 1; i < PROFILES.length; i++) {
      var p = PROFILES[i];
      if (Math.abs(Math.log(p[1] / p[0]) - shape) < Math.abs(Math.log(best[1] / best[0]) - shape)) best = p;
    }
    return best;
  }

  // At two and more device pixels for one of the phone's, each is a sharp square; below that
  // squares of uneven sizes look worse than smoothing.
  function fit() {
    var scale = (canvas.getBoundingClientRect().width / canvas.width) * (window.devicePixelRatio || 1);
    canvas.className = scale >= 2 ? 'sharp' : '';
  }

  function end(code) {
    vortelle.exitCode = code;
    canvas.hidden = true;
    message.hidden = true;
    document.getElementById('end').hidden = false;
    document.getElementById('again').focus();
  }

  // A page can't close itself: a new game is the page loaded again, with the same address.
  document.getElementById('again').addEventListener('click', function () {
    location.reload();
  });

  // No zoom by pinching (older Safari ignores the viewport's user-scalable) or by Ctrl and the
  // wheel, no menu from a long press on the screen.
  document.addEventListener('gesturestart', function (event) {
    event.preventDefault();
  });
  document.addEventListener(
    'wheel',
    function (event) {
      if (event.ctrlKey) event.preventDefault();
    },
    {passive: false}
  );
  canvas.addEventListener('contextmenu', function (event) {
    event.preventDefault();
  });

  var asked = param('screen');
  var screen = asked === null ? bestProfile() : parseScreen(asked);
  if (!screen) {
    fail('The address asks for the screen "' + asked + '", which is not WIDTHxHEIGHT with sides from 1 to ' +
      MAX_SIDE + ' (for example 480x800).');
    return;
  }
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    fail('Vortelle can\'t start here: this browser has no WebAssembly, which the game needs.');
    return;
  }

  canvas.width = screen[0];
  canvas.height = screen[1];
  canvas.style.setProperty('--w', screen[0]);
  canvas.style.setProperty('--h', screen[1]);
  vortelle.screen = {width: screen[0], height: screen[1]};
  vortelle.args = ['--screen', screen[0] + 'x' + screen[1], '--model', param('model') || ''];
  if (param('leds') === '1') vortelle.args.push('--leds');
  fit();
  window.addEventListener('resize', fit);
  canvas.focus();

  // Without a service worker (plain HTTP on a network address, a private window) the game plays
  // all the same, only not offline. Where storage is refused, even asking throws.
  if ('serviceWorker' in navigator) {
    window.addEventListener('load', function () {
      try {
        navigator.serviceWorker.register('sw.js').catch(function () {});
      } catch (e) {}
    });
  }

  // The installed game started again comes to the window it has (the manifest's launch_handler),
  // whatever address the start named: the game there plays on as it is.
  if (window.launchQueue && typeof window.launchQueue.setConsumer === 'function') {
    window.launchQueue.setConsumer(function () {
      if (!canvas.hidden) canvas.focus();
    });
  }

  if (!gameScript) {
    say('This build of Vortelle has the page but not yet the game to play on it.');
    return;
  }
  var game = document.createElement('script');
  game.src = gameScript;
  game.onerror = function () {
    fail('The game could not be loaded. Check the connection and load the page again.');
  };
  document.body.appendChild(game);
})();
