#include "Start.h"

#include "Options.h"
#include "PlatformInternal.h"
#include "core/UiThreadCalls.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifndef VORTELLE_VERSION
#define VORTELLE_VERSION "unknown"
#endif

namespace platform {

namespace core {
void makeUiThread();
}  // namespace core

namespace {

const char* usageScreens = nullptr;

// Before the game starts: one line on standard error, and the trace, if opened, closed.
[[noreturn]] void fail(const std::string& message) {
  complain(message);
  leave(2);
}

// --help and --version: standard output that can't be written is said, not lost.
[[noreturn]] void print(const std::string& text) {
  errno = 0;
  if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
    complain(std::string("standard output: ") + std::strerror(errno != 0 ? errno : EIO));
    std::exit(OutputFailureExit);
  }
  std::exit(0);
}

}  // namespace

void setProgramScreens(const char* text) { usageScreens = text; }

void startFromCommandLine(int argc, char** argv) {
  setProgramName(argc >= 1 && argv != nullptr ? argv[0] : nullptr);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);

  CommandLine commandLine = parseCommandLine(arguments);
  switch (commandLine.action) {
    case CommandLine::Action::Help:
      print(usageText(programName(), usageScreens));
    case CommandLine::Action::Version:
      print(std::string(programName()) + " " + VORTELLE_VERSION + "\n");
    case CommandLine::Action::Error:
      fail(commandLine.error);
    case CommandLine::Action::Run:
      break;
  }
  const Options& options = commandLine.options;

  std::FILE* traceFile = stdout;
  if (!options.tracePath.empty()) {
    traceFile = std::fopen(options.tracePath.c_str(), "w");
    if (!traceFile) fail("--trace: cannot write " + options.tracePath + ": " + std::strerror(errno));
  }
  setTraceOutput(traceFile, options.tracePath);

  std::string error;
  Backend* backend = options.headless ? createHeadlessBackend(options, &error) : createWindowBackend(options, &error);
  if (!backend) fail(error.empty() ? "the screen could not be opened" : error);
  start(options, backend);
}

void continueOnThisThread() { core::makeUiThread(); }

int endRun(int exitCode) {
  // No message loop looks at the queue any more: a worker waiting for a box goes on.
  core::endUiThreadCalls();
  backend().finishWorkers();
  trace("quit %d", exitCode);
  exitCode = finishOutput(exitCode);
  std::fflush(nullptr);
  backend().ended(exitCode);
  return exitCode;
}

}  // namespace platform
