#include "backends/sdl/SdlBackend.h"

#include "backends/sdl/DesktopFileChooser.h"
#include "backends/sdl/ScreenAwake.h"
#include "backends/sdl/TerminationSignal.h"
#include "backends/sdl/WindowIcon.h"
#include "core/UiThreadCalls.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <condition_variable>
#include <mutex>
#include <string>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

#include <unistd.h>

namespace platform {

namespace sdl {

namespace {

// The clock starts when the back end is first made, before the game's own start-up.
std::chrono::steady_clock::time_point clockStart() {
  static const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  return start;
}

// The workers still running. Never destroyed: a worker may end while the process exits.
struct RunningWorkers {
  std::mutex lock;
  std::condition_variable ended;
  int count = 0;
  int started = 0;  // names the workers w1, w2, ... in order of creation, as in the trace
};
RunningWorkers& runningWorkers() {
  static auto* workers = new RunningWorkers;
  return *workers;
}

// The longest a worker's sequence lasts is a fraction of this.
constexpr std::chrono::milliseconds kWorkerEndWait{2000};

// How long a later instance's question waits for this one's user-interface thread: well inside
// the link's own limit, so the later instance hears "no" rather than nothing.
constexpr std::chrono::milliseconds kAnswerWait{300};

// Drivers SDL falls back to when there is no display: the game would run where nobody sees it.
bool drawsOffScreen(const char* driver) {
  return driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
         std::strcmp(driver, "evdev") == 0;
}

}  // namespace

SdlBackend::SdlBackend() : start_(clockStart()) {}

SdlBackend::~SdlBackend() {
  if (tickLog_ != nullptr) std::fclose(tickLog_);
}

SdlBackend::VideoSubsystem::~VideoSubsystem() {
  if (started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlBackend::open(const Options& options, std::string* error) {
  // SDL's accelerated path runs OpenGL, in software where there is no GPU: drawing straight
  // into the window's surface costs a tenth of it.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Termination signals are ours: they end the game as its EXIT does (TerminationSignal.h).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The screen saver is held off only while the game asks for the backlight.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
  SDL_SetHint(SDL_HINT_APP_NAME, "Vortelle");

  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    *error = std::string("no display: ") + SDL_GetError() + " (set DISPLAY or use --headless)";
    return false;
  }
  video_.started = true;
  if (drawsOffScreen(SDL_GetCurrentVideoDriver())) {
    *error = "no display: set DISPLAY or use --headless";
    return false;
  }
  wakeEvent_ = SDL_RegisterEvents(3);
  if (wakeEvent_ == UINT32_MAX) {
    *error = std::string("cannot register events: ") + SDL_GetError();
    return false;
  }
  terminateEvent_ = wakeEvent_ + 1;
  raiseEvent_ = wakeEvent_ + 2;
  refuseLeds_ = options.refuseLeds;
  if (options.leds) lamps_ = std::make_unique<lamps::LampStrip>();
  if (!presenter_.open(options.screenWidth, options.screenHeight, lamps_.get(), error)) return false;
  watchTerminationSignals(terminateEvent_);
  joinDesktop(options);

  if (const char* path = std::getenv("VORTELLE_TICK_LOG"); path != nullptr && *path != '\0') {
    tickLog_ = std::fopen(path, "w");
    if (tickLog_ == nullptr) {
      *error = std::string("VORTELLE_TICK_LOG: cannot write ") + path + ": " + std::strerror(errno);
      return false;
    }
    std::setvbuf(tickLog_, nullptr, _IOLBF, 0);
  }
  return true;
}

int64_t SdlBackend::nowMicros() const {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_).count();
}

uint32_t SdlBackend::now() { return static_cast<uint32_t>(nowMicros() / 1000); }

bool SdlBackend::waitForEvent(int64_t until, SDL_Event* event) {
  while (true) {
    if (until < 0) return SDL_WaitEvent(event) == 1;
    const int64_t left = until - nowMicros();
    if (left <= 0) return SDL_PollEvent(event) == 1;
    if (left < 1000) {
      // SDL waits in whole milliseconds: the last fraction is slept exactly, so a 20 ms timer
      // neither comes early nor a millisecond late.
      std::this_thread::sleep_for(std::chrono::microseconds(left));
      continue;
    }
    const int64_t ms = std::min<int64_t>(left / 1000, INT_MAX);
    if (SDL_WaitEventTimeout(event, static_cast<int>(ms)) == 1) return true;
  }
}

void SdlBackend::idle(uint32_t deadline) {
  if (!iconTried_) {
    iconTried_ = true;
    setWindowIconFromResources(presenter_.window());
  }
  closeActiveWindow();
  beeps_.closeIfDone(now());
  present();

  // The lamps and the audio device keep time of their own; the caller's deadline is the timer.
  int64_t until = deadline == NoDeadline ? -1 : static_cast<int64_t>(deadline) * 1000;
  uint32_t own = beeps_.closeDeadline();
  if (lamps_ != nullptr) own = std::min(own, lamps_->nextChange(now()));
  bool ownFirst = false;
  if (own != UINT32_MAX && (until < 0 || static_cast<int64_t>(own) * 1000 < until)) {
    until = static_cast<int64_t>(own) * 1000;
    ownFirst = true;
  }

  SDL_Event event;
  if (waitForEvent(until, &event)) {
    do {
      handle(event);
    } while (SDL_PollEvent(&event) == 1);
    closeActiveWindow();
    return;
  }
  if (!ownFirst && tickLog_ != nullptr) logTick("tick", nowMicros() - until);
}

void SdlBackend::present() {
  if (!presenter_.present(screenSurface() ? &screenSurface()->pixels() : nullptr, now()) || firstFrameLogged_) return;
  firstFrameLogged_ = true;
  if (tickLog_ != nullptr) logTick("first-frame", nowMicros());
}

void SdlBackend::logTick(const char* event, int64_t micros) {
  // Line-buffered: a line that can't be written fails here, and ends the run as a trace would.
  errno = 0;
  if (std::fprintf(tickLog_, "%s %lld\n", event, static_cast<long long>(micros)) >= 0 && std::ferror(tickLog_) == 0)
    return;
  complain(std::string(std::getenv("VORTELLE_TICK_LOG")) + ": " + std::strerror(errno != 0 ? errno : EIO));
  leave(OutputFailureExit);
}

void SdlBackend::handle(const SDL_Event& event) {
  if (event.type == wakeEvent_) {
    wakePending_.store(false);
    return;
  }
  if (event.type == terminateEvent_) {
    terminating_ = true;
    return;
  }
  if (event.type == raiseEvent_) {
    raiseWindow();
    return;
  }
  if (input_.deliver(event)) return;
  switch (event.type) {
    case SDL_QUIT:
      // Closing the window presses the left soft key: the game asks its own EXIT question.
      input::key(VK_F1, true);
      input::key(VK_F1, false);
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:  // the new display may have another density
          presenter_.windowResized();
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
          presenter_.damageAll();
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          input_.releaseAll();
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
}

// A termination signal ends the game as the EXIT question's Yes does: the window that is
// active gets WM_CLOSE. A box or dialog in front closes first, then the window behind it.
void SdlBackend::closeActiveWindow() {
  if (!terminating_) return;
  HWND active = activeWindow();
  if (active == nullptr || active == lastClosed_) return;
  lastClosed_ = active;
  PostMessageW(active, WM_CLOSE, 0, 0);
}

void SdlBackend::screenChanged(const RECT& rect) { presenter_.damage(rect.left, rect.top, rect.right, rect.bottom); }

void SdlBackend::sleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

bool SdlBackend::startThread(LPTHREAD_START_ROUTINE start, void* parameter) {
  RunningWorkers& workers = runningWorkers();
  std::string name;
  {
    std::lock_guard<std::mutex> guard(workers.lock);
    ++workers.count;
    name = "w" + std::to_string(++workers.started);
  }
  try {
    std::thread([start, parameter, &workers, name] {
      setThreadName(name.c_str());
      start(parameter);
      std::lock_guard<std::mutex> guard(workers.lock);
      if (--workers.count == 0) workers.ended.notify_all();
    }).detach();
    return true;
  } catch (const std::system_error&) {
    std::lock_guard<std::mutex> guard(workers.lock);
    --workers.count;
    return false;
  }
}

void SdlBackend::finishWorkers() {
  RunningWorkers& workers = runningWorkers();
  std::unique_lock<std::mutex> guard(workers.lock);
  workers.ended.wait_for(guard, kWorkerEndWait, [&workers] { return workers.count == 0; });
}

void SdlBackend::beep(UINT type) {
  beeps_.play(type, now());
  if (!onUiThread()) wake();  // the device's closing time moved
}

void SdlBackend::ledChanged(const NLED_SETTINGS_INFO& settings) {
  if (lamps_ == nullptr) return;
  lamps_->set(settings.LedNum, settings.OffOnBlink, settings.OnTime, settings.OffTime, now());
  wake();
}

void SdlBackend::backlightChanged(bool held) { holdScreenAwake(held); }

bool SdlBackend::ledAccepts(UINT) { return !refuseLeds_; }

bool SdlBackend::answerBox(const BoxRequest&, int*) { return false; }

bool SdlBackend::answerFileDialog(HWND, std::u16string*, bool*) { return false; }

ChooserResult SdlBackend::chooseFile(const FileChooserRequest& request, std::string* hostPath) {
  ChooserResult result = choosePortal(request, hostPath);
  if (result == ChooserResult::Unavailable) result = chooseZenity(request, hostPath);
  if (result == ChooserResult::Unavailable)
    complain("no file chooser: neither the desktop portal nor zenity is available; the picture stays as it was");
  return result;
}

void SdlBackend::titleChanged(const std::u16string& title) {
  SDL_SetWindowTitle(presenter_.window(), title.empty() ? "Vortelle" : utf8(title).c_str());
}

void SdlBackend::wake() {
  // One wake event in the queue is enough, however many posts there were.
  if (wakePending_.exchange(true)) return;
  SDL_Event event{};
  event.type = wakeEvent_;
  if (SDL_PushEvent(&event) != 1) wakePending_.store(false);
}

void SdlBackend::pushEvent(uint32_t type) {
  SDL_Event event{};
  event.type = type;
  SDL_PushEvent(&event);
}

void SdlBackend::joinDesktop(const Options& options) {
  const bool wayland = std::strcmp(SDL_GetCurrentVideoDriver(), "wayland") == 0;
  const char* display = std::getenv(wayland ? "WAYLAND_DISPLAY" : "DISPLAY");
  instance_ = std::make_unique<InstanceLink>(
      instanceName(geteuid(), display ? display : "", options.screenWidth, options.screenHeight));
  InstanceLink::Answers answers;
  // The window manager belongs to this thread: the question waits for it here, briefly, and
  // finds nothing when this instance is too busy to look (the later one then runs alone).
  answers.hasWindow = [](const std::optional<std::u16string>& className, const std::optional<std::u16string>& title) {
    bool found = false;
    const std::function<void()> look = [&] {
      found = FindWindowW(className ? className->c_str() : nullptr, title ? title->c_str() : nullptr) != nullptr;
    };
    core::UiThreadCall call(look);
    if (call.queue()) call.waitFor(kAnswerWait);
    return found;
  };
  answers.raise = [this] { pushEvent(raiseEvent_); };
  instance_->listen(std::move(answers));
}

bool SdlBackend::findOtherInstance(LPCWSTR className, LPCWSTR title) {
  if (instance_ == nullptr) return false;
  auto text = [](LPCWSTR p) { return p ? std::optional<std::u16string>(p) : std::nullopt; };
  return instance_->findWindow(text(className), text(title));
}

bool SdlBackend::raiseOtherInstance() { return instance_ != nullptr && instance_->raise(); }

void SdlBackend::raiseWindow() {
  SDL_Window* window = presenter_.window();
  if ((SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0) SDL_RestoreWindow(window);
  SDL_RaiseWindow(window);
}

}  // namespace sdl

Backend* createWindowBackend(const Options& options, std::string* error) {
  auto backend = std::make_unique<sdl::SdlBackend>();
  if (!backend->open(options, error)) return nullptr;
  return backend.release();
}

}  // namespace platform
