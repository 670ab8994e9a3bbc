// The desktop window that shows the phone's screen: its size and scale, the damage collected
// since the last frame, and the frame itself, drawn straight into SDL's window surface.
#pragma once

#include "backends/sdl/SdlScaling.h"
#include "gdi/Raster.h"

#include <SDL.h>
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace platform::lamps {
class LampStrip;
}

namespace platform::sdl {

using lamps::LampStrip;

class Presenter {
 public:
  Presenter() = default;
  Presenter(const Presenter&) = delete;
  Presenter& operator=(const Presenter&) = delete;
  ~Presenter();

  // Opens the (still hidden) window for a screen of this size, with room for the lamp strip
  // when `lamps` is given. False with a reason when no window can be had.
  bool open(int screenWidth, int screenHeight, const LampStrip* lamps, std::string* error);
  SDL_Window* window() const { return window_; }

  // Screen pixels that changed (right and bottom excluded).
  void damage(int left, int top, int right, int bottom);
  // The window's contents were lost, or its size changed: everything is drawn again.
  void damageAll() { fullFrame_ = true; }
  void windowResized() { attachSurface(); }
  // Draws what changed (screen damage, the lamps, the shake) and shows the window on the first
  // frame. Returns true when a frame was shown.
  bool present(const gdi::PixelBuffer* screen, uint32_t now);

  // The phone's screen pixel under a window point (window coordinates, as SDL's mouse events
  // give them); inside is false on the letterbox and the lamp strip.
  PicturePoint screenPoint(double windowX, double windowY);
  // The same for a touch, whose coordinates are fractions of the window.
  PicturePoint screenPointOfTouch(double fractionX, double fractionY);

 private:
  bool attachSurface();
  void scaleInto(const gdi::PixelBuffer& picture, const RECT& area, const WindowRect& clip);
  RECT placeOf(int pictureLeft, int pictureRight, int shift) const;
  void drawScreen(const gdi::PixelBuffer& screen, int shift, const WindowRect& clip);
  void drawLamps(uint32_t now);
  void fillGround();
  Placement screenPlacement(int shift) const;

  SDL_Window* window_ = nullptr;
  SDL_Surface* windowSurface_ = nullptr;
  gdi::PixelBuffer target_;             // the window surface's pixels, or a buffer beside it
  std::vector<uint32_t> bufferPixels_;  // that buffer, when the formats differ
  SDL_Surface* buffer_ = nullptr;       // the buffer as SDL sees it
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  int pictureWidth_ = 0;  // the screen and the lamp strip beside it
  const LampStrip* lamps_ = nullptr;
  Placement placement_;
  bool shown_ = false;
  bool fullFrame_ = true;
  std::mutex damageMutex_;
  std::vector<SDL_Rect> damage_;  // screen rectangles
  int lastShift_ = 0;
  std::vector<bool> lastLamps_;
};

}  // namespace platform::sdl
