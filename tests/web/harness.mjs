// What the browser tests share: checks that count their failures, the page's server on a
// loopback port, headless Chromium with the DevTools client the test folder pins, and pages that
// report what reaches their error console.
import {mkdtempSync, rmSync} from 'node:fs';
import {createRequire} from 'node:module';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';
import {serve} from '../../tools/web/serve.mjs';

let failures = 0;
export function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'} ${what}`);
  if (!ok) failures++;
}

// Ends the test with the checks' verdict.
export function finish() {
  console.log(failures ? `${failures} checks FAILED` : 'every check passed');
  process.exit(failures ? 1 : 0);
}

// The page's server on a free loopback port; `refused` collects the requests it couldn't answer.
export async function startServer(root, refused) {
  const server = await new Promise((done, failed) =>
    serve({root, host: '127.0.0.1', port: 0, log: (line) => refused.push(line)}, done, (text) => failed(new Error(text)))
  );
  return {server, base: `http://127.0.0.1:${server.address().port}/`};
}

export async function startBrowser(client) {
  const puppeteer = (await import(pathToFileURL(createRequire(join(client, 'package.json')).resolve('puppeteer-core'))))
    .default;
  const profile = mkdtempSync(join(tmpdir(), 'vortelle-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    // As root Chromium runs only without its sandbox; the machine's network is closed, so none of
    // the browser's own connections.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--autoplay-policy=no-user-gesture-required'],
  });
  return {
    browser,
    async close() {
      await browser.close();
      rmSync(profile, {recursive: true, force: true});
    },
  };
}

// A new page at base + query on the viewport; what reaches its error console goes to `errors`.
export async function openPage(browser, base, query, viewport, errors) {
  const page = await browser.newPage();
  page.on('console', (message) => message.type() === 'error' && errors.push(`${query}: ${message.text()}`));
  page.on('pageerror', (error) => errors.push(`${query}: ${error.message}`));
  page.on('requestfailed', (request) => errors.push(`${query}: ${request.url()} ${request.failure().errorText}`));
  await page.setViewport(viewport);
  await page.goto(base + query, {waitUntil: 'load'});
  return page;
}

export const phone = {width: 412, height: 915, deviceScaleFactor: 2.625, isMobile: true, hasTouch: true};
