// What the shell's tests share: a back end that lets the boxes show on the headless screen, and
// a top-level window that records the commands it gets.
#pragma once

#include "PlatformInternal.h"
#include "PlatformTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace shell_test {

// The headless back end, except that message boxes are shown instead of answered by the
// script, so the script's taps and keys answer them.
class ShownBoxes : public platform::Backend {
 public:
  // Installs itself over the headless back end that platform_test::start() made.
  void install() {
    inner_ = &platform::backend();
    platform::start(platform::options(), this);
  }
  uint32_t now() override { return inner_->now(); }
  void idle(uint32_t deadline) override { inner_->idle(deadline); }
  void screenChanged(const RECT& rect) override { inner_->screenChanged(rect); }
  void sleep(uint32_t milliseconds) override { inner_->sleep(milliseconds); }
  bool startThread(LPTHREAD_START_ROUTINE start, void* parameter) override {
    return inner_->startThread(start, parameter);
  }
  void beep(UINT type) override { inner_->beep(type); }
  void ledChanged(const NLED_SETTINGS_INFO& settings) override { inner_->ledChanged(settings); }
  void backlightChanged(bool held) override { inner_->backlightChanged(held); }
  bool ledAccepts(UINT ledNumber) override { return inner_->ledAccepts(ledNumber); }
  bool answerBox(const platform::BoxRequest&, int*) override { return false; }
  bool answerFileDialog(HWND owner, std::u16string* path, bool* chosen) override {
    return inner_->answerFileDialog(owner, path, chosen);
  }
  void titleChanged(const std::u16string& title) override { inner_->titleChanged(title); }

 private:
  platform::Backend* inner_ = nullptr;
};

// Commands (WM_COMMAND low words) and timer ticks the main window got.
struct MainWindowLog {
  std::vector<int> commands;
  int ticks = 0;
};
MainWindowLog& mainLog();

// A shown top-level window like the game's main window, below the title bar, dark grey.
HWND createMainWindow();

}  // namespace shell_test
