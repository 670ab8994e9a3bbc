// The spinning arrow at several CPU slowdowns, once the page is loaded (the network as it is):
// the frames a second the page presents, its main thread's busy share, the gaps between frames,
// its puts to the canvas, and the CPU time of its main thread and of all the browser's processes.
import {gaps, percentile} from './figures.mjs';
import {framesBetween, probeNow} from './page-probe.mjs';
import {firstFrameAt, freshPhonePage} from './phone-page.mjs';
import {startCountingServer} from './counting-server.mjs';
import {mainThreadCpuSeconds, treeCpuSeconds} from './process-tree-cpu.mjs';

export const SLOWDOWNS = [1, 4, 10, 20];
const WARM_UP_S = 1;
const MEASURED_S = 5;
// The page's scripts run on the main thread of a renderer process; the browser's other renderers
// (a spare one, at times) idle meanwhile.
const RENDERER = '--type=renderer';

const settle = (ms) => new Promise((done) => setTimeout(done, ms));

// One result per slowdown: {slowdown, seconds, frames, fps, busy, gapP95, puts, browserCpu,
// mainThreadCpu}; busy, browserCpu and mainThreadCpu are shares of one core.
// Chromium slows the CPU with a thread that interrupts the main thread every 200 us and has it
// spin for the slowdown times the time since the last interruption, as the clock saw it (up to
// 1 ms). So at a slowdown the main thread spins whether it works or not, and its CPU time and the
// browser's mean nothing; and a stretch in which the thread waited for a core counts as run, so
// on a loaded machine the slowed page is slower than the phone it stands for. The main thread's
// CPU time at 1x has no waits in it; times the slowdown, it estimates the phone's busy share.
// The game's motion step is a 20 ms timer, and it draws every step while the arrow turns, so the
// frames are its steps: the trace shows the timer only when it is set (at each press).
export async function spinning(root, client, errors) {
  const server = await startCountingServer(root);
  const {browser, page, close} = await freshPhonePage(client, errors);
  try {
    await page.goto(server.base, {waitUntil: 'load'});
    await firstFrameAt(page, 30000);
    const session = await page.createCDPSession();
    await session.send('Performance.enable');
    const taskSeconds = async () =>
      (await session.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
    const browserPid = browser.process().pid;
    const snapshot = async () => ({
      ...(await probeNow(page)),
      task: await taskSeconds(),
      cpu: treeCpuSeconds(browserPid),
      mainCpu: mainThreadCpuSeconds(browserPid, RENDERER),
    });
    // Kept spinning by a press a second, as the desktop program's benchmark does. The first
    // press also starts the page's sound, a costly step once.
    const spin = async (seconds) => {
      for (let s = 0; s < seconds; s++) {
        await page.keyboard.press('Enter');
        await settle(1000);
      }
    };
    await page.keyboard.press('Enter');
    await settle(300);
    const results = [];
    for (const slowdown of SLOWDOWNS) {
      await session.send('Emulation.setCPUThrottlingRate', {rate: slowdown});
      await spin(WARM_UP_S);
      const from = await snapshot();
      await spin(MEASURED_S);
      const to = await snapshot();
      const frames = await framesBetween(page, from, to);
      const seconds = (to.at - from.at) / 1000;
      results.push({
        slowdown,
        seconds,
        frames: frames.length,
        fps: frames.length / seconds,
        busy: (to.task - from.task) / seconds,
        gapP95: percentile(gaps(frames), 95),
        puts: to.puts - from.puts,
        browserCpu: (to.cpu - from.cpu) / seconds,
        mainThreadCpu: (to.mainCpu - from.mainCpu) / seconds,
      });
    }
    await session.send('Emulation.setCPUThrottlingRate', {rate: 1});
    return results;
  } finally {
    await close();
    await server.stop();
  }
}
