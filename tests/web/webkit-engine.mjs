// WebKitGTK as harness.mjs's engine interface: its MiniBrowser, driven by WebKitWebDriver over
// classic WebDriver (webdriver.mjs), in a window on a virtual display of the test's own, since
// MiniBrowser has no headless mode. The page is served to it over HTTPS: WebKitGTK's network
// library takes brotli only there, and over plain HTTP the page would come as gzip, heavier than
// a phone gets it.
import {execFileSync, spawn} from 'node:child_process';
import {mkdirSync, mkdtempSync, readFileSync, rmSync, symlinkSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:net';
import {tmpdir} from 'node:os';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';
import {instead, reportViewport, watchNextChooser} from './harness.mjs';
import {startDisplay} from './virtual-display.mjs';
import {WebDriverSession} from './webdriver.mjs';

const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const HOOK = join(dirname(fileURLToPath(import.meta.url)), 'console-hook.js');

// A free loopback port for the driver to listen on.
function freePort() {
  return new Promise((done, failed) => {
    const probe = createServer();
    probe.on('error', failed);
    probe.listen(0, '127.0.0.1', () => {
      const {port} = probe.address();
      probe.close(() => done(port));
    });
  });
}

async function driverReady(server, driver) {
  for (let tries = 0; tries < 100; tries++) {
    if (driver.exitCode !== null) throw new Error(`WebKitWebDriver ended (${driver.exitCode})`);
    try {
      if ((await fetch(`${server}/status`)).ok) return;
    } catch {}
    await new Promise((done) => setTimeout(done, 50));
  }
  throw new Error('WebKitWebDriver did not answer within 5 s');
}

// A certificate for 127.0.0.1 of the test's own, which the session accepts: {cert, key} in FOLDER.
function makeCertificate(folder) {
  const tls = {cert: join(folder, 'cert.pem'), key: join(folder, 'key.pem')};
  execFileSync('openssl', ['req', '-x509', '-newkey', 'ec', '-pkeyopt', 'ec_paramgen_curve:prime256v1', '-nodes',
                           '-keyout', tls.key, '-out', tls.cert, '-days', '2', '-subj', '/CN=127.0.0.1',
                           '-addext', 'subjectAltName=IP:127.0.0.1'], {stdio: ['ignore', 'ignore', 'pipe']});
  return tls;
}

// On its own virtual display, or on DISPLAY when one is given.
export async function startWebKitEngine({display = null} = {}) {
  const certificates = mkdtempSync(join(tmpdir(), 'vortelle-webkit-tls-'));
  let tls;
  try {
    tls = makeCertificate(certificates);
  } catch (error) {
    rmSync(certificates, {recursive: true, force: true});
    throw new Error(`openssl could not make the page's certificate: ${error.stderr || error.message}`);
  }
  const screen = display ? {display, stop: async () => {}} : await startDisplay('1600x1200');
  const port = await freePort();
  const server = `http://127.0.0.1:${port}`;
  // Its own process group, with MiniBrowser and WebKit's processes under it: one signal ends them
  // all, also when the test itself fails.
  const driver = spawn('WebKitWebDriver', [`--port=${port}`, '--host=local'], {
    detached: true,
    env: {...process.env, DISPLAY: screen.display},
    stdio: ['ignore', 'ignore', 'pipe'],
  });
  let complaints = '';
  driver.stderr.on('data', (chunk) => (complaints = (complaints + chunk).slice(-4000)));
  const endGroup = () => {
    try {
      process.kill(-driver.pid, 'SIGKILL');
    } catch {}
  };
  process.on('exit', endGroup);
  const ended = new Promise((done) => driver.on('exit', done));
  let session;
  try {
    await driverReady(server, driver);
    session = await WebDriverSession.start(server, {
      acceptInsecureCerts: true,
      'webkitgtk:browserOptions': {binary: MINIBROWSER, args: ['--automation']},
    });
    await session.setTimeouts({script: 60000, pageLoad: 30000});
  } catch (error) {
    endGroup();
    await screen.stop();
    rmSync(certificates, {recursive: true, force: true});
    throw new Error(`${error.message}\n${complaints}`);
  }

  // The window's height beyond the page's (MiniBrowser's toolbar), to size the page's viewport.
  await session.navigate('about:blank');
  await session.setWindowRect({x: 0, y: 0, width: 1024, height: 768});
  const chrome = 768 - (await session.evaluate(() => innerHeight));

  instead("webkit: WebKitWebDriver reports nothing of the error console; the page is served with console-hook.js at " +
          "the top of its head, which keeps console.error calls, uncaught exceptions, unhandled rejections and " +
          "elements' failed loads (not the browser's own messages)");

  instead("webkit: the page is served over HTTPS with a certificate of the test's own: WebKitGTK's network library " +
          'takes brotli only over HTTPS');

  let copy = null;
  return {
    name: 'webkit',
    processId: driver.pid,
    tls,

    // A copy of ROOT's page whose index.html has the console hook; every other file is the build's.
    served(root) {
      copy = mkdtempSync(join(tmpdir(), 'vortelle-webkit-page-'));
      const names = readFileSync(join(root, 'page-files.txt'), 'utf8').split('\n').filter(Boolean);
      for (const name of [...names, 'page-files.txt']) {
        mkdirSync(dirname(join(copy, name)), {recursive: true});
        if (name === 'index.html') continue;
        symlinkSync(resolve(root, name), join(copy, name));
      }
      const hook = `<script>\n${readFileSync(HOOK, 'utf8')}</script>\n`;
      const page = readFileSync(join(root, 'index.html'), 'utf8');
      const charset = /<meta charset[^>]*>\n?/i;
      if (!charset.test(page)) throw new Error(`${root}/index.html has no <meta charset> to put the console hook after`);
      writeFileSync(join(copy, 'index.html'), page.replace(charset, (tag) => tag + hook));
      return copy;
    },

    async open(url, {viewport, errors, label = url, before = null}) {
      if (before) {
        instead('webkit: classic WebDriver runs no script before a page\'s own; console-hook.js runs it, left in the ' +
                'tab\'s sessionStorage from a page of the same origin');
        // Left in the tab's sessionStorage, on the page's origin, for the hook to run: from the page
        // at a screen size it refuses, which loads nothing more (a document that isn't HTML would
        // have WebKit ask for /favicon.ico).
        await session.navigate(new URL('?screen=none', url).href);
        await session.evaluate((code) => sessionStorage.setItem('vortelle-test-before', code), `(${before})();`);
      }
      await session.setWindowRect({width: viewport.width, height: viewport.height + chrome});
      await session.navigate(url);
      await reportViewport('webkit', viewport, session.evaluate.bind(session));
      return webkitPage(session, errors, label);
    },

    async close() {
      try {
        await session.end();
      } catch {}
      endGroup();
      await ended;
      process.off('exit', endGroup);
      await screen.stop();
      if (copy) rmSync(copy, {recursive: true, force: true});
      rmSync(certificates, {recursive: true, force: true});
    },
  };
}

function webkitPage(session, errors, label) {
  // What the hook kept, taken out of the tab's sessionStorage.
  const collect = async () => {
    const kept = await session.evaluate(() => {
      const text = sessionStorage.getItem('vortelle-test-errors');
      sessionStorage.removeItem('vortelle-test-errors');
      return text;
    });
    for (const text of JSON.parse(kept || '[]')) errors.push(`${label}: ${text}`);
  };
  // WebKitWebDriver now and then returns from a navigation before the new document is the one
  // scripts run in, and loses an asynchronous script's result when it changes under them ("Could
  // not parse script result"); the wait is only asked again, a few times. (The tests' waits at
  // a page's start ask for window.vortelle before its ready, for the same reason.)
  const waitFor = async (fn, timeout = 10000) => {
    for (let tries = 1; ; tries++) {
      try {
        return await waitOnce(fn, timeout);
      } catch (error) {
        if (tries === 3 || !String(error.message).includes('Could not parse script result')) throw error;
      }
    }
  };
  const waitOnce = (fn, timeout) =>
    session.evaluate(
      `function (timeout) {
        var test = ${fn};
        var start = performance.now();
        return new Promise(function (done, failed) {
          (function again() {
            var value = test();
            if (value) return done(value);
            if (performance.now() - start > timeout) return failed(new Error('waited ' + timeout + ' ms for ' + test));
            requestAnimationFrame(again);
          })();
        });
      }`,
      timeout
    );

  return {
    evaluate: (fn, ...args) => session.evaluate(fn, ...args),
    waitFor,
    tap: (x, y) => {
      instead('webkit: taps are sent as touches; WebKitWebDriver delivers them as a mouse (pointerType "mouse", ' +
              'mouse events, no touch events)');
      return session.tap(x, y);
    },
    press: (key) => session.press(key),
    // A click on the element, then the new document's load.
    clickToLoad: async (selector) => {
      const element = await session.evaluate((selector) => {
        window.vortelleBefore = true;
        return document.querySelector(selector);
      }, selector);
      await session.click(element);
      for (let tries = 0; tries < 200; tries++) {
        try {
          if (await session.evaluate(() => !window.vortelleBefore && document.readyState === 'complete')) return;
        } catch {}
        await new Promise((done) => setTimeout(done, 50));
      }
      throw new Error(`no new page within 10 s of a click on ${selector}`);
    },
    // WebKitWebDriver cancels any chooser it has no files for as it opens; so the file input's
    // click is held back and Element Send Keys gives it the file, with the events a choice brings.
    chooseFile: async (trigger, path) => {
      instead('webkit: WebKitWebDriver cancels a file chooser as it opens; the page\'s click on its file input is held ' +
              'back and the file is set on that input with WebDriver\'s Element Send Keys');
      await session.evaluate(watchNextChooser, true);
      await trigger();
      const input = await waitFor(() => window.vortelleChooser, 5000);
      await session.sendFiles(input, [path]);
    },
    // Seen to open (a file input's click), and cancelled by the driver.
    cancelChooser: async (trigger) => {
      instead('webkit: the cancel is WebKitWebDriver\'s own: it cancels a chooser it has no files for, as it opens');
      await session.evaluate(watchNextChooser, false);
      await trigger();
      await waitFor(() => !!window.vortelleChooser, 5000);
    },
    busyTime: async () => null,
    close: async () => {
      await collect();
      await session.navigate('about:blank');
    },
  };
}
