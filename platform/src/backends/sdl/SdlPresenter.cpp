#include "backends/sdl/SdlPresenter.h"

#include "backends/sdl/SdlLeds.h"

#include <algorithm>
#include <cmath>

namespace platform::sdl {

namespace {

// Room the desktop's title bar and frame take around the window at most.
constexpr int kFrameAllowanceX = 16;
constexpr int kFrameAllowanceY = 64;
constexpr int kMaxDamageRects = 16;

void fillGround(cairo_t* cr) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgb(cr, 0.11, 0.11, 0.12);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace

Presenter::~Presenter() {
  if (target_ != nullptr) cairo_surface_destroy(target_);
  if (buffer_ != nullptr) SDL_FreeSurface(buffer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool Presenter::open(int screenWidth, int screenHeight, const LampStrip* lamps, std::string* error) {
  screenWidth_ = screenWidth;
  screenHeight_ = screenHeight;
  lamps_ = lamps;
  pictureWidth_ = screenWidth + (lamps != nullptr ? lampStripWidth(screenWidth, screenHeight) : 0);

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
  if (target_ != nullptr) cairo_surface_destroy(target_);
  if (buffer_ != nullptr) SDL_FreeSurface(buffer_);
  target_ = nullptr;
  buffer_ = nullptr;
  windowSurface_ = SDL_GetWindowSurface(window_);
  if (windowSurface_ == nullptr) return false;
  const int width = windowSurface_->w;
  const int height = windowSurface_->h;
  placement_ = placePicture(width, height, pictureWidth_, screenHeight_);
  fullFrame_ = true;

  // Cairo's RGB24 is SDL's RGB888: draw straight into the window's pixels when they are such.
  const Uint32 format = windowSurface_->format->format;
  if ((format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) && windowSurface_->pitch % 4 == 0) {
    target_ = cairo_image_surface_create_for_data(static_cast<unsigned char*>(windowSurface_->pixels),
                                                  CAIRO_FORMAT_RGB24, width, height, windowSurface_->pitch);
  } else {
    target_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    buffer_ = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(target_), width, height, 32,
                                                 cairo_image_surface_get_stride(target_), SDL_PIXELFORMAT_RGB888);
    if (buffer_ == nullptr) return false;
  }
  return cairo_surface_status(target_) == CAIRO_STATUS_SUCCESS;
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

void Presenter::drawScreen(cairo_t* cr, cairo_surface_t* screen, int shift, const WindowRect& clip) {
  const double sx = static_cast<double>(placement_.width) / pictureWidth_;
  const double sy = static_cast<double>(placement_.height) / screenHeight_;
  cairo_save(cr);
  cairo_rectangle(cr, clip.x, clip.y, clip.width, clip.height);
  cairo_clip(cr);
  cairo_rectangle(cr, placement_.x + shift, placement_.y, screenWidth_ * sx, screenHeight_ * sy);
  cairo_clip(cr);
  cairo_translate(cr, placement_.x + shift, placement_.y);
  cairo_scale(cr, sx, sy);
  cairo_set_source_surface(cr, screen, 0, 0);
  cairo_pattern_t* pattern = cairo_get_source(cr);
  cairo_pattern_set_filter(pattern, placement_.wholeScale > 0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_restore(cr);
}

void Presenter::drawLamps(cairo_t* cr, uint32_t now) {
  const double sx = static_cast<double>(placement_.width) / pictureWidth_;
  const double sy = static_cast<double>(placement_.height) / screenHeight_;
  cairo_save(cr);
  cairo_translate(cr, placement_.x + screenWidth_ * sx, placement_.y);
  cairo_scale(cr, sx, sy);
  drawLampStrip(cr, *lamps_, pictureWidth_ - screenWidth_, screenHeight_, now);
  cairo_restore(cr);
}

bool Presenter::present(const gdi::PixelBuffer* pixels, uint32_t now) {
  if (window_ == nullptr || pixels == nullptr) return false;
  if (target_ == nullptr && !attachSurface()) return false;

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

  // Cairo only reads the screen's pixels, and lets them go before this returns.
  cairo_surface_t* screen =
      cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels->data), CAIRO_FORMAT_RGB24,
                                          pixels->width, pixels->height, pixels->stride * 4);
  cairo_t* cr = cairo_create(target_);
  std::vector<SDL_Rect> rects;
  const int margin = placement_.wholeScale > 0 ? 0 : 2;  // smooth scaling blends neighbouring pixels
  if (fullFrame_ || !shown_) {
    fillGround(cr);
    drawScreen(cr, screen, shift, {0, 0, windowSurface_->w, windowSurface_->h});
    if (lamps_ != nullptr) drawLamps(cr, now);
    rects.push_back({0, 0, windowSurface_->w, windowSurface_->h});
  } else {
    for (const SDL_Rect& d : damaged) {
      const WindowRect r =
          windowFromPicture(placement_, pictureWidth_, screenHeight_, d.x, d.y, d.x + d.w, d.y + d.h, margin);
      if (r.width <= 0 || r.height <= 0) continue;
      drawScreen(cr, screen, shift, r);
      rects.push_back({r.x, r.y, r.width, r.height});
    }
    if (lampsChanged) {
      drawLamps(cr, now);
      const WindowRect r =
          windowFromPicture(placement_, pictureWidth_, screenHeight_, screenWidth_, 0, pictureWidth_, screenHeight_, 0);
      rects.push_back({r.x, r.y, r.width, r.height});
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(screen);
  cairo_surface_flush(target_);
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
