// Compiled as the platform's core is: a back end's host library must not be found.
#include "PlatformInternal.h"

#include <SDL.h>

int probeCoreSdl() { return SDL_GetTicks() != 0; }
