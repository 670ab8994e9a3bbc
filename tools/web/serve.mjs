// Serves the game's web page: the files that FOLDER/page-files.txt lists and nothing else (the
// folder is also the build's own), with the types browsers insist on, in the precompressed copy
// beside a file that the browser takes (NAME.br, NAME.gz), and revalidated on every load so that
// a new build is seen at once.
// Usage: node serve.mjs [--root FOLDER] [--port N] [--lan] [--cert FILE --key FILE] [--check]
// --root: default build/web. --port: default 8000. --lan: every interface instead of 127.0.0.1.
// --check: only see whether the port is free. A port that is taken: one line, exit code 1.
import {readFileSync, statSync, createReadStream} from 'node:fs';
import {createServer as createHttpServer} from 'node:http';
import {createServer as createHttpsServer} from 'node:https';
import {networkInterfaces} from 'node:os';
import {extname, join, resolve, sep} from 'node:path';
import {fileURLToPath} from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.jpg': 'image/jpeg',
  '.svg': 'image/svg+xml',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
  '.ttf': 'font/ttf',
};
// The encodings a page file may have a precompressed copy in beside it (NAME.br, NAME.gz, as
// make-page.mjs writes them and static hosts serve them), best first.
const ENCODINGS = [
  ['br', '.br'],
  ['gzip', '.gz'],
];

// The names FOLDER/page-files.txt lists, read again whenever it changes.
function pageFiles(root) {
  const list = join(root, 'page-files.txt');
  let known = {stamp: null, names: new Set()};
  return () => {
    let stamp = null;
    try {
      const s = statSync(list);
      stamp = `${s.mtimeMs}-${s.size}`;
    } catch {
      return new Set();
    }
    if (stamp !== known.stamp) {
      const names = readFileSync(list, 'utf8').split('\n').filter(Boolean);
      known = {stamp, names: new Set(names)};
    }
    return known.names;
  };
}

// The page's file NAME that the request's path names: null for a path that leaves the folder or
// can't be read as one.
function nameOf(url) {
  let path = url.split(/[?#]/, 1)[0];
  try {
    path = decodeURIComponent(path);
  } catch {
    return null;
  }
  if (!path.startsWith('/') || /[\\\0]/.test(path)) return null;
  const segments = path.slice(1).split('/');
  if (segments.some((s) => s === '..' || s === '.')) return null;
  return path === '/' ? 'index.html' : path.slice(1);
}

// The content codings an Accept-Encoding header takes (those without q=0).
function acceptedEncodings(header) {
  const taken = new Set();
  for (const part of (header || '').split(',')) {
    const [coding, ...parameters] = part.trim().toLowerCase().split(';');
    const refused = parameters.some((p) => /^\s*q\s*=\s*0(\.0*)?\s*$/.test(p));
    if (coding && !refused) taken.add(coding.trim());
  }
  return taken;
}

// Starts serving ROOT; calls ready(server) once it listens, or failed(text) when it can't.
export function serve({root, host, port, cert, key, log = console.log}, ready, failed) {
  root = resolve(root);
  const files = pageFiles(root);

  function answer(res, status, text) {
    res.writeHead(status, {'Content-Type': 'text/plain; charset=utf-8', 'Content-Length': Buffer.byteLength(text)});
    res.end(text);
  }

  function handle(req, res) {
    if (req.method !== 'GET' && req.method !== 'HEAD') {
      res.setHeader('Allow', 'GET, HEAD');
      return answer(res, 405, 'Only GET and HEAD here.\n');
    }
    const name = nameOf(req.url);
    if (name === null) {
      log(`refused ${req.url}`);
      return answer(res, 400, 'Not a path of this page.\n');
    }
    const path = resolve(root, name);
    let info = null;
    if (files().has(name) && path.startsWith(root + sep)) {
      try {
        info = statSync(path);
      } catch {
        info = null;
      }
    }
    if (!info || !info.isFile()) {
      log(`not found ${req.url}`);
      return answer(res, 404, 'Not found.\n');
    }
    const extension = extname(name);
    // The precompressed copy the browser takes, if the page has one; else the file as it is.
    const accepted = acceptedEncodings(req.headers['accept-encoding']);
    let encoding = null;
    let body = {path, info};
    for (const [coding, suffix] of ENCODINGS) {
      if (!accepted.has(coding)) continue;
      try {
        const packedInfo = statSync(path + suffix);
        if (packedInfo.isFile() && packedInfo.mtimeMs >= info.mtimeMs) {
          encoding = coding;
          body = {path: path + suffix, info: packedInfo};
          break;
        }
      } catch {
        // No copy in this encoding.
      }
    }
    const tag = `"${info.size.toString(16)}-${Math.floor(info.mtimeMs).toString(16)}${encoding ? '-' + encoding : ''}"`;
    const headers = {
      'Content-Type': TYPES[extension] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
      ETag: tag,
      'Last-Modified': info.mtime.toUTCString(),
      'X-Content-Type-Options': 'nosniff',
      Vary: 'Accept-Encoding',
    };
    if (req.headers['if-none-match'] === tag) {
      res.writeHead(304, headers);
      return res.end();
    }
    if (encoding) headers['Content-Encoding'] = encoding;
    headers['Content-Length'] = body.info.size;
    res.writeHead(200, headers);
    if (req.method === 'HEAD') return res.end();
    createReadStream(body.path)
      .on('error', () => res.destroy())
      .pipe(res);
  }
  let server;
  if (cert || key) {
    let options;
    try {
      options = {cert: readFileSync(cert), key: readFileSync(key)};
      server = createHttpsServer(options, handle);
    } catch (error) {
      return failed(`the certificate or key can't be used: ${error.message}`);
    }
  } else {
    server = createHttpServer(handle);
  }
  server.on('error', (error) => {
    if (error.code === 'EADDRINUSE') failed(`port ${port} is taken already; give another with --port N`);
    else if (error.code === 'EACCES') failed(`port ${port} may not be used by this user; give another with --port N`);
    else failed(`can't serve on port ${port}: ${error.message}`);
  });
  server.listen(port, host, () => ready(server));
  return server;
}

// The machine's own addresses on its networks, for a phone to open.
function networkAddresses() {
  const found = [];
  for (const [name, addresses] of Object.entries(networkInterfaces())) {
    for (const a of addresses || []) if (a.family === 'IPv4' && !a.internal) found.push({name, address: a.address});
  }
  return found;
}

function main(argv) {
  const usage = 'usage: serve.mjs [--root FOLDER] [--port N] [--lan] [--cert FILE --key FILE] [--check]';
  const options = {root: 'build/web', port: 8000, lan: false, cert: null, key: null, check: false};
  for (let i = 0; i < argv.length; i++) {
    const option = argv[i];
    if (option === '--lan') options.lan = true;
    else if (option === '--check') options.check = true;
    else if (['--root', '--port', '--cert', '--key'].includes(option) && i + 1 < argv.length)
      options[option.slice(2)] = argv[++i];
    else return stop(2, `unknown option ${option} (${usage})`);
  }
  if (!/^[0-9]{1,5}$/.test(String(options.port)) || Number(options.port) < 1 || Number(options.port) > 65535)
    return stop(2, `--port: '${options.port}' is not a port number from 1 to 65535`);
  options.port = Number(options.port);
  if (Boolean(options.cert) !== Boolean(options.key)) return stop(2, '--cert and --key go together');
  let list = null;
  try {
    list = statSync(join(options.root, 'page-files.txt'));
  } catch {
    list = null;
  }
  if (!options.check && !list)
    return stop(1, `${options.root} holds no web page: build it with scripts/web.sh --build-only`);

  const scheme = options.cert ? 'https' : 'http';
  // Every interface: IPv6 and IPv4 both where the machine has IPv6.
  const host = options.lan ? undefined : '127.0.0.1';
  serve(
    {root: options.root, host, port: options.port, cert: options.cert, key: options.key},
    (server) => {
      if (options.check) return server.close(() => process.exit(0));
      if (!options.lan) {
        console.log(`Vortelle is served at ${scheme}://127.0.0.1:${options.port}/ (Ctrl+C stops it)`);
      } else {
        console.log(`Vortelle is served on every network interface, port ${options.port} (Ctrl+C stops it)`);
        const addresses = networkAddresses();
        if (addresses.length === 0) console.log('This machine has no network address a phone could reach.');
        for (const {name, address} of addresses)
          console.log(`A phone on the same network opens ${scheme}://${address}:${options.port}/   (${name})`);
        if (!options.cert) {
          console.log('Plain HTTP on a network address is not a secure context: the browser gives the page no');
          console.log('service worker (no offline play, no installing) and no wake lock there. The game still');
          console.log('plays. For those, serve HTTPS with --cert FILE --key FILE.');
        }
      }
      // Nothing to finish: the files are only read.
      process.on('SIGINT', () => process.exit(0));
      process.on('SIGTERM', () => process.exit(0));
    },
    (text) => stop(1, text)
  );
}

function stop(code, text) {
  console.error(`web: ${text}`);
  process.exit(code);
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) main(process.argv.slice(2));
