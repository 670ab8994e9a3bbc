// The lamp strip's picture beside the screen (--leds): one round lamp per LED the game drives,
// with its number. The desktop's window and the browser's page draw the same.
#pragma once

#include "backends/shared/LampStrip.h"

#include <windows.h>

#include <cstdint>

namespace platform::lamps {

// The strip's width beside a screen of this size, in screen pixels.
int lampStripWidth(int screenWidth, int screenHeight);

// The strip as it is at `now`, `width` x `height` screen pixels, drawn through the platform's
// own drawing; the caller deletes the bitmap. Null when it can't be drawn.
HBITMAP drawLampStrip(const LampStrip& lamps, int width, int height, uint32_t now);

}  // namespace platform::lamps
