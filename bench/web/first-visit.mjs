// A phone's first visit, counted at the server: every byte it sent (headers included) from the
// navigation until the service worker is active and the network has been quiet for a second.
import {startCountingServer} from './counting-server.mjs';
import {freshPhonePage} from './phone-page.mjs';

const QUIET_MS = 1000;
const TIMEOUT_MS = 60000;

// Resolves to {bytes, responses, refused}.
export async function firstVisit(root, client, errors) {
  const server = await startCountingServer(root);
  const {page, close} = await freshPhonePage(client, errors);
  try {
    await page.goto(server.base, {waitUntil: 'load', timeout: TIMEOUT_MS});
    const active = await page.evaluate((timeoutMs) => {
      const activated = (worker) =>
        new Promise((done) => {
          if (worker.state === 'activated') return done(true);
          worker.addEventListener('statechange', () => worker.state === 'activated' && done(true));
        });
      const late = new Promise((done) => setTimeout(() => done(false), timeoutMs));
      return Promise.race([navigator.serviceWorker.ready.then(({active}) => activated(active)), late]);
    }, TIMEOUT_MS);
    if (!active) throw new Error(`the service worker was not active ${TIMEOUT_MS / 1000} s after the first visit`);
    await server.quiet(QUIET_MS);
    return {bytes: server.sent(), responses: [...server.responses], refused: [...server.refused]};
  } finally {
    await close();
    await server.stop();
  }
}
