// The page around the game. It reads the address, gives the canvas the phone's screen size and
// scales it to the window, keeps the game for offline play, keeps one game among the page's tabs
// and windows, and shows the end of the game; the web back end plays on the canvas and reports
// through window.vortelle. Plain old JavaScript, so that a browser too old for the game still
// reads it and can say why.
(function () {
  'use strict';

  var PROFILES = [[480, 800], [480, 640], [320, 320]];
  // As the driver's --screen takes it.
  var MAX_SIDE = 32767;
  // The lock that the tab playing the game holds, and the channel the page's tabs talk on.
  var GAME_LOCK = 'vortelle-game';
  var CHANNEL = 'vortelle';
  // How long a starting tab waits for the lock before it asks who holds it: a tab that reloads
  // lets its lock go only as its old page goes, and a free lock comes at once, unless a slow
  // phone's busy page is late to hear so. And how long it waits for an answer on the channel,
  // which every start waits (while the game loads).
  var LOCK_WAIT = 1000;
  var ANSWER_WAIT = 250;
  // What the end of the game says, and its button.
  var ENDED = ['The game has ended.', 'Play again'];
  var ELSEWHERE = ['Vortelle is already open in another tab or window.', 'Play here instead'];
  var MOVED = ['Vortelle is now open in another tab or window.', 'Play here again'];
  // The title of a tab that another tab's start called forward, now and then.
  var CALLING = 'Vortelle is open here';

  var canvas = document.getElementById('screen');
  var message = document.getElementById('message');
  var endBox = document.getElementById('end');
  var again = document.getElementById('again');
  var shellScript = document.currentScript;
  var gameScript = shellScript.getAttribute('data-game');
  // The requests for the game's files beside its script (its module, its fonts) that the page's
  // head made already, by name, and the page's version, whose cache the service worker keeps them
  // in (web/sw.js).
  var requested = (window.vortelle && window.vortelle.files) || {};
  var pageVersion = shellScript.getAttribute('data-version') || '';
  var CACHE_PREFIX = 'vortelle-';
  var NOT_LOADED = 'The game could not be loaded. Check the connection and load the page again.';

  // The page's tabs (askTabs).
  var channel = null;
  var tabId = Math.random().toString(36).slice(2);
  var tabStart = Date.now();
  var known = false; // whether this tab knows yet if another one plays
  var whenKnown = [];
  var otherPlays = false; // another tab played when this one started
  var playing = false; // this tab has the game
  var releaseLock = null;
  var raised = false; // the game ended at once, having brought the other tab's forward
  var loadFailed = false; // a file of the game could not be had
  var moved = false; // another tab took the game from this one
  var flashing = 0;
  var calledTitle = ''; // the title that CALLING stands in for

  // What tests and tools read. The back end fills it in as the game runs and calls end(CODE)
  // when the game's message loop has ended.
  var vortelle = {
    ready: false, // true once the first frame is on the canvas
    files: {}, // the page's fetches of the game's files, by name: promises of responses (takeGameFiles)
    loadFailed: notLoaded, // the game could not read one of them
    trace: [], // the driver's trace lines, times in milliseconds since start on the real clock
    exitCode: null, // the game's exit code, once it has ended
    screen: null, // {width, height}: the phone's screen
    args: [], // the game's command line, from the address
    end: end,
    // The back end's single-instance questions (BrowserStart.js): the game starts once the page
    // knows whether another tab plays.
    instanceKnown: instanceKnown,
    otherInstance: function () {
      return otherPlays;
    },
    raiseOtherInstance: raiseOtherInstance,
    closing: false // the game is to close: another tab plays it now
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

  function notLoaded() {
    if (loadFailed) return;
    loadFailed = true;
    letGo();
    fail(NOT_LOADED);
  }

  // The game's module and fonts, each asked for once, by the page's head: the game takes the
  // responses, and the service worker's cache copies of them, so that its install need not ask
  // the network again (WebKit would download them once more). Copies only on a first visit: a page
  // the worker serves has them in its cache already. Resolves once the copies are kept.
  function takeGameFiles() {
    var names = [];
    for (var name in requested) if (Object.prototype.hasOwnProperty.call(requested, name)) names.push(name);
    // Where storage is refused, even asking throws; the worker then fetches everything itself.
    var cache = null;
    try {
      if (names.length && pageVersion && window.caches && !(navigator.serviceWorker && navigator.serviceWorker.controller)) {
        cache = caches.open(CACHE_PREFIX + pageVersion).catch(function () {
          return null;
        });
      }
    } catch (e) {
      cache = null;
    }
    var kept = [];
    var arrived = [];
    names.forEach(function (name) {
      var taken = requested[name].then(function (response) {
        // A font the server doesn't have is the game's to report, as on the desktop: it draws
        // with the fallback. Without its module it can't start.
        if (!response.ok && /\.wasm$/.test(name)) throw new Error(name + ': ' + response.status);
        if (response.ok && cache) kept.push(keep(cache, name, response.clone()));
        return response;
      });
      // Said by the page; the game's own handlers come later, or never when its script fails.
      arrived.push(taken.catch(notLoaded));
      vortelle.files[name] = taken;
    });
    return Promise.all(arrived).then(function () {
      return Promise.all(kept);
    });
  }

  function keep(cache, name, copy) {
    return cache
      .then(function (opened) {
        if (opened) return opened.put(name, copy);
      })
      .catch(function () {});
  }

  function end(code) {
    vortelle.exitCode = code;
    // A game that another tab took says so already.
    if (moved) return;
    letGo();
    showEnd(raised ? ELSEWHERE : ENDED);
  }

  function showEnd(texts) {
    canvas.hidden = true;
    message.hidden = true;
    document.getElementById('end-text').textContent = texts[0];
    again.textContent = texts[1];
    endBox.hidden = false;
    again.focus();
  }

  // A page can't close itself: a new game is the page loaded again, with the same address. Where
  // another tab plays, the page comes back with play=here, which takes the game from it.
  again.addEventListener('click', function () {
    if (raised || moved) location.replace(location.pathname + addressQuery('play=here') + location.hash);
    else location.reload();
  });

  // The address's query without its "play", with EXTRA added ('' for none).
  function addressQuery(extra) {
    var kept = [];
    var pairs = location.search.slice(1).split('&');
    for (var i = 0; i < pairs.length; i++) {
      if (pairs[i] !== '' && decode(pairs[i].split('=')[0]) !== 'play') kept.push(pairs[i]);
    }
    if (extra) kept.push(extra);
    return kept.length ? '?' + kept.join('&') : '';
  }

  // One game at a time, as on the phone, where a second start brings the running game forward and
  // ends. The tab that plays holds a lock (the Web Locks API, only in secure contexts), which the
  // browser keeps even for a tab it has frozen; without locks it answers the tabs that ask on a
  // BroadcastChannel; without either every tab plays. The game's own check asks otherInstance()
  // and then raiseOtherInstance(). TAKE_OVER: "Play here" brought this page, which takes the game.
  function askTabs(takeOver) {
    try {
      channel = new BroadcastChannel(CHANNEL);
      channel.onmessage = heard;
    } catch (e) {
      channel = null;
    }
    if (takeOver) tell({kind: 'give-up'});
    if (navigator.locks && typeof navigator.locks.request === 'function' && askLock(takeOver)) return;
    if (takeOver || !channel) {
      decide(false);
      return;
    }
    tell({kind: 'who', at: tabStart});
    setTimeout(function () {
      decide(false);
    }, ANSWER_WAIT);
  }

  // Asks for the game's lock, and holds it while this tab plays; false when the browser refused
  // the question itself.
  function askLock(takeOver) {
    var options = {};
    var timer = 0;
    var held = false;
    if (takeOver) {
      options.steal = true;
    } else if (typeof AbortController === 'function') {
      // The tab that plays answers at once; one the browser has frozen, only with its lock.
      var waiting = new AbortController();
      options.signal = waiting.signal;
      timer = setTimeout(function () {
        stillWaiting();
      }, LOCK_WAIT);
      whenKnown.push(function () {
        clearTimeout(timer);
        if (!held) waiting.abort();
      });
      tell({kind: 'who', at: tabStart});
    } else {
      options.ifAvailable = true;
    }
    try {
      navigator.locks.request(GAME_LOCK, options, function (lock) {
        clearTimeout(timer);
        if (!lock || known) {
          decide(true);
          return;
        }
        held = true;
        decide(false);
        return new Promise(function (resolve) {
          releaseLock = resolve;
        });
      }).catch(function () {
        // Taken by another tab's "Play here"; before it was granted: the wait's end, or the
        // browser's refusal, which leaves the game to play here unchecked.
        if (held) giveUp();
        else decide(false);
      });
    } catch (e) {
      clearTimeout(timer);
      return false;
    }
    return true;
  }

  // The lock has not come in its time. Another tab plays when one holds the lock while this one
  // still waits for it; when nobody holds it, or this tab has it and only hasn't heard yet, the
  // answer is on its way. A browser that can't say takes it that another tab plays.
  function stillWaiting() {
    if (known) return;
    var asked;
    try {
      asked = navigator.locks.query();
    } catch (e) {
      decide(true);
      return;
    }
    Promise.resolve(asked).then(
      function (state) {
        var held = (state.held || []).some(function (lock) {
          return lock.name === GAME_LOCK;
        });
        var waiting = (state.pending || []).some(function (lock) {
          return lock.name === GAME_LOCK;
        });
        if (held && waiting) decide(true);
      },
      function () {
        decide(true);
      }
    );
  }

  function decide(other) {
    if (known) return;
    known = true;
    otherPlays = other;
    playing = !other;
    var callbacks = whenKnown;
    whenKnown = [];
    for (var i = 0; i < callbacks.length; i++) callbacks[i]();
  }

  function instanceKnown(callback) {
    if (known) callback();
    else whenKnown.push(callback);
  }

  function tell(news) {
    if (!channel) return;
    news.from = tabId;
    try {
      channel.postMessage(news);
    } catch (e) {}
  }

  function heard(event) {
    var news = event.data || {};
    if (news.kind === 'who') {
      // Of two tabs that ask at once, the one that asked first plays.
      var later = news.at > tabStart || (news.at === tabStart && news.from > tabId);
      if (playing || (!known && later)) tell({kind: 'here', to: news.from});
    } else if (news.kind === 'here') {
      if (news.to === tabId) decide(true);
    } else if (news.kind === 'raise') {
      if (playing) comeForward();
    } else if (news.kind === 'give-up') {
      giveUp();
    }
  }

  function raiseOtherInstance() {
    raised = true;
    if (!channel) return false;
    tell({kind: 'raise'});
    return true;
  }

  // Another tab's start brought this one forward. Browsers let a page focus itself only now and
  // then, so a hidden one's title calls for a while too.
  function comeForward() {
    try {
      window.focus();
    } catch (e) {}
    if (flashing || document.visibilityState === 'visible') return;
    var times = 0;
    flashing = setInterval(function () {
      // The game may have set a title of its own meanwhile.
      if (document.title === CALLING) {
        document.title = calledTitle;
      } else {
        calledTitle = document.title;
        document.title = CALLING;
      }
      if (++times >= 20 || document.visibilityState === 'visible') stopCalling();
    }, 1000);
  }

  function stopCalling() {
    if (!flashing) return;
    clearInterval(flashing);
    flashing = 0;
    if (document.title === CALLING) document.title = calledTitle;
  }

  // Another tab plays now: this one's game closes as the phone closes an application, and the page
  // says where the game went.
  function giveUp() {
    if (!playing) return;
    letGo();
    moved = true;
    showEnd(MOVED);
    vortelle.closing = true;
    if (typeof vortelle.close === 'function') vortelle.close();
  }

  // This tab no longer plays.
  function letGo() {
    playing = false;
    stopCalling();
    if (releaseLock) releaseLock();
    releaseLock = null;
  }

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

  // "Play here" came back with play=here, which the address then forgets.
  var takeOver = param('play') === 'here';
  if (takeOver) {
    try {
      history.replaceState(history.state, '', location.pathname + addressQuery('') + location.hash);
    } catch (e) {}
  }

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

  var filesKept = takeGameFiles();

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
  // all the same, only not offline. The worker is registered once the game is on the screen and
  // the page has kept its copies of the game's files: the worker takes those, and its requests
  // for the rest are answered from the browser's cache (304) instead of crossing the network a
  // second time. Where storage is refused, even asking throws.
  if ('serviceWorker' in navigator) {
    var registered = false;
    var register = function () {
      if (registered) return;
      registered = true;
      try {
        navigator.serviceWorker.register('sw.js').catch(function () {});
      } catch (e) {}
    };
    if (gameScript) {
      window.addEventListener('vortelle-ready', function () {
        filesKept.then(register);
      });
    } else {
      window.addEventListener('load', register);
    }
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
  askTabs(takeOver);
  var game = document.createElement('script');
  game.src = gameScript;
  game.onerror = notLoaded;
  document.body.appendChild(game);
})();
