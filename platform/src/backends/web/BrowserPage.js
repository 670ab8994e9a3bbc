// The page side of the browser's back end (BrowserPage.h): the canvas, the input queue, the wait
// that gives way to the browser, sound, vibration, the wake lock, the file chooser, another tab's
// game, the end.
// BrowserStart.js says what the page must give.
mergeInto(LibraryManager.library, {
  $VortellePage: {
    canvas: null,
    screenWidth: 0, // the canvas's columns that are the screen
    context: null,
    queue: [],
    waker: null, // ends the wait in vortelleWait
    pointer: null, // the pointer that is the stylus now
    held: [], // virtual keys down
    audio: null,
    awake: false, // the game holds the backlight
    vibrating: false,
    lock: null,
    locking: false,
    chosen: '',
    // The chosen file each owner holds: a phone's photos are megabytes each, and a player who
    // chooses again no longer needs the one before.
    pictures: {},
    listeners: [],
    ready: false,
    shown: null, // ImageData over the screen as the canvas shows it, in the game's memory
    shownAt: 0,

    // The game's first frame is on the canvas: the page may go on.
    drawn: function () {
      if (VortellePage.ready) return;
      VortellePage.ready = true;
      window['vortelle']['ready'] = true;
      window.dispatchEvent(new CustomEvent('vortelle-ready'));
    },

    push: function (kind, a, b) {
      VortellePage.queue.push([kind, a | 0, b | 0]);
      if (VortellePage.waker) VortellePage.waker();
    },

    listen: function (target, type, handler, options) {
      target.addEventListener(type, handler, options);
      VortellePage.listeners.push([target, type, handler, options]);
    },

    // A pointer position as the phone's pixel under it: the canvas is scaled by CSS; the lamp
    // strip beside the screen counts as the screen's right edge.
    point: function (event) {
      var canvas = VortellePage.canvas;
      var rect = canvas.getBoundingClientRect();
      var x = Math.floor(((event.clientX - rect.left) * canvas.width) / rect.width);
      var y = Math.floor(((event.clientY - rect.top) * canvas.height) / rect.height);
      return [Math.min(Math.max(x, 0), VortellePage.screenWidth - 1), Math.min(Math.max(y, 0), canvas.height - 1)];
    },

    // Browsers start sound only from a person's touch or key (a touch counts once it ends), and
    // say so in the console when asked at another time.
    unlockAudio: function () {
      var page = VortellePage;
      if (navigator.userActivation && !navigator.userActivation.isActive) return;
      if (!page.audio || page.audio.state === 'closed') {
        var Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return;
        try {
          page.audio = new Context();
        } catch (e) {
          page.audio = null;
          return;
        }
      }
      page.resumeAudio(true);
    },

    // A call or a switch of apps leaves the sound "interrupted" (Safari) or "suspended": it comes
    // back on the next touch or key, or as the page is seen again where the browser allows it.
    // A refusal is no error; one just after a touch leaves a sound that won't come back, and the
    // next touch makes a new one.
    resumeAudio: function (touched) {
      var page = VortellePage;
      var audio = page.audio;
      if (!audio || audio.state === 'running' || audio.state === 'closed') return;
      var refused = function () {
        if (!touched || page.audio !== audio || audio.state === 'running') return;
        page.audio = null;
        page.closeAudio(audio);
      };
      try {
        var resumed = audio.resume();
        if (resumed && resumed.then) resumed.then(null, refused);
      } catch (e) {
        refused();
      }
    },

    // A file's bytes; Safari before 14 has no Blob.arrayBuffer.
    readFile: function (file) {
      if (typeof file.arrayBuffer === 'function') return file.arrayBuffer();
      return new Promise(function (resolve, reject) {
        var reader = new FileReader();
        reader.onload = function () {
          resolve(reader.result);
        };
        reader.onerror = reject;
        reader.readAsArrayBuffer(file);
      });
    },

    closeAudio: function (audio) {
      try {
        var closed = audio.close();
        if (closed && closed.then) closed.then(null, function () {});
      } catch (e) {}
    },

    // The OK key is Enter or space; the rest as on the desktop. 0: not the game's.
    virtualKey: function (event) {
      var named = {
        Enter: 13, NumpadEnter: 13, Space: 13, F1: 0x70, F2: 0x71, Escape: 27,
        ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, ControlLeft: 17, ControlRight: 17
      };
      if (named[event.code]) return named[event.code];
      var match = /^(?:Key([A-Z])|Digit([0-9])|Numpad([0-9]))$/.exec(event.code || '');
      if (match) return (match[1] || match[2] || match[3]).charCodeAt(0);
      if (event.key === 'Control') return 17;
      if (event.key && event.key.length === 1 && /[a-z0-9]/i.test(event.key)) return event.key.toUpperCase().charCodeAt(0);
      return 0;
    },

    releaseAll: function () {
      var page = VortellePage;
      if (page.pointer !== null) {
        page.pointer = null;
        page.push(3, page.lastX || 0, page.lastY || 0);
      }
      var held = page.held;
      page.held = [];
      for (var i = 0; i < held.length; i++) page.push(5, held[i], 0);
    },

    takeLock: function () {
      var page = VortellePage;
      if (!page.awake || page.lock || page.locking || !navigator.wakeLock || document.visibilityState !== 'visible') return;
      page.locking = true;
      var asked;
      try {
        asked = navigator.wakeLock.request('screen');
      } catch (e) {
        page.locking = false;
        return;
      }
      asked.then(function (lock) {
        page.locking = false;
        page.lock = lock;
        lock.addEventListener('release', function () {
          if (page.lock === lock) page.lock = null;
        });
        if (!page.awake) page.dropLock();
      }, function () {
        page.locking = false;
      });
    },

    dropLock: function () {
      var page = VortellePage;
      if (!page.lock) return;
      var lock = page.lock;
      page.lock = null;
      lock.release().catch(function () {});
    },

    // Stops a vibration the game left on.
    stopVibrating: function () {
      var page = VortellePage;
      if (!page.vibrating) return;
      page.vibrating = false;
      try {
        navigator.vibrate(0);
      } catch (e) {}
    }
  },

  vortelleOpenPage__deps: ['$VortellePage'],
  vortelleOpenPage: function (width, height, screenWidth) {
    var page = VortellePage;
    var canvas = document.getElementById('screen');
    if (!canvas || !canvas.getContext) return false;
    // With the lamp strip the canvas is wider than the screen, the strip on its right.
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      canvas.style.setProperty('--w', width);
      canvas.style.setProperty('--h', height);
    }
    page.screenWidth = screenWidth;
    page.canvas = canvas;
    // A desynchronized canvas hands each put to the compositor as it is made, without a round
    // of the page's own painting for every frame: a spinning arrow costs a third of the time.
    page.context = canvas.getContext('2d', {alpha: false, desynchronized: true});
    if (!page.context) return false;

    page.listen(canvas, 'pointerdown', function (event) {
      page.unlockAudio();
      event.preventDefault();
      if (page.pointer !== null || (event.pointerType === 'mouse' && event.button !== 0)) return;
      page.pointer = event.pointerId;
      try {
        canvas.setPointerCapture(event.pointerId);
      } catch (e) {}
      var p = page.point(event);
      page.lastX = p[0];
      page.lastY = p[1];
      page.push(1, p[0], p[1]);
    });
    page.listen(canvas, 'pointermove', function (event) {
      if (event.pointerId !== page.pointer) return;
      var p = page.point(event);
      if (p[0] === page.lastX && p[1] === page.lastY) return;
      page.lastX = p[0];
      page.lastY = p[1];
      page.push(2, p[0], p[1]);
    });
    var lift = function (event) {
      page.unlockAudio();
      if (event.pointerId !== page.pointer) return;
      page.pointer = null;
      var p = page.point(event);
      page.push(3, p[0], p[1]);
    };
    page.listen(canvas, 'pointerup', lift);
    page.listen(canvas, 'pointercancel', lift);
    // The game has taken the touch already, and what it did may have put something else under
    // the finger (the end's "Play again"): no click of the browser's own after it. Kept after the
    // end, which comes while the last touch is still being handled.
    canvas.addEventListener('touchend', function (event) {
      event.preventDefault();
    }, {passive: false});
    page.listen(document, 'keydown', function (event) {
      page.unlockAudio();
      var key = page.virtualKey(event);
      if (key === 0) return;
      // The browser's own actions for the game's keys (scrolling, help, select all) are not wanted.
      if (key < 0x30 || key > 0x5a || event.ctrlKey) event.preventDefault();
      if (event.repeat || page.held.indexOf(key) >= 0) return;
      page.held.push(key);
      page.push(4, key, 0);
    });
    page.listen(document, 'keyup', function (event) {
      var at = page.held.indexOf(page.virtualKey(event));
      if (at < 0) return;
      event.preventDefault();
      var key = page.held[at];
      page.held.splice(at, 1);
      page.push(5, key, 0);
    });
    page.listen(window, 'blur', page.releaseAll);
    page.listen(document, 'visibilitychange', function () {
      if (document.visibilityState !== 'visible') return;
      page.takeLock();
      page.resumeAudio(false);
      page.push(8, 0, 0);
    });
    // The page asks the game to close when another tab takes it (web/shell.js), perhaps before
    // the game has opened.
    var vortelle = window['vortelle'];
    vortelle['close'] = function () {
      page.push(9, 0, 0);
    };
    if (vortelle['closing']) page.push(9, 0, 0);
    return true;
  },

  vortellePut__deps: ['$VortellePage'],
  vortellePut: function (rgba, x, y, width, height) {
    var page = VortellePage;
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    page.context.putImageData(new ImageData(bytes, width, height), x, y);
    page.drawn();
  },

  vortellePutShown__deps: ['$VortellePage'],
  vortellePutShown: function (rgba, width, height, left, top, partWidth, partHeight, x) {
    var page = VortellePage;
    var picture = page.shown;
    // One picture over the game's memory, made again when that memory grew and moved.
    if (!picture || page.shownAt !== rgba || picture.width !== width || picture.height !== height ||
        picture.data.buffer !== HEAPU8.buffer) {
      picture = page.shown = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
      page.shownAt = rgba;
    }
    page.context.putImageData(picture, x - left, 0, left, top, partWidth, partHeight);
    page.drawn();
  },

  vortelleWait__deps: ['$VortellePage'],
  vortelleWait: function (milliseconds) {
    var page = VortellePage;
    // When the wait is played back to resume the program, handleSleep must see it again.
    if (Asyncify.state === Asyncify.State.Normal && (page.queue.length > 0 || milliseconds === 0)) return;
    Asyncify.handleSleep(function (wakeUp) {
      var timer = 0;
      var done = function () {
        if (page.waker !== done) return;
        page.waker = null;
        clearTimeout(timer);
        wakeUp();
      };
      page.waker = done;
      if (milliseconds > 0) timer = setTimeout(done, milliseconds);
    });
  },

  vortelleNextEvent__deps: ['$VortellePage'],
  vortelleNextEvent: function (event) {
    var next = VortellePage.queue.shift();
    if (!next) return false;
    HEAP32[event >> 2] = next[0];
    HEAP32[(event >> 2) + 1] = next[1];
    HEAP32[(event >> 2) + 2] = next[2];
    return true;
  },

  vortellePlay__deps: ['$VortellePage'],
  vortellePlay: function (samples, count, rate) {
    var audio = VortellePage.audio;
    if (!audio || audio.state !== 'running' || count <= 0) return;
    // A sound the browser can't make is silence, not the game's end.
    try {
      var buffer = audio.createBuffer(1, count, rate);
      var data = buffer.getChannelData(0);
      var first = samples >> 1;
      for (var i = 0; i < count; i++) data[i] = HEAP16[first + i] / 32768;
      var source = audio.createBufferSource();
      source.buffer = buffer;
      source.connect(audio.destination);
      // Older WebKit wants the time.
      source.start(0);
    } catch (e) {}
  },

  vortelleVibrate__deps: ['$VortellePage'],
  vortelleVibrate: function (milliseconds) {
    var page = VortellePage;
    // Missing on iPhones. Before a person has touched the page the browser refuses, and says so
    // in the console.
    if (typeof navigator.vibrate !== 'function' || (navigator.userActivation && !navigator.userActivation.hasBeenActive)) return;
    if (milliseconds === 0 && !page.vibrating) return;
    try {
      page.vibrating = navigator.vibrate(milliseconds) === true && milliseconds > 0;
    } catch (e) {
      page.vibrating = false;
    }
  },

  vortelleHoldAwake__deps: ['$VortellePage'],
  vortelleHoldAwake: function (held) {
    var page = VortellePage;
    page.awake = !!held;
    if (page.awake) page.takeLock();
    else page.dropLock();
  },

  // The page knows whether another tab of it plays the game (web/shell.js); without the page's
  // answer there is none.
  vortelleOtherInstance: function () {
    var vortelle = window['vortelle'];
    return typeof vortelle['otherInstance'] === 'function' && !!vortelle['otherInstance']();
  },

  vortelleRaiseOtherInstance: function () {
    var vortelle = window['vortelle'];
    return typeof vortelle['raiseOtherInstance'] === 'function' && !!vortelle['raiseOtherInstance']();
  },

  vortelleSetTitle: function (title) {
    var text = UTF8ToString(title);
    document.title = text || 'Vortelle';
  },

  vortelleChooseFile__deps: ['$VortellePage', '$FS'],
  vortelleChooseFile: function (maxBytes, owner) {
    var page = VortellePage;
    // The browser opens its chooser only just after a person's touch or key; else it says so in
    // the console and the game would wait for ever.
    if (navigator.userActivation && !navigator.userActivation.isActive) {
      page.push(7, 0, 0);
      return;
    }
    var input = document.createElement('input');
    input.type = 'file';
    input.accept = 'image/jpeg';
    input.style.display = 'none';
    document.body.appendChild(input);
    var answered = false;
    var reading = false;
    var answer = function (kind) {
      if (answered) return;
      answered = true;
      window.removeEventListener('focus', focused);
      input.remove();
      page.push(kind, 0, 0);
    };
    // Browsers without the input's cancel event: the page has the focus back and no file came.
    var focused = function () {
      setTimeout(function () {
        if (!reading && !(input.files && input.files.length)) answer(7);
      }, 1000);
    };
    input.addEventListener('change', function () {
      var file = input.files && input.files[0];
      if (!file) {
        answer(7);
        return;
      }
      reading = true;
      // A file larger than the game reads is not read here either: it comes empty, which the
      // game's picture path refuses as it refuses the large one.
      var content = file.size > maxBytes ? Promise.resolve(new ArrayBuffer(0)) : page.readFile(file);
      content.then(function (bytes) {
        // The file in the module's memory under its own name, where the game's picture path reads it.
        try {
          FS.mkdir('/pictures');
        } catch (e) {}
        // The name's end, with its extension, so that the path always fits the game's buffer.
        var path = '/pictures/' + (file.name.replace(/[\/\\]/g, '_').slice(-100) || 'picture.jpg');
        FS.writeFile(path, new Uint8Array(bytes));
        page.chosen = path;
        var before = page.pictures[owner];
        page.pictures[owner] = path;
        var held = function (p) {
          for (var key in page.pictures) if (page.pictures[key] === p) return true;
          return false;
        };
        if (before && !held(before)) {
          try {
            FS.unlink(before);
          } catch (e) {}
        }
        var kept = 0;
        FS.readdir('/pictures').forEach(function (name) {
          if (name !== '.' && name !== '..') kept += FS.stat('/pictures/' + name).size;
        });
        window['vortelle']['pictureBytes'] = kept;
        answer(6);
      }, function () {
        answer(7);
      });
    });
    input.addEventListener('cancel', function () {
      answer(7);
    });
    window.addEventListener('focus', focused);
    input.click();
  },

  vortelleChosenPath__deps: ['$VortellePage'],
  vortelleChosenPath: function (out, size) {
    stringToUTF8(VortellePage.chosen, out, size);
    return lengthBytesUTF8(VortellePage.chosen);
  },

  vortelleEnded__deps: ['$VortellePage'],
  vortelleEnded: function (exitCode) {
    var page = VortellePage;
    for (var i = 0; i < page.listeners.length; i++) {
      var l = page.listeners[i];
      l[0].removeEventListener(l[1], l[2], l[3]);
    }
    page.listeners = [];
    page.awake = false;
    page.dropLock();
    page.stopVibrating();
    // The browser's sound is let go: a phone keeps its audio busy while a page holds it.
    if (page.audio) page.closeAudio(page.audio);
    page.audio = null;
    var vortelle = window['vortelle'];
    if (typeof vortelle['end'] === 'function') vortelle['end'](exitCode);
    else vortelle['exitCode'] = exitCode;
    window.dispatchEvent(new CustomEvent('vortelle-end', {detail: {exitCode: exitCode}}));
  }
});
