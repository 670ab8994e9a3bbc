// The page's memory over many picture choices, in headless Chromium on a phone's viewport: the
// players take CHOICES pictures (default 200) from the file chooser, each under a name of its own
// as a phone's gallery gives them, good ones (the game's JPEGs, a PNG, a BMP) and broken ones
// (damaged, truncated, empty) in turn on each player, so that every choice must change the
// player's button: a choice whose button does not repaint fails the run. It reads the module's
// memory (the WebAssembly memory's byteLength) and, roughly, the page's JavaScript heap at the
// start, after 20 choices and at the end, and fails when the module's memory at the end is larger
// than after 20.
// Usage: node memory-bench.mjs WEB_BUILD NATIVE_BUILD CLIENT_FOLDER [CHOICES]   (memory-bench.sh)
import {copyFileSync, mkdtempSync, readFileSync, rmSync, statSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';
import {phone, startEngine, startServer} from '../../tests/web/harness.mjs';

const [build, native, client] = process.argv.slice(2, 5).map((path) => resolve(path));
const choices = Number(process.argv[5] || 200);
const early = 20;
if (!Number.isInteger(choices) || choices <= early) {
  console.error(`memory-bench: CHOICES must be a whole number above ${early}`);
  process.exit(2);
}
const root = resolve(import.meta.dirname, '../..');
const work = mkdtempSync(join(tmpdir(), 'vortelle-memory-bench-'));
writeFileSync(join(work, 'empty.jpg'), '');
// A photo's size: a good JPEG and 3 MB after its end, which decoders leave alone.
writeFileSync(join(work, 'camera.jpg'),
              Buffer.concat([readFileSync(join(native, 'img', 'char_01.jpg')), Buffer.alloc(3 << 20)]));
const good = [1, 2, 3, 4, 5, 6].map((n) => join(native, 'img', `char_0${n}.jpg`)).concat([
  join(work, 'camera.jpg'),
  join(root, 'tests/data/picture_quarters.jpg'), join(root, 'fuzz/corpus/JpegDecoderFuzz/exif-ii.jpg'),
  join(root, 'fuzz/corpus/PngDecoderFuzz/rgb.png'), join(root, 'fuzz/corpus/BmpDecoderFuzz/rgb24.bmp'),
]);
const broken = [join(root, 'tests/data/picture_broken.jpg'), join(root, 'tests/data/picture_truncated.jpg'),
                join(work, 'empty.jpg')];
const largest = Math.max(...good.concat(broken).map((file) => statSync(file).size));

// Run in the page before its scripts: keeps the module's memory where the benchmark reads it.
function keepModuleMemory() {
  const keep = (instance) => {
    const memory = Object.values(instance.exports).find((value) => value instanceof WebAssembly.Memory);
    if (memory) window.benchModuleMemory = memory;
  };
  for (const name of ['instantiate', 'instantiateStreaming']) {
    const original = WebAssembly[name];
    WebAssembly[name] = async function (...args) {
      const result = await original.apply(this, args);
      keep(result.instance || result);
      return result;
    };
  }
}

const engine = await startEngine('chromium', client);
const {server, base} = await startServer(build, []);
const errors = [];
const page = await engine.open(base + '?screen=480x800', {viewport: phone, errors, before: keepModuleMemory});
try {
  await page.waitFor(() => window.vortelle && window.vortelle.ready, 30000);
} catch (error) {
  console.error(`memory-bench: the game did not start in the page: ${error.message}\n${errors.join('\n')}`);
  process.exit(1);
}
const settle = (ms) => new Promise((done) => setTimeout(done, ms));

async function tap(x, y) {
  const [left, top, scale] = await page.evaluate(() => {
    const box = document.getElementById('screen').getBoundingClientRect();
    return [box.left, box.top, box.width / document.getElementById('screen').width];
  });
  await page.tap(left + (x + 0.5) * scale, top + (y + 0.5) * scale);
}

// The players' buttons on 480x800, and the picture's place on each.
const playerCentre = (player) => [45 + 78 * player, 557];
const pictureArea = (player) => [12 + 78 * player, 548, 66, 52];
const areaHash = (player) =>
  page.evaluate(([x, y, w, h]) => {
    const bytes = document.getElementById('screen').getContext('2d').getImageData(x, y, w, h).data;
    return new Uint32Array(bytes.buffer).reduce((hash, word) => Math.imul(hash ^ word, 16777619) >>> 0, 2166136261);
  }, pictureArea(player));
const dialogsAnswered = () =>
  page.evaluate(() => window.vortelle.trace.filter((line) => / file-dialog \d+ -> "/.test(line)).length);

// The module's memory, and the JavaScript heap in use as Chromium rounds it (no collection forced), in bytes.
async function memory() {
  const moduleBytes = await page.evaluate(() => window.benchModuleMemory && window.benchModuleMemory.buffer.byteLength);
  const heapBytes = await page.evaluate(() => (performance.memory ? performance.memory.usedJSHeapSize : null));
  // The chosen files the page keeps for the game: outside both, in ArrayBuffers of their own.
  const pictureBytes = await page.evaluate(() => window.vortelle.pictureBytes);
  return {moduleBytes, heapBytes, pictureBytes};
}
const mb = (bytes) => (bytes == null ? 'unknown' : `${(bytes / 1048576).toFixed(1)} MB`);

const started = Date.now();
const atStart = await memory();
if (!atStart.moduleBytes) {
  console.error("memory-bench: the page's module memory was not found (how the page instantiates its module changed?)");
  process.exit(1);
}
// The players' mode: counting, reset, pictures.
await tap(400, 637);
await settle(100);
await tap(400, 637);
await settle(300);

let failures = 0;
let afterEarly = null;
// Each player starts with the game's own picture: a good one.
const showsGood = [true, true, true, true, true, true];
let goodCount = 0;
let brokenCount = 0;
for (let choice = 0; choice < choices; choice++) {
  const player = choice % 6;
  const takeGood = !showsGood[player];
  const source = takeGood ? good[goodCount++ % good.length] : broken[brokenCount++ % broken.length];
  const file = join(work, `photo-${String(choice).padStart(4, '0')}${source.slice(source.lastIndexOf('.'))}`);
  copyFileSync(source, file);
  const before = await areaHash(player);
  const answered = await dialogsAnswered();
  await page.chooseFile(() => tap(...playerCentre(player)), file);
  let repainted = false;
  for (let look = 0; look < 100 && !repainted; look++) {
    await settle(20);
    repainted = (await dialogsAnswered()) > answered && (await areaHash(player)) !== before;
  }
  if (!repainted) {
    console.log(`FAILED choice ${choice + 1} (${source} on player ${player + 1}): the button did not change`);
    failures++;
  }
  showsGood[player] = takeGood;
  rmSync(file);
  if (choice + 1 === early) afterEarly = await memory();
}
const atEnd = await memory();
const seconds = Math.round((Date.now() - started) / 1000);

console.log(`${choices} choices (${goodCount} good, ${brokenCount} broken) in ${seconds} s; ` +
            `${choices - failures} of them repainted their player's button`);
console.log(`module memory: at start ${mb(atStart.moduleBytes)}, after ${early} choices ${mb(afterEarly.moduleBytes)}, ` +
            `after ${choices} ${mb(atEnd.moduleBytes)}`);
console.log(`JavaScript heap in use (rough, no collection forced): at start ${mb(atStart.heapBytes)}, ` +
            `after ${early} choices ${mb(afterEarly.heapBytes)}, after ${choices} ${mb(atEnd.heapBytes)}`);
console.log(`chosen pictures the page keeps: after ${early} choices ${afterEarly.pictureBytes} B, ` +
            `after ${choices} ${atEnd.pictureBytes} B (the largest picture is ${largest} B)`);
// One file for each of the six players at most.
if (!(atEnd.pictureBytes <= 6 * largest)) {
  console.log(`FAILED: the page keeps ${atEnd.pictureBytes} B of chosen pictures, more than six players hold`);
  failures++;
}
if (atEnd.moduleBytes > afterEarly.moduleBytes) {
  console.log(`FAILED: the module's memory grew from ${mb(afterEarly.moduleBytes)} to ${mb(atEnd.moduleBytes)}`);
  failures++;
}
if (errors.length) {
  console.log(`FAILED: the error console said:\n${errors.join('\n')}`);
  failures++;
}
await page.close();
await engine.close();
server.close();
rmSync(work, {recursive: true, force: true});
process.exit(failures ? 1 : 0);
