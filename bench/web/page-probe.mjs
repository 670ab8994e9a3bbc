// What the benchmark watches inside the page, installed before the page's own scripts run: the
// moment the game's first frame is there, and the frames it presents.
// The page reads it as window.phoneBench: {readyAt, frames, puts, drawingTasks}.

// The game's drawing calls: the page presents its frames through these alone. A new way of
// drawing is one more entry here.
const DRAWING_CALLS = [['CanvasRenderingContext2D', 'putImageData']];

// Runs in the page, so it takes all it needs as arguments.
function probe(drawingCalls) {
  const watched = {readyAt: null, frames: [], puts: 0, drawingTasks: 0};
  Object.defineProperty(window, 'phoneBench', {value: watched});

  // window.vortelle.ready turns true on the game's first put to the canvas. The page makes
  // window.vortelle before the game runs; its `ready` is watched from the moment it exists, so
  // the time is the one of the assignment, not of a later poll.
  let page;
  const watchReady = (object) => {
    if (!object || typeof object !== 'object') return;
    let ready = object.ready;
    Object.defineProperty(object, 'ready', {
      configurable: true,
      enumerable: true,
      get: () => ready,
      set(value) {
        if (value && watched.readyAt === null) watched.readyAt = performance.now();
        ready = value;
      },
    });
  };
  Object.defineProperty(window, 'vortelle', {
    configurable: true,
    enumerable: true,
    get: () => page,
    set(value) {
      page = value;
      watchReady(value);
    },
  });

  // A frame is what one animation frame of the browser shows: the puts made before the next
  // requestAnimationFrame callback are one frame, timed at its first put. The game draws a
  // motion step as several rectangles, and the 60 Hz display shows at most one image a tick,
  // so counting puts would count more than is seen; counting animation frames counts what a
  // player sees. The callback is asked for only on a frame's first put, so an idle page and the
  // game's own timing stay as they are. `drawingTasks` counts the page's tasks that drew.
  let frameOpen = false;
  let taskOpen = false;
  const drew = () => {
    const now = performance.now();
    watched.puts++;
    if (!taskOpen) {
      taskOpen = true;
      watched.drawingTasks++;
      queueMicrotask(() => (taskOpen = false));
    }
    if (!frameOpen) {
      frameOpen = true;
      watched.frames.push(now);
      requestAnimationFrame(() => (frameOpen = false));
    }
  };
  for (const [owner, name] of drawingCalls) {
    const prototype = window[owner] && window[owner].prototype;
    if (!prototype || typeof prototype[name] !== 'function') continue;
    const original = prototype[name];
    prototype[name] = function (...args) {
      drew();
      return original.apply(this, args);
    };
  }
}

// Installs the probe in every document PAGE loads from now on.
export async function installProbe(page) {
  await page.evaluateOnNewDocument(probe, DRAWING_CALLS);
}

// The probe's figures now, with the page's clock and the trace's length.
export function probeNow(page) {
  return page.evaluate(() => ({
    at: performance.now(),
    frames: window.phoneBench.frames.length,
    puts: window.phoneBench.puts,
    drawingTasks: window.phoneBench.drawingTasks,
    traceLines: window.vortelle.trace.length,
  }));
}

// What happened in the page between two of probeNow's snapshots: the frames' times and the
// trace's lines.
export function probeBetween(page, from, to) {
  return page.evaluate(
    (from, to) => ({
      frames: window.phoneBench.frames.slice(from.frames, to.frames),
      trace: window.vortelle.trace.slice(from.traceLines, to.traceLines),
    }),
    from,
    to
  );
}
