// Writes the list of functions that the web programs (the browser's and the node driver) need not
// prepare for Asyncify: every function of the libraries they link (FreeType, HarfBuzz, libpng,
// libjpeg-turbo, zlib and the C and C++ runtime) and the platform's drawing and picture decoding.
// None of them is ever on the stack while the program waits for the browser or a worker's fiber
// gives up its turn: they call back into nothing that waits or sleeps. Left to itself Asyncify
// must assume that any call through a pointer may wait, and instruments nearly every function: a
// third more code, slower drawing and text.
// Kept instrumented, whatever library defines them: what calls a callable the program hands
// over (std::function, invoke), main and the program's start, and threads and the exit.
// The names are as the module's name section spells them (demangled), comma-separated, as
// wasm-opt reads a list from a file; names with unbalanced brackets (operator<, operator->)
// can't be read from such a list and are left out, which only keeps them instrumented.
// Usage: node asyncify-remove-list.mjs OUT LIBRARY.a...
import {execFileSync} from 'node:child_process';
import {writeFileSync} from 'node:fs';

const [out, ...libraries] = process.argv.slice(2);
if (!out || libraries.length === 0) {
  console.error('usage: asyncify-remove-list.mjs OUT LIBRARY.a...');
  process.exit(2);
}

// Whole namespaces of the platform, by wildcard.
const PLATFORM = ['platform::gdi::*', 'platform::imaging::*'];
const KEPT = /function|__invoke|main|_start|call_once|thread|exit|^abort$/;

function run(tool, args, input) {
  for (const name of [tool, `${tool}-14`, `${tool}-15`, `${tool}-16`]) {
    try {
      return execFileSync(name, args, {input, maxBuffer: 64 << 20, encoding: 'utf8', stdio: ['pipe', 'pipe', 'ignore']});
    } catch (error) {
      if (error.code !== 'ENOENT') throw error;
    }
  }
  console.error(`asyncify-remove-list.mjs: ${tool} is missing (Debian's llvm package has it)`);
  process.exit(1);
}

// Defined functions: text symbols, strong or weak.
const symbols = run('llvm-nm', ['--defined-only', ...libraries])
  .split('\n')
  .map((line) => line.trim().split(/\s+/))
  .filter((fields) => fields.length === 3 && /^[tTwW]$/.test(fields[1]))
  .map((fields) => fields[2]);
const names = run('llvm-cxxfilt', [], symbols.join('\n')).split('\n');

function balanced(name) {
  let depth = 0;
  for (const c of name) {
    if ('([{<'.includes(c)) depth++;
    else if (')]}>'.includes(c) && --depth < 0) return false;
  }
  return depth === 0;
}

const removed = [...new Set(names)].filter((name) => name && balanced(name) && !KEPT.test(name)).sort();
writeFileSync(out, [...PLATFORM, ...removed].join(','));
console.log(`asyncify-remove-list.mjs: ${removed.length} functions of ${libraries.length} libraries, and ${PLATFORM.join(', ')}`);
