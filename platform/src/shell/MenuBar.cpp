// The soft-key menu bar along the bottom of the screen (SHCreateMenuBar): two keys whose labels
// come from the string table; a plain key sends its command, a drop-down key opens its menu.
#include "shell/Dialog.h"
#include "shell/Menu.h"
#include "shell/Shell.h"

#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"
#include "services/Resources.h"

#include <aygshell.h>

#include <map>

namespace platform::shell {

namespace {

constexpr WCHAR MenuBarClass[] = u"platform.menubar";
constexpr size_t ButtonWords = 7;  // image, command, state, style, label, reserved, sub-menu

struct SoftKey {
  UINT command = 0;
  bool enabled = true;
  bool dropDown = false;
  int subMenu = -1;
  std::u16string label;
};

struct MenuBar {
  HWND parent = nullptr;
  std::vector<SoftKey> keys;  // the left key, then the right one
  std::vector<MenuItem> menu;
  int pressed = -1;  // the key under the stylus, or open
};

constinit core::NeverDestroyed<std::map<HWND, MenuBar>> bars;

// The key under a point of the bar: the left half holds the first key, the right half the second.
int keyAt(const MenuBar& bar, LPARAM lParam) {
  const int x = static_cast<SHORT>(LOWORD(lParam));
  const int index = x < screenWidth() / 2 ? 0 : 1;
  return index < static_cast<int>(bar.keys.size()) ? index : -1;
}

void paint(HWND hwnd, const MenuBar& bar) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  const int w = screenWidth();
  const int h = barHeight();
  fillRect(hdc, RECT{0, 0, w, h}, colours::Bar);
  HFONT font = createShellFont(scaled(11), true);
  for (size_t i = 0; i < bar.keys.size() && i < 2; ++i) {
    const RECT half{i == 0 ? 0 : w / 2, 0, i == 0 ? w / 2 : w, h};
    if (static_cast<int>(i) == bar.pressed) fillRect(hdc, half, colours::BarPressed);
    const SoftKey& key = bar.keys[i];
    drawText(hdc, key.label, half, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, font,
             key.enabled ? colours::BarText : colours::Separator);
  }
  fillRect(hdc, RECT{0, 0, w, 1}, colours::BarEdge);
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  EndPaint(hwnd, &ps);
}

void setPressed(HWND hwnd, MenuBar& bar, int key) {
  if (bar.pressed == key) return;
  bar.pressed = key;
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
}

// A key's action: its command to the bar's window, or its menu and then the chosen command.
void press(HWND hwnd, int index, bool byKey) {
  auto found = bars->find(hwnd);
  if (found == bars->end() || index < 0 || index >= static_cast<int>(found->second.keys.size())) return;
  const SoftKey key = found->second.keys[index];
  const HWND parent = found->second.parent;
  if (!key.enabled) return;
  UINT command = key.command;
  if (key.dropDown && key.subMenu >= 0 && key.subMenu < static_cast<int>(found->second.menu.size())) {
    const std::vector<MenuItem> items = found->second.menu[key.subMenu].items;
    setPressed(hwnd, found->second, index);
    PopupPlace place;
    place.bottom = screenHeight() - barHeight();
    if (index == 0) {
      place.left = 0;
    } else {
      place.right = screenWidth();
    }
    command = trackPopupMenu(items, place, byKey);
    auto still = bars->find(hwnd);
    if (still != bars->end()) setPressed(hwnd, still->second, -1);
  }
  if (command && IsWindow(parent)) SendMessageW(parent, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

LRESULT CALLBACK menuBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto found = bars->find(hwnd);
  if (found == bars->end()) return DefWindowProcW(hwnd, message, wParam, lParam);
  MenuBar& bar = found->second;
  switch (message) {
    case WM_PAINT:
      paint(hwnd, bar);
      return 0;
    case WM_LBUTTONDOWN:
      setPressed(hwnd, bar, keyAt(bar, lParam));
      return 0;
    case WM_LBUTTONUP: {
      // A key acts when the stylus leaves it where it went down.
      const int pressed = bar.pressed;
      setPressed(hwnd, bar, -1);
      if (pressed >= 0 && pressed == keyAt(bar, lParam)) press(hwnd, pressed, false);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_F1) press(hwnd, 0, true);
      if (wParam == VK_F2) press(hwnd, 1, true);
      return 0;
    case WM_DESTROY:
      if (softKeyWindow() == hwnd) setSoftKeyWindow(nullptr);
      bars->erase(found);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The keys of the RCDATA menu bar description and its menu; false when it is damaged.
bool readDescription(UINT id, MenuBar& bar) {
  const resources::ResourceEntry* entry = resources::find(MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!entry) return false;
  auto word = [&](size_t index) { return resources::readWord(entry->data, index * 2); };
  auto menuId = word(0);
  auto count = word(1);
  if (!menuId || !count) return false;
  for (size_t i = 0; i < *count; ++i) {
    const size_t base = 2 + i * ButtonWords;
    auto command = word(base + 1);
    auto state = word(base + 2);
    auto style = word(base + 3);
    auto label = word(base + 4);
    auto subMenu = word(base + 6);
    if (!subMenu) return false;
    SoftKey key;
    key.command = *command;
    key.enabled = (*state & TBSTATE_ENABLED) != 0;
    key.dropDown = (*style & TBSTYLE_DROPDOWN) != 0;
    key.subMenu = *subMenu == NOMENU ? -1 : *subMenu;
    key.label = resources::loadString(*label).value_or(u"");
    bar.keys.push_back(std::move(key));
  }
  if (const auto* menu = resources::find(MAKEINTRESOURCEW(*menuId), RT_MENU)) {
    if (auto items = parseMenu(menu->data)) bar.menu = std::move(*items);
  }
  return true;
}

HWND createBar(HWND parent, MenuBar bar) {
  registerShellClass(MenuBarClass, menuBarProc);
  bar.parent = parent;
  HWND hwnd = CreateWindowExW(WS_EX_PLATFORM | WS_EX_TOPMOST | WS_EX_NOACTIVATE, MenuBarClass, u"", WS_POPUP, 0,
                              screenHeight() - barHeight(), screenWidth(), barHeight(), parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  (*bars)[hwnd] = std::move(bar);
  ShowWindow(hwnd, SW_SHOW);
  setSoftKeyWindow(hwnd);
  return hwnd;
}

}  // namespace

HWND createEmptyMenuBar(HWND parent) { return createBar(parent, MenuBar{}); }

}  // namespace platform::shell

using namespace platform::shell;

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  if (!platform::requireUiThread()) return FALSE;
  if (!info || !info->hwndParent || !IsWindow(info->hwndParent)) return FALSE;
  info->hwndMB = nullptr;
  ensureTitleBar();
  MenuBar bar;
  if (!(info->dwFlags & SHCMBF_EMPTYBAR) && !readDescription(info->nToolBarId, bar)) return FALSE;
  HWND hwnd = createBar(info->hwndParent, std::move(bar));
  if (!hwnd) return FALSE;
  if (info->dwFlags & SHCMBF_HIDDEN) ShowWindow(hwnd, SW_HIDE);
  info->hwndMB = hwnd;
  return TRUE;
}
