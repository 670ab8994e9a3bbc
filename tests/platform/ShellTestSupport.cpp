#include "ShellTestSupport.h"

#include "TestWindows.h"

namespace shell_test {

namespace {

LRESULT CALLBACK mainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      mainLog().commands.push_back(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      ++mainLog().ticks;
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

MainWindowLog& mainLog() {
  static MainWindowLog log;
  return log;
}

HWND createMainWindow() {
  mainLog() = MainWindowLog{};
  return test_windows::create(u"ShellTestMain", mainProc, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, 0, DKGRAY_BRUSH);
}

}  // namespace shell_test
