// Where the trace goes, and the one way out of a run. Every write of the trace is checked: a
// trace that can't be written ends the run at once, as going on would only lose more of it.
// Whichever way the run ends, the trace is flushed and closed, and a failure to do so is said.
#include "PlatformInternal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

std::mutex outputLock;
std::FILE* traceFile = nullptr;
// Plain pointers: set at start-up, before this file's statics would be built.
std::string* traceName = nullptr;
bool outputFailed = false;

// The first failure is said; what follows from it is not.
void reportFailure(int error) {
  if (outputFailed) return;
  outputFailed = true;
  complain((traceName != nullptr ? *traceName : std::string("the trace")) + ": " +
           std::strerror(error != 0 ? error : EIO));
}

}  // namespace

void setTraceOutput(std::FILE* file, const std::string& name) {
  std::lock_guard<std::mutex> hold(outputLock);
  traceFile = file;
  if (traceName == nullptr) traceName = new std::string;
  *traceName = name.empty() ? "standard output" : name;
  outputFailed = false;
}

bool tracing() {
  std::lock_guard<std::mutex> hold(outputLock);
  return traceFile != nullptr;
}

void writeTraceLine(uint32_t time, const std::string& event) {
  {
    std::lock_guard<std::mutex> hold(outputLock);
    if (traceFile == nullptr || outputFailed) return;
    errno = 0;
    if (std::fprintf(traceFile, "%u %s\n", time, event.c_str()) >= 0 && std::fflush(traceFile) == 0) return;
    reportFailure(errno);
  }
  leave(OutputFailureExit);
}

int finishOutput(int exitCode) {
  std::lock_guard<std::mutex> hold(outputLock);
  if (traceFile != nullptr) {
    errno = 0;
    bool written = std::fflush(traceFile) == 0 && std::ferror(traceFile) == 0;
    int error = errno;
    // Standard output stays open for whatever the process still prints; the trace's own file
    // is closed, which is where a full disk may show last.
    if (traceFile != stdout && std::fclose(traceFile) != 0 && written) {
      written = false;
      error = errno;
    }
    traceFile = nullptr;
    if (!written) reportFailure(error);
  }
  // A run that already failed keeps its own code.
  if (outputFailed && exitCode == 0) return OutputFailureExit;
  return exitCode;
}

void leave(int exitCode) {
  int code = finishOutput(exitCode);
  std::fflush(nullptr);
  // The game's objects and threads are not torn down, as the phone would not.
  std::_Exit(code);
}

}  // namespace platform
