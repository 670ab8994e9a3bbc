// Compiled as the game is: the platform's own header must not be found.
#include "PlatformInternal.h"

uint32_t probeInternal() { return platform::backend().now(); }
