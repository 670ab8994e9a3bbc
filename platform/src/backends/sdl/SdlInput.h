// The desktop's mouse, touch screen and keyboard as the phone's stylus and keys.
#pragma once

#include "backends/sdl/SdlPresenter.h"

#include <windows.h>

#include <SDL.h>

#include <vector>

namespace platform::sdl {

// The phone key for a desktop key; 0 when the phone has none.
UINT virtualKeyOf(const SDL_Keysym& key);

class InputTranslator {
 public:
  explicit InputTranslator(Presenter& presenter) : presenter_(presenter) {}

  // Delivers a mouse, touch or key event to platform::input. False when it is none of those.
  bool deliver(const SDL_Event& event);
  // The window lost the pointer or the keyboard: ends a stroke where it was and lets go of the
  // keys held, so the phone is not left with a stylus down or Control held.
  void releaseAll();

 private:
  void press(int x, int y);
  void drag(int x, int y);
  void lift(int x, int y);
  void key(const SDL_KeyboardEvent& event);

  Presenter& presenter_;
  // One stylus: the mouse or the first finger, whichever went down first.
  enum class Source { None, Mouse, Finger } source_ = Source::None;
  SDL_FingerID finger_ = 0;
  int lastX_ = 0;
  int lastY_ = 0;
  std::vector<UINT> held_;
};

}  // namespace platform::sdl
