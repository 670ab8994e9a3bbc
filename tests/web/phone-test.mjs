// What a phone's browser does differently, in headless Chromium: a second tab of the game says
// that Vortelle is open in the first and "Play here instead" moves the game there (with the Web
// Locks API, over a BroadcastChannel where there are no locks, and from a tab the browser froze);
// without either every tab plays; the manifest brings an installed game's second start to the
// window it has; sound that the browser suspended comes back on the next tap and as the page is
// seen again; the phone vibrates and stops; and a browser without vibration, wake lock, locks,
// channels or sound plays with nothing on the error console.
// Usage: node phone-test.mjs WEB_BUILD CLIENT_FOLDER   (tests/web/page-test.sh gives both)
import {resolve} from 'node:path';
import {check, finish, phone, startBrowser, startServer} from './harness.mjs';

const [root, client] = process.argv.slice(2).map((path) => resolve(path));
const {server, base} = await startServer(root, []);
const {browser, close} = await startBrowser(client);
const errors = [];

// A page of the game that runs NEW_DOCUMENT before the page's own scripts, as every page of its
// browser context does: what a browser without some of its APIs is.
async function open(query, {newDocument = null, context = browser} = {}) {
  const page = await context.newPage();
  page.on('console', (message) => message.type() === 'error' && errors.push(`${query}: ${message.text()}`));
  page.on('pageerror', (error) => errors.push(`${query}: ${error.message}`));
  await page.setViewport(phone);
  if (newDocument) await page.evaluateOnNewDocument(newDocument);
  await page.goto(base + query, {waitUntil: 'load'});
  return page;
}

const playing = (page) => page.waitForFunction(() => window.vortelle.ready, {timeout: 10000});
const ended = (page) => page.waitForFunction(() => window.vortelle.exitCode !== null, {timeout: 10000});

// What the page shows at the end of its game, and what the game traced.
const endOf = (page) =>
  page.evaluate(() => ({
    shown: !document.getElementById('end').hidden && document.getElementById('screen').hidden,
    text: document.getElementById('end-text').textContent,
    button: document.getElementById('again').textContent,
    code: window.vortelle.exitCode,
    trace: window.vortelle.trace.join('\n'),
    search: location.search,
  }));

// A tap on the phone's pixel (x, y): the canvas is scaled to the viewport.
async function tap(page, x, y) {
  const [left, top, scale] = await page.evaluate(() => {
    const box = document.getElementById('screen').getBoundingClientRect();
    return [box.left, box.top, box.width / document.getElementById('screen').width];
  });
  await page.touchscreen.tap(left + (x + 0.5) * scale, top + (y + 0.5) * scale);
}

const ELSEWHERE = 'Vortelle is already open in another tab or window.';
const MOVED = 'Vortelle is now open in another tab or window.';

// Two tabs of one browser. Each browser context is a browser of its own: its tabs share the game.
async function twoTabs(what, newDocument) {
  const context = await browser.createBrowserContext();
  const first = await open('?screen=480x800', {newDocument, context});
  await playing(first);
  const second = await open('?screen=480x800', {newDocument, context});
  await ended(second).catch(() => {});
  const refused = await endOf(second);
  // The game's own check: no window of its own, the other one brought forward, the end.
  check(refused.shown && refused.text === ELSEWHERE && refused.button === 'Play here instead' && refused.code === 0 &&
          / quit 0$/.test(refused.trace) && !/ window /.test(refused.trace),
        `${what}: a second tab says "${refused.text}" with "${refused.button}"`);
  const stays = await endOf(first);
  check(!stays.shown && stays.code === null, `${what}: the first tab plays on`);
  if (!refused.shown) {
    await context.close();
    return;
  }

  await second.bringToFront();
  await Promise.all([second.waitForNavigation({waitUntil: 'load'}), second.click('#again')]);
  await playing(second).catch(() => {});
  await ended(first).catch(() => {});
  const gone = await endOf(first);
  const here = await endOf(second);
  check(gone.shown && gone.text === MOVED && gone.button === 'Play here again' && gone.code === 0 &&
          / quit 0$/.test(gone.trace),
        `${what}: "Play here instead" closes the first tab's game, which says "${gone.text}" with "${gone.button}"`);
  check(!here.shown && here.code === null && here.search === '?screen=480x800',
        `${what}: the second tab plays, its address as it was (${here.search})`);

  await first.bringToFront();
  await Promise.all([first.waitForNavigation({waitUntil: 'load'}), first.click('#again')]);
  await playing(first).catch(() => {});
  await ended(second).catch(() => {});
  check(!(await endOf(first)).shown && (await endOf(second)).text === MOVED, `${what}: "Play here again" takes it back`);
  await context.close();
}

// The manifest's launch_handler: an installed game started again comes to its window.
{
  const manifest = await (await fetch(base + 'manifest.webmanifest')).json();
  const mode = manifest.launch_handler && manifest.launch_handler.client_mode;
  check(JSON.stringify(mode) === '["focus-existing","auto"]', `the manifest's launch_handler: ${JSON.stringify(mode)}`);
}

await twoTabs('with locks', null);
// Plain HTTP on a network address: no Web Locks API.
await twoTabs('without locks', () => delete Navigator.prototype.locks);
// Only the lock tells the first tab that the game moved.
await twoTabs('without channels', () => delete window.BroadcastChannel);

// A tab that the browser froze in the background (phones do) can't answer, but keeps its lock; it
// gives the game up as it wakes.
{
  const context = await browser.createBrowserContext();
  const first = await open('?screen=480x800', {context});
  await playing(first);
  const lifecycle = await first.createCDPSession();
  await lifecycle.send('Page.setWebLifecycleState', {state: 'frozen'});
  const second = await open('?screen=480x800', {context});
  await ended(second).catch(() => {});
  const refused = await endOf(second);
  check(refused.shown && refused.text === ELSEWHERE, `beside a frozen tab: a second tab says "${refused.text}"`);
  if (refused.shown) {
    await Promise.all([second.waitForNavigation({waitUntil: 'load'}), second.click('#again')]);
    await playing(second).catch(() => {});
    await lifecycle.send('Page.setWebLifecycleState', {state: 'active'});
    await ended(first).catch(() => {});
    const gone = await endOf(first);
    check(!(await endOf(second)).shown && gone.shown && gone.text === MOVED && / quit 0$/.test(gone.trace),
          `beside a frozen tab: "Play here instead" plays, and the frozen tab says "${gone.text}" as it wakes`);
  }
  await context.close();
}

// A page too busy to hear of its lock in time (a slow phone's first visit) still plays, alone.
{
  const context = await browser.createBrowserContext();
  const late = () => {
    const request = LockManager.prototype.request;
    LockManager.prototype.request = function (name, options, granted) {
      return request.call(this, name, options, (lock) => new Promise((done) => setTimeout(done, 2500)).then(() => granted(lock)));
    };
  };
  const only = await open('?screen=480x800', {newDocument: late, context});
  await playing(only).catch(() => {});
  const state = await endOf(only);
  check(!state.shown && state.code === null, `a lock heard late: the only tab plays (${state.shown ? state.text : 'playing'})`);
  await context.close();
}

// Without locks and channels every tab plays.
{
  const context = await browser.createBrowserContext();
  const bare = () => {
    delete Navigator.prototype.locks;
    delete window.BroadcastChannel;
  };
  const first = await open('?screen=480x800', {newDocument: bare, context});
  const second = await open('?screen=480x800', {newDocument: bare, context});
  await playing(first).catch(() => {});
  await playing(second).catch(() => {});
  check(!(await endOf(first)).shown && !(await endOf(second)).shown, 'without locks and channels: both tabs play');
  await context.close();
}

// Sound that the browser suspended (Safari leaves it "interrupted" after a call) comes back on
// the next tap, and as the page is seen again.
{
  const page = await open('?screen=480x800', {
    newDocument: () => {
      window.audioContexts = [];
      window.AudioContext = class extends window.AudioContext {
        constructor(...args) {
          super(...args);
          window.audioContexts.push(this);
        }
      };
    },
  });
  await playing(page);
  const running = () =>
    page.waitForFunction(() => window.audioContexts.length === 1 && window.audioContexts[0].state === 'running',
                         {timeout: 5000}).then(() => true, () => false);
  // The title bar: a tap the game takes without a change.
  await tap(page, 240, 20);
  const started = await running();
  const suspend = () => page.evaluate(() => window.audioContexts.length && window.audioContexts[0].suspend());
  await suspend();
  await tap(page, 240, 20);
  check(started && (await running()), 'a suspended sound runs again after the next tap');
  await suspend();
  await page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
  check(await running(), 'a suspended sound runs again as the page is seen again');
  await page.close();
}

// The vibration as the game switches it: on as a spin stops on a phone that vibrates, and off.
{
  const page = await open('?screen=480x800&model=SCH-M490', {
    newDocument: () => {
      window.vibrations = [];
      const vibrate = Navigator.prototype.vibrate;
      Navigator.prototype.vibrate = function (pattern) {
        window.vibrations.push(pattern);
        return vibrate.call(this, pattern);
      };
    },
  });
  await playing(page);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => / timer 1 set 20$/m.test(window.vortelle.trace.join('\n')), {timeout: 5000})
    .catch(() => {});
  await tap(page, 238, 282);
  await page.waitForFunction(() => / led 3 off /.test(window.vortelle.trace.join('\n')), {timeout: 5000})
    .catch(() => {});
  const vibrations = await page.evaluate(() => window.vibrations);
  check(vibrations.length === 2 && vibrations[0] > 0 && vibrations[1] === 0,
        `the phone vibrates as the spin stops, and stops (${vibrations.join(', ')})`);
  await page.close();
}

// A browser without vibration (iPhones), a wake lock (plain HTTP), locks, channels or sound: the
// game plays, spins with the backlight held, vibrates as it stops, and ends, and nothing reaches
// the error console.
{
  const page = await open('?screen=480x800&model=SCH-M490', {
    newDocument: () => {
      for (const name of ['vibrate', 'wakeLock', 'locks']) delete Navigator.prototype[name];
      for (const name of ['BroadcastChannel', 'AudioContext', 'webkitAudioContext']) delete window[name];
    },
  });
  await playing(page);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => / backlight on$/m.test(window.vortelle.trace.join('\n')), {timeout: 5000})
    .catch(() => {});
  await tap(page, 238, 282);
  await page.waitForFunction(() => / timer 1 kill$/m.test(window.vortelle.trace.join('\n')), {timeout: 5000})
    .catch(() => {});
  // EXIT, then Yes in its box.
  await tap(page, 120, 773);
  await page.waitForFunction(() => / beep 32$/m.test(window.vortelle.trace.join('\n')), {timeout: 5000})
    .catch(() => {});
  await tap(page, 164, 440);
  await ended(page).catch(() => {});
  const seen = await endOf(page);
  check(/ backlight on$/m.test(seen.trace) && / led 3 (on|blink) /.test(seen.trace) && seen.code === 0 &&
          seen.text === 'The game has ended.',
        'without vibration, wake lock, locks, channels and sound the game plays and ends');
  await page.close();
}

await close();
server.close();
check(errors.length === 0, `nothing on the error console${errors.length ? ':\n  ' + errors.join('\n  ') : ''}`);
finish();
