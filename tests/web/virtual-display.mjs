// A virtual X display of the test's own (Xvfb), for a browser that has no headless mode: Xvfb
// picks a free display number and says it on a pipe.
import {spawn} from 'node:child_process';

// Starts Xvfb with one screen of WIDTHxHEIGHT; resolves to {display: ':N', stop()}.
export function startDisplay(size = '1600x1200') {
  const server = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', `${size}x24`, '-nolisten', 'tcp'],
                       {stdio: ['ignore', 'ignore', 'pipe', 'pipe']});
  let said = '';
  let complaints = '';
  server.stderr.on('data', (chunk) => (complaints += chunk));
  const exited = new Promise((done) => server.on('exit', done));
  // Also when the test fails before it stops the display.
  const end = () => server.exitCode === null && server.signalCode === null && server.kill('SIGTERM');
  process.on('exit', end);
  const stop = async () => {
    end();
    await exited;
    process.off('exit', end);
  };
  return new Promise((done, failed) => {
    server.on('error', (error) => failed(new Error(`Xvfb could not start: ${error.message}`)));
    server.on('exit', (code) => failed(new Error(`Xvfb ended (${code}) before it had a display: ${complaints.trim()}`)));
    server.stdio[3].on('data', (chunk) => {
      said += chunk;
      if (said.includes('\n')) done({display: `:${said.trim()}`, process: server, stop});
    });
  });
}
