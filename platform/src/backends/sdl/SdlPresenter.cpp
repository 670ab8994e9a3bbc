#include "backends/sdl/SdlPresenter.h"

#include "backends/shared/LampDrawing.h"
#include "PlatformInternal.h"
#include "gdi/SmoothScale.h"

#include <algorithm>
#include <cmath>

namespace platform::sdl {

namespace {

// Room the desktop's title bar and frame take around the window at most.
constexpr int kFrameAllowanceX = 16;
constexpr int kFrameAllowanceY = 64;
constexpr int kMaxDamageRects = 16;

constexpr uint32_t kGround = 0x1C1C1F;

// Each window pixel of `area` inside the target's clip takes the picture pixel under it, the
// picture enlarged `factor` times.
void scaleWhole(const gdi::PixelBuffer& picture, const gdi::RasterTarget& target, const RECT& area, int factor) {
  for (const RECT& clip : target.clip) {
    const int left = std::max(clip.left, area.left), right = std::min(clip.right, area.right);
    const int top = std::max(clip.top, area.top), bottom = std::min(clip.bottom, area.bottom);
    for (int y = top; y < bottom; ++y) {
      const uint32_t* in = picture.row(std::min(picture.height - 1, (y - area.top) / factor));
      uint32_t* out = target.pixels.row(y);
      for (int x = left; x < right; ++x) out[x] = in[std::min(picture.width - 1, (x - area.left) / factor)];
    }
  }
}

}  // namespace

Presenter::~Presenter() {
  if (buffer_ != nullptr) SDL_FreeSurface(buffer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool Presenter::open(int screenWidth, int screenHeight, const LampStrip* lamps, std::string* error) {
  screenWidth_ = screenWidth;
  screenHeight_ = screenHeight;
  lamps_ = lamps;
  pictureWidth_ = screenWidth + (lamps != nullptr ? lamps::lampStripWidth(screenWidth, screenHeight) : 0);

  SDL_Rect usable{0, 0, pictureWidth_, screenHeight_};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = {0, 0, pictureWidth_, screenHeight_};
  const int scale =
      initialScale(usable.w - kFrameAllowanceX, usable.h - kFrameAllowanceY, pictureWidth_, screenHeight_);
  // Sizes here are in the desktop's points; on a high-density display the window surface has
  // more pixels than that, and the picture is drawn at the surface's own size to stay sharp.
  window_ =
      SDL_CreateWindow("Vortelle", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, pictureWidth_ * scale,
                       screenHeight_ * scale, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (window_ == nullptr) {
    *error = std::string("cannot open a window: ") + SDL_GetError();
    return false;
  }
  SDL_SetWindowMinimumSize(window_, std::max(1, pictureWidth_ / 4), std::max(1, screenHeight_ / 4));
  if (!attachSurface()) {
    *error = std::string("cannot draw into the window: ") + SDL_GetError();
    return false;
  }
  return true;
}

bool Presenter::attachSurface() {
  if (buffer_ != nullptr) SDL_FreeSurface(buffer_);
  buffer_ = nullptr;
  target_ = gdi::PixelBuffer{};
  windowSurface_ = SDL_GetWindowSurface(window_);
  if (windowSurface_ == nullptr) return false;
  const int width = windowSurface_->w;
  const int height = windowSurface_->h;
  placement_ = placePicture(width, height, pictureWidth_, screenHeight_);
  fullFrame_ = true;

  // Our pixels are SDL's RGB888: draw straight into the window's pixels when they are such.
  const Uint32 format = windowSurface_->format->format;
  if ((format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) && windowSurface_->pitch % 4 == 0) {
    target_ =
        gdi::PixelBuffer{static_cast<uint32_t*>(windowSurface_->pixels), windowSurface_->pitch / 4, width, height};
    return true;
  }
  bufferPixels_.assign(static_cast<size_t>(width) * height, 0);
  target_ = gdi::PixelBuffer{bufferPixels_.data(), width, width, height};
  buffer_ =
      SDL_CreateRGBSurfaceWithFormatFrom(bufferPixels_.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_RGB888);
  return buffer_ != nullptr;
}

void Presenter::damage(int left, int top, int right, int bottom) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, screenWidth_);
  bottom = std::min(bottom, screenHeight_);
  if (right <= left || bottom <= top) return;
  std::lock_guard lock(damageMutex_);
  if (static_cast<int>(damage_.size()) < kMaxDamageRects) {
    damage_.push_back({left, top, right - left, bottom - top});
    return;
  }
  // Too many pieces: one rectangle round them all costs less than many small copies.
  SDL_Rect all = {left, top, right - left, bottom - top};
  for (const SDL_Rect& r : damage_) SDL_UnionRect(&all, &r, &all);
  damage_.assign(1, all);
}

void Presenter::scaleInto(const gdi::PixelBuffer& picture, const RECT& area, const WindowRect& clip) {
  const RECT cut{std::max(clip.x, 0), std::max(clip.y, 0), std::min(clip.x + clip.width, target_.width),
                 std::min(clip.y + clip.height, target_.height)};
  if (cut.left >= cut.right || cut.top >= cut.bottom) return;
  const gdi::RasterTarget target{target_, std::span<const RECT>(&cut, 1), 0, 0};
  if (placement_.wholeScale > 0)
    scaleWhole(picture, target, area, placement_.wholeScale);
  else
    gdi::smoothScale(picture, target, area);
}

// The window pixels the screen (from picture column 0) or the lamp strip (from the screen's
// right edge) fill.
RECT Presenter::placeOf(int pictureLeft, int pictureRight, int shift) const {
  const double sx = static_cast<double>(placement_.width) / pictureWidth_;
  return RECT{placement_.x + shift + static_cast<int>(std::lround(pictureLeft * sx)), placement_.y,
              placement_.x + shift + static_cast<int>(std::lround(pictureRight * sx)),
              placement_.y + placement_.height};
}

void Presenter::drawScreen(const gdi::PixelBuffer& screen, int shift, const WindowRect& clip) {
  scaleInto(screen, placeOf(0, screenWidth_, shift), clip);
}

void Presenter::drawLamps(uint32_t now) {
  const int width = pictureWidth_ - screenWidth_;
  HBITMAP strip = lamps::drawLampStrip(*lamps_, width, screenHeight_, now);
  if (strip == nullptr) return;
  if (const gdi::PixelBuffer* pixels = gdi::bitmapPixels(strip))
    scaleInto(*pixels, placeOf(screenWidth_, pictureWidth_, 0), {0, 0, target_.width, target_.height});
  DeleteObject(reinterpret_cast<HGDIOBJ>(strip));
}

void Presenter::fillGround() {
  for (int y = 0; y < target_.height; ++y) std::fill_n(target_.row(y), target_.width, kGround);
}

bool Presenter::present(const gdi::PixelBuffer* pixels, uint32_t now) {
  if (window_ == nullptr || pixels == nullptr) return false;
  if (target_.data == nullptr && !attachSurface()) return false;

  const double sx = static_cast<double>(placement_.width) / pictureWidth_;
  int shift = 0;
  bool lampsChanged = false;
  if (lamps_ != nullptr) {
    shift = static_cast<int>(std::lround(lamps_->shakeOffset(now) * sx));
    std::vector<bool> lit;
    for (unsigned led : LampStrip::kLeds) lit.push_back(lamps_->lit(led, now));
    lampsChanged = lit != lastLamps_;
    lastLamps_ = std::move(lit);
  }
  if (shift != lastShift_) fullFrame_ = true;
  lastShift_ = shift;
  std::vector<SDL_Rect> damaged;
  {
    std::lock_guard lock(damageMutex_);
    damaged.swap(damage_);
  }
  if (!fullFrame_ && damaged.empty() && !lampsChanged && shown_) return false;

  std::vector<SDL_Rect> rects;
  const int margin = placement_.wholeScale > 0 ? 0 : 2;  // smooth scaling blends neighbouring pixels
  if (fullFrame_ || !shown_) {
    fillGround();
    drawScreen(*pixels, shift, {0, 0, windowSurface_->w, windowSurface_->h});
    if (lamps_ != nullptr) drawLamps(now);
    rects.push_back({0, 0, windowSurface_->w, windowSurface_->h});
  } else {
    for (const SDL_Rect& d : damaged) {
      const WindowRect r =
          windowFromPicture(placement_, pictureWidth_, screenHeight_, d.x, d.y, d.x + d.w, d.y + d.h, margin);
      if (r.width <= 0 || r.height <= 0) continue;
      drawScreen(*pixels, shift, r);
      rects.push_back({r.x, r.y, r.width, r.height});
    }
    if (lampsChanged) {
      drawLamps(now);
      const WindowRect r =
          windowFromPicture(placement_, pictureWidth_, screenHeight_, screenWidth_, 0, pictureWidth_, screenHeight_, 0);
      rects.push_back({r.x, r.y, r.width, r.height});
    }
  }
  fullFrame_ = false;
  if (rects.empty()) return false;

  if (buffer_ != nullptr) {
    for (SDL_Rect& r : rects) {
      SDL_Rect to = r;
      SDL_BlitSurface(buffer_, &r, windowSurface_, &to);
    }
  }
  if (!shown_) {
    SDL_ShowWindow(window_);
    shown_ = true;
  }
  if (SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size())) != 0) {
    // The window was resized behind our back: take its new surface and draw it all next time.
    attachSurface();
    return false;
  }
  return true;
}

PicturePoint Presenter::screenPoint(double windowX, double windowY) {
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  if (windowSurface_ != nullptr) {
    windowX = pixelsFromPoints(windowX, width, windowSurface_->w);
    windowY = pixelsFromPoints(windowY, height, windowSurface_->h);
  }
  PicturePoint p = pictureFromWindow(placement_, pictureWidth_, screenHeight_, windowX, windowY);
  if (p.x >= screenWidth_) {
    p.x = screenWidth_ - 1;
    p.inside = false;
  }
  return p;
}

PicturePoint Presenter::screenPointOfTouch(double fractionX, double fractionY) {
  if (windowSurface_ == nullptr) return {0, 0, false};
  PicturePoint p = pictureFromWindow(placement_, pictureWidth_, screenHeight_, fractionX * windowSurface_->w,
                                     fractionY * windowSurface_->h);
  if (p.x >= screenWidth_) {
    p.x = screenWidth_ - 1;
    p.inside = false;
  }
  return p;
}

}  // namespace platform::sdl
