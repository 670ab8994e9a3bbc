// The back end of the desktop program: the phone's screen in an SDL window, the real clock,
// the mouse, touch screen and keyboard as stylus and keys, beeps through SDL audio, the backlight
// as the screen saver's hold, and the LEDs as a lamp strip (--leds).
#pragma once

#include "Backend.h"
#include "PlatformInternal.h"
#include "backends/sdl/InstanceLink.h"
#include "backends/shared/LampStrip.h"
#include "backends/sdl/SdlAudio.h"
#include "backends/sdl/SdlInput.h"
#include "backends/sdl/SdlPresenter.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace platform::sdl {

class SdlBackend final : public Backend {
 public:
  SdlBackend();
  ~SdlBackend() override;

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
  void wake() override;
  bool findOtherInstance(LPCWSTR className, LPCWSTR title) override;
  bool raiseOtherInstance() override;

 private:
  int64_t nowMicros() const;
  // Waits for an event until `until` (microseconds; -1: no limit). True when one came.
  bool waitForEvent(int64_t until, SDL_Event* event);
  void handle(const SDL_Event& event);
  void closeActiveWindow();
  void present();
  // One line of VORTELLE_TICK_LOG; a line that cannot be written ends the run.
  void logTick(const char* event, int64_t micros);
  // Holds the instance's name for later instances, or finds that an earlier one holds it.
  void joinDesktop(const Options& options);
  void pushEvent(uint32_t type);
  void raiseWindow();

  // Declared first so that it ends last, after the window and the audio device.
  struct VideoSubsystem {
    bool started = false;
    ~VideoSubsystem();
  } video_;
  std::chrono::steady_clock::time_point start_;
  Presenter presenter_;
  InputTranslator input_{presenter_};
  std::unique_ptr<lamps::LampStrip> lamps_;
  BeepPlayer beeps_;
  uint32_t wakeEvent_ = 0;
  uint32_t terminateEvent_ = 0;
  uint32_t raiseEvent_ = 0;  // a later instance asked this one to come forward
  std::atomic<bool> wakePending_{false};
  bool terminating_ = false;
  HWND lastClosed_ = nullptr;
  bool iconTried_ = false;
  bool firstFrameLogged_ = false;
  std::FILE* tickLog_ = nullptr;  // VORTELLE_TICK_LOG: how late each timer wake was
  bool refuseLeds_ = false;       // --refuse-leds
  std::unique_ptr<InstanceLink> instance_;
};

}  // namespace platform::sdl
