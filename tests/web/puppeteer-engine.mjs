// Chromium (over the DevTools protocol) and Firefox ESR (over WebDriver BiDi), both headless and
// driven by the puppeteer-core that package-lock.json pins, as harness.mjs's engine interface.
import {mkdtempSync, rmSync} from 'node:fs';
import {createRequire} from 'node:module';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';
import {instead, reportViewport, watchNextChooser} from './harness.mjs';

// How each is launched: headless, or with a window on DISPLAY when one is given.
const LAUNCH = {
  chromium: (profile, display) => ({
    executablePath: '/usr/bin/chromium',
    headless: !display,
    ...(display && {env: {...process.env, DISPLAY: display}}),
    userDataDir: profile,
    // As root Chromium runs only without its sandbox; the machine's network is closed, so none of
    // the browser's own connections.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--autoplay-policy=no-user-gesture-required'],
  }),
  firefox: (profile, display) => ({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: !display,
    ...(display && {env: {...process.env, DISPLAY: display}}),
    userDataDir: profile,
  }),
};

export async function startPuppeteerEngine(name, client, {display = null} = {}) {
  const puppeteer = (await import(pathToFileURL(createRequire(join(client, 'package.json')).resolve('puppeteer-core'))))
    .default;
  const profile = mkdtempSync(join(tmpdir(), `vortelle-${name}-`));
  const browser = await puppeteer.launch(LAUNCH[name](profile, display));
  const chromium = name === 'chromium';
  if (!chromium) {
    instead(`${name}: no mobile viewport emulation (Chromium's isMobile) over WebDriver BiDi; the page is laid out as a ` +
            "desktop window of the phone's size");
  }

  return {
    name,
    processId: browser.process().pid,
    tls: null,
    served: (root) => root,

    async open(url, {viewport, errors, label = url, before = null}) {
      const page = await browser.newPage();
      // The browser's own messages (a failed load) name their address only beside the text.
      page.on('console', (message) => {
        if (message.type() !== 'error') return;
        const where = message.location().url;
        errors.push(`${label}: ${message.text()}${where && !message.text().includes(where) ? ` (${where})` : ''}`);
      });
      page.on('pageerror', (error) => errors.push(`${label}: ${error.message}`));
      page.on('requestfailed', (request) => errors.push(`${label}: ${request.url()} ${request.failure().errorText}`));
      await page.setViewport(viewport);
      if (before) await page.evaluateOnNewDocument(before);
      await page.goto(url, {waitUntil: 'load'});
      await reportViewport(name, viewport, page.evaluate.bind(page));
      return chromium ? chromiumPage(page) : firefoxPage(name, page);
    },

    async close() {
      await browser.close();
      rmSync(profile, {recursive: true, force: true});
    },
  };
}

// What both engines do alike.
function commonPage(page) {
  return {
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    waitFor: async (fn, timeout = 10000) => {
      await page.waitForFunction(fn, {timeout, polling: 'raf'});
      return true;
    },
    tap: (x, y) => page.touchscreen.tap(x, y),
    press: (key) => page.keyboard.press(key),
    clickToLoad: async (selector) => {
      await Promise.all([page.waitForNavigation({waitUntil: 'load'}), page.click(selector)]);
    },
    busyTime: async () => null,
    close: () => page.close(),
  };
}

function chromiumPage(page) {
  let session = null;
  return {
    ...commonPage(page),
    // TRIGGER opens the chooser; the DevTools protocol takes it before it shows.
    chooseFile: async (trigger, path) => {
      const [chooser] = await Promise.all([page.waitForFileChooser({timeout: 5000}), trigger()]);
      await chooser.accept([path]);
    },
    cancelChooser: async (trigger) => {
      const [chooser] = await Promise.all([page.waitForFileChooser({timeout: 5000}), trigger()]);
      await chooser.cancel();
    },
    // Seconds the page's main thread has worked, from the DevTools Performance metrics.
    busyTime: async () => {
      if (!session) {
        session = await page.createCDPSession();
        await session.send('Performance.enable');
      }
      return (await session.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
    },
  };
}

function firefoxPage(name, page) {
  return {
    ...commonPage(page),
    // Firefox closes a chooser opened under WebDriver BiDi at once, as cancelled, before a file can
    // be given to it; so the file input's click is held back and BiDi's input.setFiles gives it the
    // file, with the events a choice brings.
    chooseFile: async (trigger, path) => {
      instead(`${name}: Firefox under WebDriver BiDi cancels a file chooser as it opens; the page's click on its file ` +
              'input is held back and the file is set on that input with BiDi input.setFiles');
      await page.evaluate(watchNextChooser, true);
      await trigger();
      const input = await page.waitForFunction(() => window.vortelleChooser, {timeout: 5000});
      await input.uploadFile(path);
    },
    // The chooser opens (BiDi reports it) and Firefox dismisses it itself, which the page sees as
    // a person's cancel.
    cancelChooser: async (trigger) => {
      instead(`${name}: the cancel is Firefox's own: it dismisses the chooser it opened under WebDriver BiDi`);
      await Promise.all([page.waitForFileChooser({timeout: 5000}), trigger()]);
    },
  };
}

// Chromium itself, headless, for the tests and benchmarks that use what only it offers: its
// DevTools protocol, several tabs of one profile, scripts that run before the page's own.
export async function startChromium(client) {
  const puppeteer = (await import(pathToFileURL(createRequire(join(client, 'package.json')).resolve('puppeteer-core'))))
    .default;
  const profile = mkdtempSync(join(tmpdir(), 'vortelle-chromium-'));
  const browser = await puppeteer.launch(LAUNCH.chromium(profile, null));
  return {
    browser,
    async close() {
      await browser.close();
      rmSync(profile, {recursive: true, force: true});
    },
  };
}
