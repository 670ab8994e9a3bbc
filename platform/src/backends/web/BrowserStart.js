// vortelle.js in a browser's page. What it needs of the page, and what it gives back:
// - The page has <canvas id="screen"> whose width and height are the phone's screen size; the
//   game draws into its 2D context and takes the pointer (touch, pen, mouse) on it as the
//   stylus, and the keys of the document (Enter and space the OK key, F1 and F2 the soft keys,
//   Escape, the arrows, Ctrl+A, Ctrl+Q).
// - window.vortelle exists before vortelle.js runs, with `args`: the game's command line, as the
//   driver takes it (["--screen", "480x800", "--model", "", "--leds"]); a size it does not
//   support reaches the game's own error box. vortelle.wasm lies beside vortelle.js, and the
//   fonts the game draws with in fonts/ there (tahoma.ttf, tahomabd.ttf, NanumGothic.ttf,
//   NanumGothicBold.ttf), read before the game starts.
// - The page may fetch those files itself, earlier than the game can: `files` maps a name beside
//   vortelle.js ("vortelle.wasm", "fonts/tahoma.ttf") to a promise of its response, which the
//   game takes instead of fetching the file; a page that gives files gives `loadFailed()` too,
//   which the game calls when one can't be read (the page says so, and the game does not start).
//   A name it doesn't give, the game fetches.
// - The game fills in window.vortelle: `trace` (an array; each of the driver's trace lines is
//   pushed as it happens, times in milliseconds since start on the real clock), `ready` (true
//   once the first frame is on the canvas, when the event "vortelle-ready" is dispatched on
//   window), `pictureBytes` (the bytes of the players' chosen pictures that the page keeps, one
//   file for each player at most, set at each choice), and, when the game has ended, calls
//   `vortelle.end(exitCode)` when the page gave that function (else sets `vortelle.exitCode`)
//   and dispatches the event "vortelle-end" on window with {detail: {exitCode}}.
// - Options of the command line that end the program (a malformed one, --help) end it before
//   the game starts: their text goes to the console and the page sees no end.
// - One game among the page's tabs, as on the phone, when the page gives these functions:
//   `instanceKnown(callback)`, which calls back once the page knows whether another tab or window
//   plays the game (the game starts after that); `otherInstance()`, true when one does; and
//   `raiseOtherInstance()`, which asks that one to come forward (true when it could be asked).
//   The game's own single-instance check asks them, and the game then ends at once. Once it runs,
//   the game gives `vortelle.close()`: the page asks it to close, as the phone closes an
//   application; `vortelle.closing` set before then asks it as the game opens.
var vortelleScript = document.currentScript ? document.currentScript.src : location.href;
var vortellePage = window['vortelle'] || (window['vortelle'] = {'ready': false, 'trace': [], 'exitCode': null});
Module['arguments'] = (vortellePage['args'] || []).slice();
// The player pictures lie in img/ beside the program, as on the phone.
Module['thisProgram'] = '/vortelle/vortelle';
Module['print'] = function (line) {
  vortellePage['trace'].push(line);
};
// The game's single-instance check needs the page's answer.
(Module['preRun'] = Module['preRun'] || []).push(function () {
  if (typeof vortellePage['instanceKnown'] !== 'function') return;
  addRunDependency('instance');
  vortellePage['instanceKnown'](function () {
    removeRunDependency('instance');
  });
});
// The game's files that the page fetched for it, by name.
var vortelleFiles = vortellePage['files'] || {};

// A file the page fetched could not be read (the connection went): the page says so and the game
// waits for the page to be loaded again, its run dependency never met.
function vortelleNotLoaded() {
  if (typeof vortellePage['loadFailed'] === 'function') vortellePage['loadFailed']();
  return new Promise(function () {});
}

// The module from the page's response, compiled as it arrives where the browser can. A server
// that doesn't say application/wasm gets it read whole first, as streaming refuses that. A module
// that fails to compile or link is the program's fault, and ends it as Emscripten would.
if (vortelleFiles['vortelle.wasm']) {
  Module['instantiateWasm'] = function (imports, receiveInstance) {
    vortelleFiles['vortelle.wasm'].then(function (response) {
      var type = response.headers.get('Content-Type') || '';
      if (typeof WebAssembly.instantiateStreaming === 'function' && /^application\/wasm\s*(;|$)/i.test(type)) {
        return WebAssembly.instantiateStreaming(response, imports);
      }
      return response.arrayBuffer().then(function (bytes) {
        return WebAssembly.instantiate(bytes, imports);
      });
    }).then(function (made) {
      receiveInstance(made['instance'], made['module']);
    }, function (error) {
      if (error instanceof WebAssembly.CompileError || error instanceof WebAssembly.LinkError) abort(error);
      else vortelleNotLoaded();
    });
    return {};
  };
}

// The fonts into the module's files, where the platform looks first (VORTELLE_FONT_DIR). One
// the server doesn't have is reported by the platform as on the desktop, and the fallback draws;
// one whose download broke off leaves the game unstarted, as the page says. Added to, not set:
// the files built into the program are written by a step of its own there.
(Module['preRun'] = Module['preRun'] || []).push(function () {
  var base = vortelleScript.replace(/[^\/]*$/, '');
  var faces = ['tahoma.ttf', 'tahomabd.ttf', 'NanumGothic.ttf', 'NanumGothicBold.ttf'];
  ENV['VORTELLE_FONT_DIR'] = '/fonts';
  FS.mkdir('/fonts');
  addRunDependency('fonts');
  Promise.all(faces.map(function (face) {
    var given = vortelleFiles['fonts/' + face];
    if (given) {
      return given.then(function (response) {
        return response.ok ? response.arrayBuffer() : null;
      }).then(function (bytes) {
        if (bytes) FS.writeFile('/fonts/' + face, new Uint8Array(bytes));
      }, vortelleNotLoaded);
    }
    return fetch(base + 'fonts/' + face).then(function (response) {
      return response.ok ? response.arrayBuffer() : null;
    }).then(function (bytes) {
      if (bytes) FS.writeFile('/fonts/' + face, new Uint8Array(bytes));
    }, function () {});
  })).then(function () {
    removeRunDependency('fonts');
  });
});
