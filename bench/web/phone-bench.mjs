// The web page as a phone meets it, in headless Chromium on a phone's viewport (412x915 at 2.625
// device pixels a CSS pixel, touch), by hand (not part of CI). One figure a line: name, value, unit.
//   1. the first visit's bytes, counted at the server, and each response's;
//   2. the first frame after navigation at 4x CPU slowdown over slow 4G, three new profiles, and
//      when the page's downloads before it were done;
//   3. the spinning arrow at 1x, 4x, 10x and 20x CPU slowdown: frames a second (the game's
//      motion steps), the main thread's busy share, the 95th percentile of the gaps between
//      frames, the puts to the canvas, the CPU of the page's main thread and of all the browser's
//      processes;
//   4. with --engines: each browser engine's CPU while spinning;
// then a table of the figures against the page's goals.
// Usage: node phone-bench.mjs WEB_BUILD CLIENT_FOLDER [--engines]   (bench/web/phone-bench.sh)
import {existsSync, readFileSync} from 'node:fs';
import {join, resolve} from 'node:path';
import {cpuWhileSpinning, ENGINES} from './engines.mjs';
import {figure, median} from './figures.mjs';
import {CPU_SLOWDOWN, firstFrame} from './first-frame.mjs';
import {firstVisit} from './first-visit.mjs';
import {printGoals} from './goals.mjs';
import {SLOWDOWNS, spinning} from './spinning.mjs';

const FIRST_FRAME_RUNS = 3;

function stop(text) {
  console.error(`phone-bench: ${text}`);
  process.exit(2);
}

const args = process.argv.slice(2);
const engines = args.includes('--engines');
const [root, client] = args.filter((arg) => arg !== '--engines').map((path) => resolve(path));
if (!root || !client || args.some((arg) => arg.startsWith('--') && arg !== '--engines'))
  stop('usage: node phone-bench.mjs WEB_BUILD CLIENT_FOLDER [--engines]');
const list = join(root, 'page-files.txt');
if (!existsSync(list)) stop(`${root} holds no web page (no page-files.txt): build it with scripts/web.sh --build-only`);
if (!readFileSync(list, 'utf8').split('\n').some((name) => name.endsWith('.wasm')))
  stop(`the page in ${root} has no game (no .wasm in page-files.txt): build the browser's program first`);

const started = performance.now();
const errors = [];
const measured = {visit: null, firstFrame: null, spin: {}};

console.log(`# page ${root}`);
console.log('# 1. first visit, counted at the server (headers included), until the service worker is');
console.log('#    active and the network has been quiet for a second');
measured.visit = await firstVisit(root, client, errors);
for (const {path, status, encoding, bytes} of measured.visit.responses)
  figure(`first-visit ${path}`, bytes, 'B', `${status} ${encoding}`);
figure('first-visit.requests', measured.visit.responses.length, 'requests');
figure('first-visit.bytes', measured.visit.bytes, 'B');
for (const line of measured.visit.refused) console.log(`# the server could not answer: ${line}`);

console.log(`# 2. first frame after navigation, ${CPU_SLOWDOWN}x CPU slowdown, slow 4G, a new profile each`);
const frames = [];
for (let run = 1; run <= FIRST_FRAME_RUNS; run++) {
  const {at, downloaded} = await firstFrame(root, client, errors);
  frames.push(at);
  figure(`first-frame.run${run}`, at, 'ms');
  figure(`first-frame.run${run}.downloads-done`, downloaded, 'ms', "the page's last download before its first frame");
}
measured.firstFrame = median(frames);
figure('first-frame.median', measured.firstFrame, 'ms');

console.log('# 3. spinning, the page loaded; over 5 s after a second of warm-up at each CPU slowdown');
for (const result of await spinning(root, client, errors)) {
  const name = `spin.${result.slowdown}x`;
  measured.spin[result.slowdown] = result;
  figure(`${name}.frames-per-second`, result.fps, 'frames/s', `${result.frames} in ${result.seconds.toFixed(2)} s`);
  figure(`${name}.main-thread-busy`, result.busy * 100, '%');
  figure(`${name}.gap-p95`, result.gapP95, 'ms');
  figure(`${name}.puts-per-second`, result.puts / result.seconds, 'puts/s');
  // At a slowdown the main thread spins for it, busy or not (spinning.mjs): CPU time only at 1x.
  if (result.slowdown !== 1) continue;
  figure(`${name}.main-thread-cpu`, result.mainThreadCpu * 100, '% of a core');
  figure(`${name}.main-thread-cpu-per-frame`, (result.mainThreadCpu * 1000) / result.fps, 'ms');
  figure(`${name}.browser-cpu`, result.browserCpu * 100, '% of a core', 'all its processes');
}

if (engines) {
  console.log("# 4. each engine's CPU while spinning, at full speed, a window on one virtual display: all its");
  console.log('#    processes, per second');
  const shares = await cpuWhileSpinning(root, client, errors);
  for (const engine of ENGINES) figure(`engine.${engine}.cpu-while-spinning`, shares[engine] * 100, '% of a core');
  if (shares.chromium > 0) {
    for (const engine of ENGINES.filter((name) => name !== 'chromium'))
      figure(`engine.${engine}.against-chromium`, shares[engine] / shares.chromium, 'x');
  }
}

console.log('# the page against its goals');
printGoals(measured);
// Beside the slowed runs, which a loaded machine slows further: the main thread's CPU at 1x
// times the slowdown.
if (measured.spin[1]) {
  const busy = (slowdown) => `${(measured.spin[1].mainThreadCpu * slowdown * 100).toFixed(0)} % at ${slowdown}x`;
  console.log("# estimated from the main thread's CPU time at 1x, which the machine's load does not inflate:");
  console.log(`# the main thread busy ${SLOWDOWNS.filter((slowdown) => slowdown > 1).map(busy).join(', ')}`);
}
const times = new Map();
for (const error of errors) times.set(error, (times.get(error) || 0) + 1);
for (const [error, count] of times) console.log(`# error console${count > 1 ? ` (${count} times)` : ''}: ${error}`);
figure('benchmark.duration', (performance.now() - started) / 1000, 's');
