// How soon a phone's first visit shows the game: the page's time from navigation to the game's
// first frame, with the CPU slowed 4 times and the slow 4G network, in a new profile.
import {startCountingServer} from './counting-server.mjs';
import {firstFrameAt, freshPhonePage} from './phone-page.mjs';
import {throttleNetwork} from './slow-4g.mjs';

export const CPU_SLOWDOWN = 4;
const TIMEOUT_MS = 120000;

// Milliseconds from navigation to the first frame in one new browser, and to the end of the last
// download the page made before it: what the network took of the wait, the rest is the CPU's.
// Resolves to {at, downloaded}.
export async function firstFrame(root, client, errors) {
  const server = await startCountingServer(root);
  await server.warm();
  const {browser, page, close} = await freshPhonePage(client, errors);
  try {
    const pageSession = await throttleNetwork(browser, page);
    await pageSession.send('Emulation.setCPUThrottlingRate', {rate: CPU_SLOWDOWN});
    await page.goto(server.base, {waitUntil: 'domcontentloaded', timeout: TIMEOUT_MS});
    const at = await firstFrameAt(page, TIMEOUT_MS);
    const downloaded = await page.evaluate((at) => {
      const ends = performance.getEntries().map((entry) => entry.responseEnd || 0);
      return Math.max(0, ...ends.filter((end) => end <= at));
    }, at);
    return {at, downloaded};
  } finally {
    await close();
    await server.stop();
  }
}
