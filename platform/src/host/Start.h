// A program's start-up on the platform: from the command line to a running platform, and the
// trace's last word when the game's entry function returns.
#pragma once

namespace platform {

// The screens the program plays on, as --help lists them (the program knows, not the platform):
// given before startFromCommandLine(); nullptr lists none.
void setProgramScreens(const char* text);

// Parses the options, opens the trace, makes the back end and starts the platform. Ends the
// process for --help and --version (0) and on any error (2, one line on standard error).
void startFromCommandLine(int argc, char** argv);

// Makes the calling thread the user-interface thread, where the message loop runs on another
// thread than start-up (the web build's main() has a thread of its own).
void continueOnThisThread();

// The game's message loop ended with `exitCode`: traces it and closes the trace. Returns the
// code to exit with: `exitCode`, or 2 when the trace could not be written.
int endRun(int exitCode);

}  // namespace platform
