// The phone's backlight request on the desktop: while it is held, the screen saver and the
// blanking of the display are held off.
#pragma once

namespace platform::sdl {

void holdScreenAwake(bool held);

}  // namespace platform::sdl
