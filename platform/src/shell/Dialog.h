// Modal dialogs built from templates: their font, their units and their static controls.
#pragma once

#include "shell/DialogTemplate.h"

#include <windows.h>

namespace platform::shell {

// The screen's density: 192 DPI on the 480-pixel screens, 128 on the smaller ones.
int screenDpi();

// The dialog font of a template and the pixels its dialog units stand for.
struct DialogUnits {
  LOGFONTW font{};
  int baseX = 0;  // pixels per 4 horizontal units
  int baseY = 0;  // pixels per 8 vertical units
  int x(int units) const;
  int y(int units) const;
};
DialogUnits dialogUnits(const DialogTemplate& dialog);

// Creates the static control of a template item as a child of `dialog` (pixel rectangle).
HWND createStaticControl(HWND dialog, const DialogItem& item, const RECT& rect, const LOGFONTW& font);

// An empty menu bar for a dialog (SHInitDialog's SHIDIF_EMPTYMENU).
HWND createEmptyMenuBar(HWND parent);

}  // namespace platform::shell
