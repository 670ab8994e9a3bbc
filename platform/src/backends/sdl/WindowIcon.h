// The window's icon: the program's own icon resource, as the phone's shell would show it.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// Sets the icon from the program's icon resource 101; leaves SDL's default when there is none.
void setWindowIconFromResources(SDL_Window* window);

}  // namespace platform::sdl
