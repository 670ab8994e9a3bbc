// The lamp strip's picture: one round lamp per LED the game drives, with its number.
#pragma once

#include "backends/sdl/LampStrip.h"

#include <cairo.h>

#include <cstdint>

namespace platform::sdl {

// The strip's width beside a screen of this size, in screen pixels.
int lampStripWidth(int screenWidth, int screenHeight);

// Draws the strip at (0, 0) in the context's units, `width` x `height` of them.
void drawLampStrip(cairo_t* cr, const LampStrip& lamps, int width, int height, uint32_t now);

}  // namespace platform::sdl
