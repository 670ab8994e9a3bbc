// The "Slow 4G" network, as Chromium's DevTools applies it (its Network panel's preset, in
// front_end/core/sdk/NetworkManager.ts): 150 ms round trips, 1.6 Mbit/s down and 750 kbit/s up.
// DevTools' throttling delays each request as a whole instead of each round trip, so it takes the
// round trip times 3.75 as the request's latency, and 90 % of the throughput:
//   latency 150 * 3.75 = 562.5 ms, download 1.6e6 / 8 * 0.9 = 180000 B/s,
//   upload 750e3 / 8 * 0.9 = 84375 B/s.
// Lighthouse's mobile default (mobileSlow4G, with 4x CPU slowdown) takes the same factors on
// kilobits of 1024 bits: 562.5 ms, 1474.56 kbit/s down (184320 B/s), 675 kbit/s up (86400 B/s).
export const slow4G = {
  offline: false,
  latency: 150 * 3.75,
  downloadThroughput: ((1.6 * 1000 * 1000) / 8) * 0.9,
  uploadThroughput: ((750 * 1000) / 8) * 0.9,
  connectionType: 'cellular4g',
};

// Puts the slow network on PAGE and on every service worker the browser starts from now on, as
// DevTools does: a worker's downloads are slowed too. Each gets the conditions of its own, so
// the two don't share one budget as on a phone's one connection, and the worker's script itself
// comes before the worker can be slowed. A new worker waits until it has the conditions.
// Resolves to the page's own DevTools session.
export async function throttleNetwork(browser, page) {
  const pageSession = await page.createCDPSession();
  await pageSession.send('Network.enable');
  await pageSession.send('Network.emulateNetworkConditions', slow4G);
  const root = await browser.target().createCDPSession();
  root.on('Target.attachedToTarget', async ({sessionId}) => {
    const worker = root.connection().session(sessionId);
    try {
      await worker.send('Network.enable');
      await worker.send('Network.emulateNetworkConditions', slow4G);
      await worker.send('Runtime.runIfWaitingForDebugger');
    } catch {
      // The worker ended before it was slowed: nothing left to slow.
    }
  });
  await root.send('Target.setAutoAttach', {
    autoAttach: true,
    waitForDebuggerOnStart: true,
    flatten: true,
    filter: [{type: 'service_worker', exclude: false}, {exclude: true}],
  });
  return pageSession;
}
