// Each browser engine's CPU while the arrow spins: the CPU time of all the browser's processes
// per second of spinning, at full speed, in a new profile. Nothing but the page, a key and
// /proc, so that it means the same in every engine.
import {firstFrameAt, freshPhonePage} from './phone-page.mjs';
import {startCountingServer} from './counting-server.mjs';
import {treeCpuSeconds} from './process-tree-cpu.mjs';

const MEASURED_S = 5;
const settle = (ms) => new Promise((done) => setTimeout(done, ms));

// How each engine is started: {page, pid, close} for a page on the phone's viewport, not yet
// navigated, or null where the benchmark can't start that engine yet.
// FIXME: Firefox and WebKit, once tests/web/harness.mjs starts them: their launchers go here.
export const ENGINES = {
  chromium: async (client, errors) => {
    const {browser, page, close} = await freshPhonePage(client, errors);
    return {page, pid: browser.process().pid, close};
  },
  firefox: null,
  webkit: null,
};

// Seconds of CPU a second of spinning costs ENGINE's processes (a share of one core), or null
// when the engine can't be started yet.
export async function cpuWhileSpinning(engine, root, client, errors) {
  if (!ENGINES[engine]) return null;
  const server = await startCountingServer(root);
  const {page, pid, close} = await ENGINES[engine](client, errors);
  try {
    await page.goto(server.base, {waitUntil: 'load'});
    await firstFrameAt(page, 30000);
    // The first press also starts the sound, once; a second's spinning settles it.
    await page.keyboard.press('Enter');
    await settle(1000);
    const started = performance.now();
    const before = treeCpuSeconds(pid);
    for (let s = 0; s < MEASURED_S; s++) {
      await page.keyboard.press('Enter');
      await settle(1000);
    }
    return (treeCpuSeconds(pid) - before) / ((performance.now() - started) / 1000);
  } finally {
    await close();
    await server.stop();
  }
}
