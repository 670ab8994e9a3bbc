// How much CPU the browser spends while the arrow spins, engine by engine, each with a window on
// the same virtual display: the browser's processes' CPU time (from /proc) and the X server's,
// over a few seconds of the game idle, the game spinning, and put-rectangles.html putting the
// rectangles the spinning game puts (recorded from the game first) at its rate, without the game.
// A measurement, not a test: it prints figures in cores (CPU seconds a second), each as the range
// over its repeats. The environment reaches the browsers: WEBKIT_DISABLE_COMPOSITING_MODE=1, for
// one, has WebKit draw the page without compositing it in GL (Mesa's software llvmpipe here).
// Usage: node tests/web/measure-spin-cpu.mjs WEB_BUILD CLIENT_FOLDER [SECONDS [REPEATS [ENGINES
//          [WINDOW]]]]
//   (SECONDS 5, REPEATS 3, ENGINES webkit,chromium, WINDOW 447x915, the page's size in CSS pixels
//   at one device pixel each; CLIENT_FOLDER as tests/web/browser-client.sh leaves it,
//   build/web-test)
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';
import {startEngine, startServer} from './harness.mjs';
import {cpuBetween, processTree} from './process-cpu.mjs';
import {startDisplay} from './virtual-display.mjs';

const [build, client] = process.argv.slice(2, 4).map((path) => resolve(path));
const seconds = Number(process.argv[4] || 5);
const repeats = Number(process.argv[5] || 3);
const engines = (process.argv[6] || 'webkit,chromium').split(',');
// The same window in every engine: by default a phone's shape, as narrow as WebKit's MiniBrowser
// goes.
const [width, height] = (process.argv[7] || '447x915').split('x').map(Number);
const viewport = {width, height, deviceScaleFactor: 1};
const settle = (ms) => new Promise((done) => setTimeout(done, ms));

const screen = await startDisplay('1600x1200');
const control = readFileSync(join(dirname(fileURLToPath(import.meta.url)), 'put-rectangles.html'));
const controlServer = createServer((request, response) => {
  response.writeHead(200, {'Content-Type': 'text/html; charset=utf-8'});
  response.end(control);
});
await new Promise((done) => controlServer.listen(0, '127.0.0.1', done));
const controlBase = `http://127.0.0.1:${controlServer.address().port}/`;

// Run in the page before its own scripts: every putImageData's rectangle, with its time.
function recordPuts() {
  const put = CanvasRenderingContext2D.prototype.putImageData;
  window.vortellePuts = [];
  CanvasRenderingContext2D.prototype.putImageData = function (image, x, y) {
    window.vortellePuts.push([performance.now(), x, y, image.width, image.height]);
    return put.apply(this, arguments);
  };
}

// CPU seconds a second, of the engine's processes and of the X server, while ACT runs.
async function measure(engine, act) {
  const trees = () => [processTree(engine.processId), processTree(screen.process.pid)];
  const [browserBefore, xBefore] = trees();
  const start = performance.now();
  await act();
  const [browserAfter, xAfter] = trees();
  const wall = (performance.now() - start) / 1000;
  const browser = cpuBetween(browserBefore, browserAfter);
  const share = Object.fromEntries(Object.entries(browser.byName).map(([name, used]) => [name, used / wall]));
  return {browser: browser.total / wall, x: cpuBetween(xBefore, xAfter).total / wall, share};
}

// A press a second keeps the arrow spinning, as the game test's budget and the desktop bench do.
async function spin(page) {
  for (let press = 0; press < seconds; press++) {
    await page.press('Enter');
    await settle(1000);
  }
}

const range = (values) => {
  const low = Math.min(...values);
  const high = Math.max(...values);
  return low.toFixed(2) === high.toFixed(2) ? low.toFixed(2) : `${low.toFixed(2)}-${high.toFixed(2)}`;
};

function report(engine, what, runs) {
  const names = [...new Set(runs.flatMap((run) => Object.keys(run.share)))];
  const parts = names
    .map((name) => [name, runs.map((run) => run.share[name] || 0)])
    .filter(([, shares]) => Math.max(...shares) >= 0.01)
    .map(([name, shares]) => `${name} ${range(shares)}`);
  console.log(`${engine} ${what}: browser ${range(runs.map((run) => run.browser))} cores, X server ` +
              `${range(runs.map((run) => run.x))} (${parts.join(', ')})`);
}

for (const name of engines) {
  const engine = await startEngine(name, client, {display: screen.display});
  const {server, base} = await startServer(engine.served(build), [], engine.tls);
  const errors = [];
  const open = async (url, before) => {
    const page = await engine.open(url, {viewport, errors, label: url, before});
    return page;
  };

  // The rectangles the spinning game puts, and how many a second.
  const recorder = await open(base + '?screen=480x800', recordPuts);
  await recorder.waitFor(() => window.vortelle.ready, 10000);
  await recorder.press('Enter');
  await settle(1000);
  await recorder.evaluate(() => (window.vortellePuts.length = 0));
  await spin(recorder);
  const puts = await recorder.evaluate(() => window.vortellePuts);
  await recorder.close();
  const rate = puts.length / seconds;
  // A second's worth of them, in the game's order, for the control to put in turn.
  const rects = puts.slice(0, Math.round(rate)).map(([, x, y, w, h]) => `${x},${y},${w},${h}`);
  const area = puts.reduce((sum, [, , , w, h]) => sum + w * h, 0) / puts.length;
  console.log(`${name}: the spinning game puts ${rate.toFixed(1)} rectangles a second, ${Math.round(area)} pixels ` +
              `each on average (the first: ${rects.slice(0, 3).join('; ')})`);

  const idle = [];
  const spinning = [];
  const controlled = [];
  for (let run = 0; run < repeats; run++) {
    const game = await open(base + '?screen=480x800');
    await game.waitFor(() => window.vortelle.ready, 10000);
    await settle(500);
    idle.push(await measure(engine, () => settle(seconds * 1000)));
    // The first press starts the page's sound, once.
    await game.press('Enter');
    await settle(500);
    spinning.push(await measure(engine, () => spin(game)));
    await game.close();

    // The game's rectangles at the game's rate.
    const page = await open(`${controlBase}?screen=480x800&rects=${rects.join(';')}&hz=${Math.round(rate)}`);
    await settle(500);
    controlled.push(await measure(engine, () => settle(seconds * 1000)));
    await page.close();
  }
  report(name, 'game idle', idle);
  report(name, 'game spinning', spinning);
  report(name, `control (the game's rectangles at ${Math.round(rate)}/s)`, controlled);
  if (errors.length) console.log(`${name}: on the error console: ${errors.join('; ')}`);
  await engine.close();
  server.close();
}

controlServer.close();
await screen.stop();
