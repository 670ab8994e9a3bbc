// A program's start-up on the platform: from the command line to a running platform, and the
// trace's last word when the game's entry function returns.
#pragma once

namespace platform {

// Parses the options, opens the trace, makes the back end and starts the platform. Ends the
// process for --help and --version (0) and on any error (2, one line on standard error).
void startFromCommandLine(int argc, char** argv);

// Makes the calling thread the user-interface thread, where the message loop runs on another
// thread than start-up (the web build's main() has a thread of its own).
void continueOnThisThread();

// The game's message loop ended with `exitCode`: traces it and flushes the trace.
void endRun(int exitCode);

}  // namespace platform
