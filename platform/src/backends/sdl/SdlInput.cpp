#include "backends/sdl/SdlInput.h"

#include "PlatformInternal.h"

#include <algorithm>

namespace platform::sdl {

UINT virtualKeyOf(const SDL_Keysym& key) {
  switch (key.sym) {
    // The phone's OK key: the desktop's Enter keys and the space bar.
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
      return VK_RETURN;
    case SDLK_F1:
      return VK_F1;
    case SDLK_F2:
      return VK_F2;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_KP_0:
      return '0';
    default:
      break;
  }
  if (key.sym >= SDLK_a && key.sym <= SDLK_z) return static_cast<UINT>('A' + (key.sym - SDLK_a));
  if (key.sym >= SDLK_0 && key.sym <= SDLK_9) return static_cast<UINT>('0' + (key.sym - SDLK_0));
  if (key.sym >= SDLK_KP_1 && key.sym <= SDLK_KP_9) return static_cast<UINT>('1' + (key.sym - SDLK_KP_1));
  // Layouts whose letter or digit keys type something else still reach the accelerators by
  // the key's place.
  if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z) {
    return static_cast<UINT>('A' + (key.scancode - SDL_SCANCODE_A));
  }
  if (key.scancode >= SDL_SCANCODE_1 && key.scancode <= SDL_SCANCODE_9) {
    return static_cast<UINT>('1' + (key.scancode - SDL_SCANCODE_1));
  }
  if (key.scancode == SDL_SCANCODE_0) return '0';
  return 0;
}

void InputTranslator::press(int x, int y) {
  lastX_ = x;
  lastY_ = y;
  input::stylusDown(x, y);
}

void InputTranslator::drag(int x, int y) {
  if (x == lastX_ && y == lastY_) return;
  lastX_ = x;
  lastY_ = y;
  input::stylusMove(x, y);
}

void InputTranslator::lift(int x, int y) {
  source_ = Source::None;
  lastX_ = x;
  lastY_ = y;
  input::stylusUp(x, y);
}

void InputTranslator::key(const SDL_KeyboardEvent& event) {
  // Held keys repeat on the desktop; the game takes one press per press.
  if (event.repeat != 0) return;
  const UINT vk = virtualKeyOf(event.keysym);
  if (vk == 0) return;
  const auto it = std::find(held_.begin(), held_.end(), vk);
  if (event.type == SDL_KEYDOWN) {
    if (it == held_.end()) held_.push_back(vk);
    input::key(vk, true);
  } else if (it != held_.end()) {
    held_.erase(it);
    input::key(vk, false);
  }
}

bool InputTranslator::deliver(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN: {
      // Touches arrive as fingers; SDL's mouse copies of them would make a second stylus.
      if (event.button.which == SDL_TOUCH_MOUSEID || event.button.button != SDL_BUTTON_LEFT) return true;
      if (source_ != Source::None) return true;
      const PicturePoint p = presenter_.screenPoint(event.button.x, event.button.y);
      if (!p.inside) return true;
      source_ = Source::Mouse;
      SDL_CaptureMouse(SDL_TRUE);
      press(p.x, p.y);
      return true;
    }
    case SDL_MOUSEMOTION: {
      if (event.motion.which == SDL_TOUCH_MOUSEID || source_ != Source::Mouse) return true;
      const PicturePoint p = presenter_.screenPoint(event.motion.x, event.motion.y);
      drag(p.x, p.y);
      return true;
    }
    case SDL_MOUSEBUTTONUP: {
      if (event.button.which == SDL_TOUCH_MOUSEID || event.button.button != SDL_BUTTON_LEFT) return true;
      if (source_ != Source::Mouse) return true;
      SDL_CaptureMouse(SDL_FALSE);
      const PicturePoint p = presenter_.screenPoint(event.button.x, event.button.y);
      lift(p.x, p.y);
      return true;
    }
    case SDL_FINGERDOWN: {
      if (source_ != Source::None) return true;
      const PicturePoint p = presenter_.screenPointOfTouch(event.tfinger.x, event.tfinger.y);
      if (!p.inside) return true;
      source_ = Source::Finger;
      finger_ = event.tfinger.fingerId;
      press(p.x, p.y);
      return true;
    }
    case SDL_FINGERMOTION: {
      if (source_ != Source::Finger || event.tfinger.fingerId != finger_) return true;
      const PicturePoint p = presenter_.screenPointOfTouch(event.tfinger.x, event.tfinger.y);
      drag(p.x, p.y);
      return true;
    }
    case SDL_FINGERUP: {
      if (source_ != Source::Finger || event.tfinger.fingerId != finger_) return true;
      const PicturePoint p = presenter_.screenPointOfTouch(event.tfinger.x, event.tfinger.y);
      lift(p.x, p.y);
      return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      key(event.key);
      return true;
    default:
      return false;
  }
}

void InputTranslator::releaseAll() {
  if (source_ == Source::Mouse) SDL_CaptureMouse(SDL_FALSE);
  if (source_ != Source::None) lift(lastX_, lastY_);
  const std::vector<UINT> held = std::move(held_);
  held_.clear();
  for (UINT vk : held) input::key(vk, false);
}

}  // namespace platform::sdl
