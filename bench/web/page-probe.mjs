// What the benchmark watches inside the page, installed before the page's own scripts run: the
// moment the game's first frame is there, and the frames it presents.
// The page reads it as window.phoneBench: {readyAt, frames, puts}.

// The game's drawing calls: the page presents its frames through these alone. A new way of
// drawing is one more entry here.
const DRAWING_CALLS = [['CanvasRenderingContext2D', 'putImageData']];

// Runs in the page, so it takes all it needs as arguments.
function probe(drawingCalls) {
  const watched = {readyAt: null, frames: [], puts: 0};
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

  // A frame is what one of the page's tasks drew, timed at its first put: the game draws a
  // motion step in one task, at times as several rectangles, and its canvas is desynchronized,
  // which hands what a task drew to the compositor as it is, without a round of the page's own
  // painting. Counting puts would count every rectangle of a step. Grouping the puts by
  // requestAnimationFrame ticks would count what a 60 Hz display shows, but asking for animation
  // frames brings back the page's painting rounds that the desynchronized canvas avoids: measured
  // that way the main thread was twice as busy at 4x CPU slowdown, and fewer frames came. Two
  // tasks that draw within one display tick (a late step and the next one on time) may show
  // only the second's picture; their gap shows as under 17 ms.
  let taskOpen = false;
  const drew = () => {
    watched.puts++;
    if (taskOpen) return;
    taskOpen = true;
    watched.frames.push(performance.now());
    queueMicrotask(() => (taskOpen = false));
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

// The probe's figures now, with the page's clock.
export function probeNow(page) {
  return page.evaluate(() => {
    const {frames, puts} = window.phoneBench;
    return {at: performance.now(), frames: frames.length, puts};
  });
}

// The times of the frames between two of probeNow's snapshots.
export function framesBetween(page, from, to) {
  return page.evaluate((from, to) => window.phoneBench.frames.slice(from, to), from.frames, to.frames);
}
