// Makes the game's web page in the web build's folder: the page's own files from web/, the icon
// the picture tool drew at 48, 192 and 512 pixels, and the service worker with the list of every file
// it keeps and a version drawn from their contents. page-files.txt lists every file the page is
// made of, one a line: what the server serves and what a static host needs. The folder is also
// the build's own, so the list, not the folder, is the page.
// Beside each file that compresses, NAME.br and NAME.gz hold it compressed once, at the highest
// levels, for tools/web/serve.mjs and any static host that serves precompressed files.
// Files are written only when they change, so that the browser's copies stay valid.
// Usage: node make-page.mjs --source WEB-FOLDER --pictures PICTURES-FOLDER --out FOLDER
//          [--script GAME.js] [--file NAME]...
// --script is the game's script, which the page loads; --file names more of the game's files
// (its .wasm, its fonts), which the page fetches for it; both are in FOLDER already.
import {createHash} from 'node:crypto';
import {existsSync, readFileSync, statSync, writeFileSync} from 'node:fs';
import {extname, join} from 'node:path';
import {brotliCompressSync, constants, gzipSync} from 'node:zlib';

const usage = 'usage: make-page.mjs --source DIR --pictures DIR --out DIR [--script FILE] [--file FILE]...';

function fail(text) {
  console.error(`make-page.mjs: ${text}`);
  process.exit(1);
}

const options = {source: null, pictures: null, out: null, script: null, files: []};
const args = process.argv.slice(2);
for (let i = 0; i < args.length; i += 2) {
  const name = args[i];
  const value = args[i + 1];
  if (value === undefined) fail(usage);
  if (name === '--file') options.files.push(value);
  else if (['--source', '--pictures', '--out', '--script'].includes(name)) options[name.slice(2)] = value;
  else fail(usage);
}
if (!options.source || !options.pictures || !options.out) fail(usage);

function read(path) {
  if (!existsSync(path)) fail(`${path} is missing`);
  return readFileSync(path);
}

function writeIfChanged(name, content) {
  const path = join(options.out, name);
  if (existsSync(path) && readFileSync(path).equals(content)) return;
  writeFileSync(path, content);
}

// The kinds of file that compress; pictures are compressed already.
const COMPRESSIBLE = new Set(['.html', '.js', '.wasm', '.webmanifest', '.ttf', '.json', '.txt']);
const PACKINGS = [
  ['.br', (content) => brotliCompressSync(content, {params: {[constants.BROTLI_PARAM_QUALITY]: 11,
    [constants.BROTLI_PARAM_SIZE_HINT]: content.length}})],
  ['.gz', (content) => gzipSync(content, {level: 9})],
];

// NAME's compressed copies, made again only when NAME is newer; the names of those kept.
function packed(name) {
  if (!COMPRESSIBLE.has(extname(name))) return [];
  const path = join(options.out, name);
  const made = statSync(path).mtimeMs;
  const names = [];
  let content = null;
  for (const [suffix, pack] of PACKINGS) {
    const copy = path + suffix;
    if (!existsSync(copy) || statSync(copy).mtimeMs < made) {
      content = content || readFileSync(path);
      writeFileSync(copy, pack(content));
    }
    names.push(name + suffix);
  }
  return names;
}

// Name and content of every file of the page, in the order the service worker asks for them.
const kept = [];
const html = read(join(options.source, 'index.html')).toString();
// The page asks for the game's script from its head, and fetches the module and the fonts there
// itself (web/index.html), once, for the game and for the service worker's cache.
const preloads = options.script ? [`<link rel="preload" href="${options.script}" as="script">`] : [];
// The version is filled in last: it is drawn from this page too.
const page = html
  .replace('@GAME_SCRIPT@', options.script || '')
  .replace('@GAME_FILES@', options.files.join(' '))
  .replace('@PRELOADS@', preloads.join('\n'));
kept.push(['index.html', Buffer.from(page)]);
for (const name of ['shell.js', 'manifest.webmanifest']) kept.push([name, read(join(options.source, name))]);
for (const size of [48, 192, 512]) kept.push([`icon-${size}.png`, read(join(options.pictures, `icon-${size}.png`))]);
for (const name of [options.script, ...options.files].filter(Boolean)) kept.push([name, read(join(options.out, name))]);

const hash = createHash('sha256');
for (const [name, content] of kept) hash.update(`${name}\0${content.length}\0`).update(content);
const version = hash.digest('hex').slice(0, 16);
kept[0][1] = Buffer.from(page.replace('@PAGE_VERSION@', version));

// The worker keeps what playing needs. The large icon is only for installing, which asks the
// server for it then: a first visit does without it.
const offline = kept.map(([name]) => name).filter((name) => name !== 'icon-512.png');
const worker = read(join(options.source, 'sw.js'))
  .toString()
  .replace('@PAGE_VERSION@', version)
  .replace("['@PAGE_FILES@']", JSON.stringify(offline));

// The game's own files are in place already.
const game = [options.script, ...options.files];
for (const [name, content] of kept) if (!game.includes(name)) writeIfChanged(name, content);
writeIfChanged('sw.js', Buffer.from(worker));
const names = [...kept.map(([name]) => name), 'sw.js'];
const copies = names.flatMap(packed);
writeIfChanged('page-files.txt', Buffer.from([...names, ...copies].join('\n') + '\n'));
console.log(`make-page.mjs: the page's ${names.length} files, version ${version}, and ${copies.length} compressed copies`);
