// SIGTERM (and SIGINT from a terminal) ends the program the way the game's own EXIT does. The
// signal handler only writes to a pipe; a watcher thread turns that into an SDL event, which
// wakes the user-interface thread's wait.
#pragma once

#include <cstdint>

namespace platform::sdl {

// Pushes an SDL event of `eventType` when a termination signal arrives. A second signal while
// the first is still being handled ends the process at once. False when it could not be set up.
bool watchTerminationSignals(uint32_t eventType);

}  // namespace platform::sdl
