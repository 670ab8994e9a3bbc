// Compiled as the game is: the platform's own headers must not be found by their path either.
#include "platform/src/Backend.h"

int probeByPath() { return 0; }
