// A browser that has never seen the page (a new profile: no cache, no service worker) with one
// tab on a phone's viewport, the probe installed and not yet navigated.
import {phone, startBrowser} from '../../tests/web/harness.mjs';
import {installProbe} from './page-probe.mjs';

// What reaches the page's error console goes to ERRORS.
export async function freshPhonePage(client, errors) {
  const {browser, close} = await startBrowser(client);
  const page = await browser.newPage();
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.setViewport(phone);
  await installProbe(page);
  return {browser, page, close};
}

// Waits for the game's first frame, asking the page every 100 ms: a poll on every animation
// frame would compete with the game for a slowed CPU. The time is the page's own, taken as the
// game set it.
export async function firstFrameAt(page, timeoutMs) {
  await page.waitForFunction(() => window.phoneBench.readyAt !== null, {timeout: timeoutMs, polling: 100});
  return page.evaluate(() => window.phoneBench.readyAt);
}
