#include "backends/sdl/TerminationSignal.h"

#include <SDL.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace platform::sdl {

namespace {

int signalPipe[2] = {-1, -1};
std::atomic<int> signalsSeen{0};

extern "C" void onTerminationSignal(int signal) {
  if (signalsSeen.fetch_add(1) > 0) _exit(128 + signal);
  const int savedErrno = errno;
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

bool watchTerminationSignals(uint32_t eventType) {
  if (signalPipe[0] >= 0) return true;
  if (pipe2(signalPipe, O_CLOEXEC) != 0) return false;
  try {
    std::thread([eventType] {
      char byte = 0;
      while (true) {
        const ssize_t got = read(signalPipe[0], &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return;
        SDL_Event event{};
        event.type = eventType;
        SDL_PushEvent(&event);
      }
    }).detach();
  } catch (...) {
    return false;
  }
  struct sigaction action {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

}  // namespace platform::sdl
