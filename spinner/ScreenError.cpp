#include "spinner/ScreenError.h"

void reportUnsupportedScreen(const WCHAR* where, int width, int height) {
  WCHAR text[128];
  StringCchPrintfW(text, sizeof(text) / sizeof(text[0]),
                   TEXT("resolution not supported.\n%s\n(rc.right=%d, rc.bottom=%d)"), where, width, height);
  if (MessageBoxW(NULL, text, TEXT("Error"), MB_OK | MB_ICONERROR) == IDOK) PostQuitMessage(0);
}
