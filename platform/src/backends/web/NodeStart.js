// Runs before the program under node. The driver names itself after its file without
// "-headless.js" (vortelle-headless.js is "vortelle", as the desktop program's messages and its
// folder of player pictures go), and sees the host's environment, as a native program does.
// Workers load this file too, where node gives no __filename: they need neither.
if (typeof __filename !== 'undefined') {
  Module['thisProgram'] = __filename.replace(/-headless\.js$/, '');
  Module['preRun'] = [function() { Object.assign(ENV, process.env); }];
}
