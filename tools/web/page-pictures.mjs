// Pictures of the web page as a phone shows it, for the README: the game spinning on a tall
// phone and on a shorter one, each in the profile the page picks for it.
// Usage: node page-pictures.mjs WEB_BUILD CLIENT_FOLDER DOCS_FOLDER
import {join, resolve} from 'node:path';
import {openPage, startBrowser, startServer} from '../../tests/web/harness.mjs';

const [root, client, docs] = process.argv.slice(2).map((path) => resolve(path));
const {server, base} = await startServer(root, []);
const {browser, close} = await startBrowser(client);
const errors = [];
const phones = [
  ['page-phone-tall.png', {width: 412, height: 915, deviceScaleFactor: 1, isMobile: true, hasTouch: true}],
  ['page-phone-short.png', {width: 412, height: 600, deviceScaleFactor: 1, isMobile: true, hasTouch: true}],
];
for (const [name, viewport] of phones) {
  const page = await openPage(browser, base, '', viewport, errors);
  await page.waitForFunction(() => window.vortelle.ready, {timeout: 10000});
  await page.keyboard.press('Enter');
  await page.keyboard.press('Enter');
  await new Promise((done) => setTimeout(done, 700));
  await page.screenshot({path: join(docs, name)});
  console.log(`docs/${name}`);
  await page.close();
}
await close();
server.close();
if (errors.length) {
  console.error(`page-pictures.mjs: the page reported: ${errors.join('; ')}`);
  process.exit(1);
}
