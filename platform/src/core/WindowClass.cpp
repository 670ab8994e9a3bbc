// Window classes: a name (compared without regard to ASCII case), a procedure and a background.
#include "PlatformInternal.h"
#include "WindowManager.h"
#include "core/NeverDestroyed.h"

#include <vector>

namespace platform::core {

namespace {

// Atoms start where the phone's string atoms do, so they never look like a small resource id
// of zero and stay apart from the built-in classes' numbers.
constexpr ATOM FirstAtom = 0xC000;

constinit NeverDestroyed<std::vector<WindowClass>> classes;  // index = atom - FirstAtom; a free entry has no procedure

char16_t lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool sameName(const std::u16string& a, LPCWSTR b) {
  size_t i = 0;
  for (; b[i]; ++i)
    if (i >= a.size() || lower(a[i]) != lower(b[i])) return false;
  return i == a.size();
}

}  // namespace

const WindowClass* findClass(LPCWSTR nameOrAtom, ATOM* atom) {
  if (!nameOrAtom) return nullptr;
  if (IS_INTRESOURCE(nameOrAtom)) {
    auto value = static_cast<ATOM>(reinterpret_cast<uintptr_t>(nameOrAtom));
    if (value < FirstAtom || value - FirstAtom >= static_cast<int>(classes->size())) return nullptr;
    const WindowClass& found = (*classes)[value - FirstAtom];
    if (!found.proc) return nullptr;
    if (atom) *atom = value;
    return &found;
  }
  for (size_t i = 0; i < classes->size(); ++i) {
    if ((*classes)[i].proc && sameName((*classes)[i].name, nameOrAtom)) {
      if (atom) *atom = static_cast<ATOM>(FirstAtom + i);
      return &(*classes)[i];
    }
  }
  return nullptr;
}

void resetClasses() { classes->clear(); }

}  // namespace platform::core

using namespace platform::core;

ATOM RegisterClassW(const WNDCLASSW* wndClass) {
  if (!platform::requireUiThread()) return 0;
  if (!wndClass || !wndClass->lpfnWndProc || !wndClass->lpszClassName || IS_INTRESOURCE(wndClass->lpszClassName) ||
      !wndClass->lpszClassName[0])
    return 0;
  if (findClass(wndClass->lpszClassName, nullptr)) return 0;
  WindowClass entry;
  entry.name = wndClass->lpszClassName;
  entry.proc = wndClass->lpfnWndProc;
  entry.background = wndClass->hbrBackground;
  entry.style = wndClass->style;
  for (size_t i = 0; i < classes->size(); ++i) {
    if (!(*classes)[i].proc) {
      (*classes)[i] = entry;
      return static_cast<ATOM>(FirstAtom + i);
    }
  }
  if (classes->size() >= 0x3FFF) return 0;
  classes->push_back(entry);
  return static_cast<ATOM>(FirstAtom + classes->size() - 1);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  if (!platform::requireUiThread()) return FALSE;
  ATOM atom = 0;
  if (!findClass(className, &atom) || classHasWindows(atom)) return FALSE;
  (*classes)[atom - FirstAtom] = WindowClass{};
  return TRUE;
}
