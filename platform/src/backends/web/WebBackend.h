// The back end of the game in a browser's page: the phone's screen on the page's canvas, the
// real clock, the pointer and keys as stylus and keys, the desktop's beeps through WebAudio,
// the vibration LED as navigator.vibrate, the backlight as a screen wake lock, the browser's
// file chooser, another tab of the page as another instance of the program. One thread: waits
// give way to the browser through Asyncify, and the workers are fibers on it (FiberWorkers.h).
#pragma once

#include "Backend.h"
#include "PlatformInternal.h"
#include "backends/shared/LampStrip.h"
#include "backends/shared/ShownScreen.h"
#include "backends/fibers/FiberWorkers.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::web {

class WebBackend final : public Backend {
 public:
  bool open(const Options& options, std::string* error);

  uint32_t now() override;
  void idle(uint32_t deadline) override;
  void screenChanged(const RECT& rect) override;
  void sleep(uint32_t milliseconds) override;
  bool startThread(LPTHREAD_START_ROUTINE start, void* parameter) override;
  void finishWorkers() override;
  void beep(UINT type) override;
  void ledChanged(const NLED_SETTINGS_INFO& settings) override;
  void backlightChanged(bool held) override;
  bool ledAccepts(UINT ledNumber) override;
  bool answerBox(const BoxRequest& request, int* answer) override;
  bool answerFileDialog(HWND owner, std::u16string* path, bool* chosen) override;
  ChooserResult chooseFile(const FileChooserRequest& request, std::string* hostPath) override;
  void titleChanged(const std::u16string& title) override;
  std::string programPath() override;
  bool callOnUiThread(const std::function<void()>& work) override;
  bool findOtherInstance(LPCWSTR className, LPCWSTR title) override;
  bool raiseOtherInstance() override;
  void ended(int exitCode) override;

 private:
  // Puts the changed part of the screen on the canvas, and the lamp strip beside it when a lamp
  // changed.
  void present();
  void presentLamps();
  // Puts 0x00RRGGBB pixels on the canvas at (x, y): the lamp strip's.
  void put(const gdi::PixelBuffer& pixels, const RECT& part, int x, int y);
  // Fills the canvas's columns x .. x + width - 1 with the page's black.
  void putGround(int x, int width, int height);
  // Hands the page's queued input to the platform; true when there was any.
  bool deliverInput();
  // Closes the game as the phone closes an application.
  void closeGame();
  // Waits on the real clock until `until`, the workers that fall due running on the way; the
  // page's input waits in its queue.
  void sleepUntil(uint32_t until);

  double start_ = 0;
  FiberWorkers workers_;
  RECT dirty_{0, 0, 0, 0};
  present::ShownScreen shown_;
  std::vector<RECT> changed_;   // the parts of the last present that differed from the canvas
  std::vector<uint32_t> rgba_;  // what the canvas is given beside the screen: R, G, B, A bytes
  int screenWidth_ = 0;
  std::unique_ptr<lamps::LampStrip> lamps_;  // --leds: the strip right of the screen
  int stripWidth_ = 0;
  std::vector<bool> lampsShown_;
  int shift_ = 0;  // how far the shaking screen stands from its place now
  // The file chooser's answer: 0 none yet, 1 chosen, 2 cancelled.
  int chooserAnswer_ = 0;
};

}  // namespace platform::web
