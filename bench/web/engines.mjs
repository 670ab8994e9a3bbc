// Each browser engine's CPU while the arrow spins: the CPU time of all the browser's processes
// per second of spinning, at full speed, in a new profile, each in a window of the same phone's
// shape on one virtual display (WebKit has no headless mode), as the web tests drive them.
// Nothing but the page, a key and /proc, so that it means the same in every engine. Where the
// time goes inside an engine, and a control page that puts the same rectangles without the game:
// tests/web/measure-spin-cpu.mjs.
import {ENGINES, startEngine, startServer} from '../../tests/web/harness.mjs';
import {startDisplay} from '../../tests/web/virtual-display.mjs';
import {treeCpuSeconds} from './process-tree-cpu.mjs';

export {ENGINES};
const MEASURED_S = 5;
// As narrow as WebKit's MiniBrowser goes, at one device pixel a CSS pixel in every engine.
const VIEWPORT = {width: 447, height: 915, deviceScaleFactor: 1};
const settle = (ms) => new Promise((done) => setTimeout(done, ms));

// {engine: seconds of CPU a second of spinning costs its processes (a share of one core)}.
export async function cpuWhileSpinning(root, client, errors) {
  const screen = await startDisplay('1600x1200');
  const shares = {};
  try {
    for (const name of ENGINES) {
      const engine = await startEngine(name, client, {display: screen.display});
      const {server, base} = await startServer(engine.served(root), [], engine.tls);
      try {
        const page = await engine.open(base + '?screen=480x800', {viewport: VIEWPORT, errors, label: name});
        await page.waitFor(() => window.vortelle.ready, 30000);
        // The first press also starts the sound, once; a second's spinning settles it.
        await page.press('Enter');
        await settle(1000);
        const started = performance.now();
        const before = treeCpuSeconds(engine.processId);
        for (let s = 0; s < MEASURED_S; s++) {
          await page.press('Enter');
          await settle(1000);
        }
        shares[name] = (treeCpuSeconds(engine.processId) - before) / ((performance.now() - started) / 1000);
        await page.close();
      } finally {
        await engine.close();
        server.close();
      }
    }
  } finally {
    await screen.stop();
  }
  return shares;
}
