// Windows of the tests' own procedures on the headless platform, and where the tests' screenshots
// go: the build folder, never the folder the tests run from.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace test_windows {

// Registers the class (again after a start: refused, fine) and makes a window of it. A top-level
// window given CW_USEDEFAULT takes the place below the title bar, as the game's main window.
inline HWND create(LPCWSTR className, WNDPROC proc, DWORD style, int x, int y, int width, int height,
                   HWND parent = nullptr, int id = 0, int background = BLACK_BRUSH) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(background));
  wc.lpszClassName = className;
  RegisterClassW(&wc);
  return CreateWindowExW(0, className, u"", style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

inline std::string screenshotPath(const std::string& name) {
  std::filesystem::create_directories(TEST_OUTPUT_DIR);
  return (std::filesystem::path(TEST_OUTPUT_DIR) / name).string();
}

}  // namespace test_windows
