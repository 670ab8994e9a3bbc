// Runs before the program under node. The driver names itself after its file without
// "-headless.js" (vortelle-headless.js is "vortelle", as the desktop program's messages and its
// folder of player pictures go), and sees the host's environment, as a native program does.
Module['thisProgram'] = __filename.replace(/-headless\.js$/, '');
Module['preRun'] = [function() { Object.assign(ENV, process.env); }];
