// How soon a phone's first visit shows the game: the page's time from navigation to the game's
// first frame, with the CPU slowed 4 times and the slow 4G network, in a new profile.
import {startCountingServer} from './counting-server.mjs';
import {firstFrameAt, freshPhonePage} from './phone-page.mjs';
import {throttleNetwork} from './slow-4g.mjs';

export const CPU_SLOWDOWN = 4;
const TIMEOUT_MS = 120000;

// Milliseconds from navigation to the first frame, in one new browser.
export async function firstFrame(root, client, errors) {
  const server = await startCountingServer(root);
  await server.warm();
  const {browser, page, close} = await freshPhonePage(client, errors);
  try {
    const {pageSession} = await throttleNetwork(browser, page);
    await pageSession.send('Emulation.setCPUThrottlingRate', {rate: CPU_SLOWDOWN});
    await page.goto(server.base, {waitUntil: 'domcontentloaded', timeout: TIMEOUT_MS});
    return await firstFrameAt(page, TIMEOUT_MS);
  } finally {
    await close();
    await server.stop();
  }
}
