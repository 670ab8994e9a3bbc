// The window manager under test on a back end of its own: a clock the test steps, no script,
// and the trace kept in memory.
#pragma once

#include "PlatformInternal.h"
#include "PlatformTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace core_test {

class FakeBackend : public platform::Backend {
 public:
  uint32_t clock = 0;
  int idleCalls = 0;
  // Runs when the queue has nothing ready; by default the clock jumps to the next deadline.
  std::function<void(uint32_t deadline)> onIdle;

  uint32_t now() override { return clock; }
  void idle(uint32_t deadline) override {
    ++idleCalls;
    if (onIdle) {
      onIdle(deadline);
      return;
    }
    if (deadline == platform::NoDeadline) {
      ADD_FAILURE() << "the queue waits with nothing to wait for";
      PostQuitMessage(-1);
      return;
    }
    if (deadline > clock) clock = deadline;
  }
  void screenChanged(const RECT&) override {}
  void sleep(uint32_t milliseconds) override { clock += milliseconds; }
  bool startThread(LPTHREAD_START_ROUTINE, void*) override { return false; }
  void beep(UINT) override {}
  void ledChanged(const NLED_SETTINGS_INFO&) override {}
  void backlightChanged(bool) override {}
  bool ledAccepts(UINT) override { return true; }
  bool answerBox(const platform::BoxRequest&, int* answer) override {
    *answer = IDOK;
    return true;
  }
  bool answerFileDialog(HWND, std::u16string*, bool* chosen) override {
    *chosen = false;
    return true;
  }
  void titleChanged(const std::u16string& title) override { lastTitle = title; }

  std::u16string lastTitle;
};

// A window class whose procedure hands every message to the test's function of the moment.
class Recorder {
 public:
  using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

  static void registerClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Recorder::proc;
    wc.lpszClassName = u"CoreRecorder";
    RegisterClassW(&wc);
  }
  static Handler& handler() {
    static Handler h;
    return h;
  }

 private:
  static LRESULT proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handler()) return handler()(hwnd, message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
};

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Options options;
    options.screenWidth = 480;
    options.screenHeight = 800;
    options.headless = true;
    platform::start(options, &backend());
    Recorder::handler() = nullptr;
    Recorder::registerClass();
    openTrace();
  }

  void TearDown() override {
    platform::setTraceOutput(nullptr);
    Recorder::handler() = nullptr;
    std::fclose(traceFile);
    std::free(traceData);
    // Later tests find the headless platform as the program's start-up left it.
    platform_test::start();
  }

  std::string takeTrace() {
    std::fflush(traceFile);
    std::string text(traceData, traceSize);
    std::fclose(traceFile);
    std::free(traceData);
    openTrace();
    return text;
  }

  // The back end the platform starts on; a test may stand another in its place.
  virtual platform::Backend& backend() { return fake; }

  // Handles everything ready without waiting; returns false when the quit request came.
  bool pump(int* exitCode = nullptr) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        if (exitCode) *exitCode = static_cast<int>(msg.wParam);
        return false;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return true;
  }

  void openTrace() {
    traceFile = open_memstream(&traceData, &traceSize);
    platform::setTraceOutput(traceFile);
  }

  FakeBackend fake;
  std::FILE* traceFile = nullptr;
  char* traceData = nullptr;
  size_t traceSize = 0;
};

inline HWND makeWindow(DWORD style, int x, int y, int width, int height, HWND parent = nullptr, int id = 0,
                       LPCWSTR title = u"", DWORD exStyle = 0) {
  return CreateWindowExW(exStyle, u"CoreRecorder", title, style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

// "left top right bottom": a failed comparison shows the whole rectangle.
inline std::string corners(const RECT& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
         std::to_string(r.bottom);
}

}  // namespace core_test
