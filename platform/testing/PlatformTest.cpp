#include "PlatformTest.h"

#include "PlatformInternal.h"
#include "backends/headless/HeadlessBackend.h"
#include "backends/headless/VirtualClock.h"
#include "backends/headless/WorkerScheduler.h"
#include "services/KernelObjects.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace platform_test {

namespace {

platform::HeadlessBackend* current = nullptr;

// The trace goes into memory and is read back by takeTrace().
struct TraceBuffer {
  std::FILE* file = nullptr;
  char* data = nullptr;
  size_t size = 0;

  void open() {
    close();
    file = open_memstream(&data, &size);
    platform::setTraceOutput(file);
  }
  void close() {
    if (!file) return;
    platform::setTraceOutput(nullptr);
    std::fclose(file);
    std::free(data);
    file = nullptr;
    data = nullptr;
    size = 0;
  }
  std::string take() {
    if (!file) return {};
    std::fflush(file);
    std::string text(data, size);
    open();
    return text;
  }
};

TraceBuffer& traceBuffer() {
  static TraceBuffer* buffer = new TraceBuffer;
  return *buffer;
}

platform::HeadlessBackend& backend() {
  if (!current) start();
  return *current;
}

[[noreturn]] void misuse(const std::string& message) {
  std::fprintf(stderr, "platform_test: %s\n", message.c_str());
  std::abort();
}

void press(const std::string& name) {
  std::vector<platform::ScriptStep> steps;
  if (!platform::keySteps(name, &steps)) misuse("unknown key name '" + name + "'");
  for (const auto& step : steps) {
    platform::input::key(step.virtualKey, step.kind == platform::ScriptStep::Kind::KeyDown);
    pump();
  }
}

}  // namespace

void start(const Config& config) {
  if (platform::started()) platform::resetWindowManager();
  platform::forgetThreadHandles();
  platform::forgetPowerRequirements();

  platform::Options options;
  options.screenWidth = config.width;
  options.screenHeight = config.height;
  options.modelGiven = true;
  options.model = platform::utf16(config.model);
  options.headless = true;
  options.refuseLeds = config.refuseLeds;

  traceBuffer().open();
  platform::WorkerScheduler::instance().reset();
  platform::HeadlessBackend* previous = current;
  current = new platform::HeadlessBackend(options, {}, platform::HeadlessBackend::ScriptEnd::AbortTest);
  platform::start(options, current);
  delete previous;
}

bool pump(int* exitCode) {
  MSG msg;
  for (;;) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        if (exitCode) *exitCode = int(msg.wParam);
        return false;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else if (!backend().runDueWorkers()) {
      return true;
    }
  }
}

bool wait(uint32_t milliseconds, int* exitCode) {
  uint32_t end = platform::addMilliseconds(now(), milliseconds);
  for (;;) {
    if (!pump(exitCode)) return false;
    if (now() >= end) return true;
    uint32_t until = std::min(platform::nextTimerDeadline(), end);
    if (until <= now()) until = end;
    backend().advanceTo(until);
  }
}

uint32_t now() { return backend().now(); }

void down(int x, int y) {
  platform::input::stylusDown(x, y);
  pump();
}

void up(int x, int y) {
  platform::input::stylusUp(x, y);
  pump();
}

void tap(int x, int y) {
  down(x, y);
  up(x, y);
}

void key(const std::string& name) { press(name); }

void answer(const std::string& button) {
  int code = platform::answerCode(button);
  if (!code) misuse("unknown answer '" + button + "'");
  backend().queueAnswer(code);
}

void choose(const std::string& path) { backend().queueChoice(platform::utf16(path)); }

void chooseCancel() { backend().queueChoiceCancel(); }

bool script(const std::string& lines) {
  std::vector<platform::ScriptStep> steps;
  std::string error;
  if (!platform::parseScript(lines, "script", platform::screenWidth(), platform::screenHeight(), &steps, &error)) {
    std::fprintf(stderr, "platform_test::script: %s\n", error.c_str());
    return false;
  }
  backend().appendSteps(steps);
  return true;
}

std::string takeTrace() { return traceBuffer().take(); }

uint32_t pixel(int x, int y) {
  const platform::gdi::SurfacePtr& surface = platform::screenSurface();
  if (surface == nullptr || x < 0 || y < 0 || x >= surface->width() || y >= surface->height())
    misuse("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is off the screen");
  return surface->pixels().row(y)[x] & 0xFFFFFF;
}

bool screenshot(const std::string& path) {
  std::string error;
  if (platform::writeScreenshot(path, &error)) return true;
  std::fprintf(stderr, "platform_test::screenshot: %s\n", error.c_str());
  return false;
}

Counts liveObjects() {
  platform::gdi::ObjectCounts counts = platform::gdi::liveObjects();
  return {counts.pens, counts.brushes, counts.fonts, counts.bitmaps, counts.deviceContexts};
}

}  // namespace platform_test
