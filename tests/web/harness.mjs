// What the browser tests share: checks that count their failures, steps an engine takes another
// way or not at all (said plainly, never passed in silence), the page's server on a loopback
// port, and the browser engines behind one interface, so that each check is written once.
//
// An engine (startEngine): {name, processId, tls, served(root), open(url, options), close()}.
//   processId: the process the browser's processes descend from.
//   tls: null, or {cert, key} (files) when the page is to be served over HTTPS in this engine
//     (startServer takes it), with a certificate the engine accepts.
//   served(root): the folder to serve the page from in this engine (root, or a copy that says how
//     it differs).
//   open(url, {viewport, errors, label, before}): a new page at url, loaded, in a viewport of
//     {width, height, deviceScaleFactor, isMobile, hasTouch} as near as the engine gets; what
//     reaches its error console goes to the array errors, each line after label; before, a
//     function, runs in the page before its own scripts.
// A page: evaluate(fn, ...args) (fn's value in the page, promises waited for); waitFor(fn,
//   timeout) (until fn is true in the page, checked every frame); tap(x, y) (CSS pixels from
//   the viewport's top left); press(key) ('Enter'); clickToLoad(selector) (a click on the
//   element and the new page's load); chooseFile(trigger, path) and cancelChooser(trigger) (the
//   file chooser that trigger(), a function, opens: answered with the file, or cancelled);
//   busyTime() (seconds the page's main thread has worked, or null where the engine can't say);
//   close().
import {serve} from '../../tools/web/serve.mjs';

export const ENGINES = ['chromium', 'firefox', 'webkit'];

let failures = 0;
let skipped = 0;
export function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'} ${what}`);
  if (!ok) failures++;
}

// A check this engine can't make, and why.
export function skip(what, why) {
  console.log(`SKIPPED ${what}: ${why}`);
  skipped++;
}

// How this engine takes a step another way; each said once.
const said = new Set();
export function instead(text) {
  if (said.has(text)) return;
  said.add(text);
  console.log(`instead: ${text}`);
}

// Ends the test with the checks' verdict.
export function finish() {
  const left = skipped ? `, ${skipped} skipped in this engine (said above why)` : '';
  console.log(failures ? `${failures} checks FAILED${left}` : `every check passed${left}`);
  process.exit(failures ? 1 : 0);
}

// The engine NAME, headless or on its own virtual display; with options.display, in a window on
// that X display.
export async function startEngine(name, client, options = {}) {
  if (name === 'chromium' || name === 'firefox') {
    return (await import('./puppeteer-engine.mjs')).startPuppeteerEngine(name, client, options);
  }
  if (name === 'webkit') return (await import('./webkit-engine.mjs')).startWebKitEngine(options);
  throw new Error(`no engine "${name}": the engines are ${ENGINES.join(', ')}`);
}

// Puppeteer's own Chromium browser, for what only Chromium offers (puppeteer-engine.mjs).
export async function startBrowser(client) {
  return (await import('./puppeteer-engine.mjs')).startChromium(client);
}

// The page's server on a free loopback port; `refused` collects the requests it couldn't answer.
// Over HTTPS with TLS, an engine's {cert, key}.
export async function startServer(root, refused, tls = null) {
  const server = await new Promise((done, failed) =>
    serve({root, host: '127.0.0.1', port: 0, cert: tls && tls.cert, key: tls && tls.key, log: (line) => refused.push(line)},
          done, (text) => failed(new Error(text)))
  );
  return {server, base: `${tls ? 'https' : 'http'}://127.0.0.1:${server.address().port}/`};
}

// Says how the page's viewport differs from the one asked for; EVALUATE runs a function in it.
export async function reportViewport(engine, asked, evaluate) {
  const [width, height, ratio, touchPoints] = await evaluate(() => [
    innerWidth, innerHeight, devicePixelRatio, navigator.maxTouchPoints,
  ]);
  const wanted = asked.deviceScaleFactor || 1;
  if (width !== asked.width || height !== asked.height || ratio !== wanted) {
    instead(`${engine}: asked for a ${asked.width}x${asked.height} viewport at ${wanted} device pixels a CSS pixel, ` +
            `the page has ${width}x${height} at ${ratio}`);
  }
  if (asked.hasTouch && !touchPoints) {
    instead(`${engine}: no touch emulation: the page sees no touch points (navigator.maxTouchPoints 0)`);
  }
}

// Run in the page: the next file input's click leaves the input in window.vortelleChooser; with
// HOLD, instead of opening a chooser, for an engine that can't answer one opened from the page.
export function watchNextChooser(hold) {
  const click = HTMLInputElement.prototype.click;
  window.vortelleChooser = null;
  HTMLInputElement.prototype.click = function () {
    if (this.type !== 'file') return click.call(this);
    HTMLInputElement.prototype.click = click;
    window.vortelleChooser = this;
    if (!hold) click.call(this);
  };
}

export const phone = {width: 412, height: 915, deviceScaleFactor: 2.625, isMobile: true, hasTouch: true};
