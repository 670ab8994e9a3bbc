#include "device/ScreenSize.h"

#include <windows.h>

ScreenSize readScreenSize() {
  RECT rc = {0, 0, 0, 0};
  GetWindowRect(GetDesktopWindow(), &rc);
  ScreenSize size = {rc.right, rc.bottom};
  return size;
}
