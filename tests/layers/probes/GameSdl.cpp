// Compiled as the game is: a back end's host library must not be found.
#include <SDL.h>

int probeSdl() { return SDL_GetTicks() != 0; }
