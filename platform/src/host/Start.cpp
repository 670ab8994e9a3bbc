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

[[noreturn]] void fail(const std::string& program, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
  std::exit(2);
}

std::string programName(int argc, char** argv) {
  if (argc < 1 || argv == nullptr || argv[0] == nullptr) return "vortelle";
  const char* slash = std::strrchr(argv[0], '/');
  return slash ? slash + 1 : argv[0];
}

}  // namespace

void startFromCommandLine(int argc, char** argv) {
  std::string program = programName(argc, argv);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);

  CommandLine commandLine = parseCommandLine(arguments);
  switch (commandLine.action) {
    case CommandLine::Action::Help:
      std::fputs(usageText(program).c_str(), stdout);
      std::exit(0);
    case CommandLine::Action::Version:
      std::printf("%s %s\n", program.c_str(), VORTELLE_VERSION);
      std::exit(0);
    case CommandLine::Action::Error:
      fail(program, commandLine.error);
    case CommandLine::Action::Run:
      break;
  }
  const Options& options = commandLine.options;

  std::FILE* traceFile = stdout;
  if (!options.tracePath.empty()) {
    traceFile = std::fopen(options.tracePath.c_str(), "w");
    if (!traceFile) fail(program, "--trace: cannot write " + options.tracePath + ": " + std::strerror(errno));
  }
  setTraceOutput(traceFile);

  std::string error;
  Backend* backend = options.headless ? createHeadlessBackend(options, &error) : createWindowBackend(options, &error);
  if (!backend) fail(program, error.empty() ? "the screen could not be opened" : error);
  start(options, backend);
}

void continueOnThisThread() { core::makeUiThread(); }

void endRun(int exitCode) {
  // No message loop looks at the queue any more: a worker waiting for a box goes on.
  core::endUiThreadCalls();
  backend().finishWorkers();
  trace("quit %d", exitCode);
  std::fflush(nullptr);
  backend().ended(exitCode);
}

}  // namespace platform
