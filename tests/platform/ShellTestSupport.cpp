#include "ShellTestSupport.h"

#include <filesystem>

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
  WNDCLASSW wc{};
  wc.lpfnWndProc = mainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
  wc.lpszClassName = u"ShellTestMain";
  RegisterClassW(&wc);
  return CreateWindowExW(0, u"ShellTestMain", u"Shell test", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::string screenshotPath(const std::string& name) {
  std::filesystem::create_directories("shell-screenshots");
  return (std::filesystem::current_path() / "shell-screenshots" / name).string();
}

}  // namespace shell_test
