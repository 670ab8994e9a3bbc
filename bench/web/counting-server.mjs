// The page's own server on a loopback port, counting what it sends: every response's bytes as
// they leave for the socket, headers included, and when the network last moved.
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {serve} from '../../tools/web/serve.mjs';

// Starts serving ROOT. Resolves to {base, responses, sent, quiet, warm, refused, stop}:
// `responses` lists {path, status, encoding, bytes} in the order they ended, `sent()` is every
// byte written to every socket so far, `quiet(ms)` resolves once no response has been under way
// for MS, `refused` lists the requests the server could not answer.
export async function startCountingServer(root) {
  const refused = [];
  const server = await new Promise((done, failed) =>
    serve({root, host: '127.0.0.1', port: 0, log: (line) => refused.push(line)}, done, (text) =>
      failed(new Error(text)))
  );
  const base = `http://127.0.0.1:${server.address().port}/`;
  const sockets = [];
  const responses = [];
  let underWay = 0;
  let lastMoved = performance.now();
  server.on('connection', (socket) => sockets.push(socket));
  // Ahead of the server's own handler, which may write a short answer at once. A browser sends
  // one request at a time on a connection, so what the socket took between the request and the
  // response's end is that response.
  server.prependListener('request', (request, response) => {
    const socket = request.socket;
    const before = socket.bytesWritten;
    underWay++;
    lastMoved = performance.now();
    // The server gives its headers to writeHead, where getHeader doesn't see them.
    let encoding = 'identity';
    const writeHead = response.writeHead;
    response.writeHead = function (status, ...rest) {
      const headers = rest.find((item) => item && typeof item === 'object' && !Array.isArray(item)) || {};
      for (const [name, value] of Object.entries(headers)) if (/^content-encoding$/i.test(name)) encoding = value;
      return writeHead.call(this, status, ...rest);
    };
    response.on('close', () => {
      underWay--;
      lastMoved = performance.now();
      responses.push({path: request.url, status: response.statusCode, encoding, bytes: socket.bytesWritten - before});
    });
  });
  let counted = 0;
  const sent = () => sockets.reduce((sum, socket) => sum + socket.bytesWritten, 0) - counted;
  const quiet = async (ms) => {
    for (;;) {
      const still = performance.now() - lastMoved;
      if (underWay === 0 && still >= ms) return;
      await new Promise((done) => setTimeout(done, underWay ? 50 : ms - still));
    }
  };
  // Has the server compress every file once, so that no measured visit waits for that; the
  // count starts again after.
  const warm = async () => {
    const names = readFileSync(join(root, 'page-files.txt'), 'utf8').split('\n').filter(Boolean);
    for (const name of names) await (await fetch(base + name, {headers: {'Accept-Encoding': 'gzip'}})).arrayBuffer();
    await quiet(0);
    responses.length = 0;
    counted += sent();
  };
  const stop = () => {
    server.closeAllConnections();
    return new Promise((done) => server.close(done));
  };
  return {base, responses, sent, quiet, warm, refused, stop};
}
