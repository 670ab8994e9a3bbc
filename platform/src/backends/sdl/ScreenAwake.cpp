#include "backends/sdl/ScreenAwake.h"

#include <SDL.h>

namespace platform::sdl {

void holdScreenAwake(bool held) {
  if (held) {
    SDL_DisableScreenSaver();
  } else {
    SDL_EnableScreenSaver();
  }
}

}  // namespace platform::sdl
