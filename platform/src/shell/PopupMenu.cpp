// The pop-up menu of a soft key: drawn above the menu bar, chosen by stylus or keys.
#include "shell/Menu.h"

#include "PlatformInternal.h"
#include "shell/Shell.h"

#include <algorithm>

namespace platform::shell {

namespace {

constexpr WCHAR PopupClass[] = u"platform.popupmenu";

struct Popup {
  const std::vector<MenuItem>* items = nullptr;
  std::vector<RECT> itemAreas;  // client coordinates
  int selected = -1;
  bool tracking = false;  // the stylus went down inside
  bool done = false;
  UINT chosen = 0;
};

Popup* shownPopup = nullptr;

int itemHeight() { return scaled(20); }
int separatorHeight() { return scaled(7); }
int padding() { return scaled(8); }

bool selectable(const MenuItem& item) { return !item.separator && !item.grayed && !item.popup(); }

void choose(Popup& popup, int index) {
  if (index < 0 || index >= static_cast<int>(popup.items->size())) return;
  const MenuItem& item = (*popup.items)[index];
  if (!selectable(item)) return;
  popup.chosen = item.command;
  popup.done = true;
}

void moveSelection(HWND hwnd, Popup& popup, int step) {
  const int count = static_cast<int>(popup.items->size());
  int index = popup.selected;
  for (int tries = 0; tries < count; ++tries) {
    index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
    if (selectable((*popup.items)[index])) {
      popup.selected = index;
      InvalidateRect(hwnd, nullptr, FALSE);
      return;
    }
  }
}

int itemAt(const Popup& popup, LPARAM lParam) {
  const POINT point{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
  for (size_t i = 0; i < popup.itemAreas.size(); ++i) {
    if (PtInRect(&popup.itemAreas[i], point)) return static_cast<int>(i);
  }
  return -1;
}

void paint(HWND hwnd, const Popup& popup) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  fillRect(hdc, client, colours::Window);
  frameRect(hdc, client, colours::Frame);
  HFONT font = createShellFont(scaled(10), false);
  for (size_t i = 0; i < popup.items->size(); ++i) {
    const MenuItem& item = (*popup.items)[i];
    RECT area = popup.itemAreas[i];
    if (item.separator) {
      const int middle = (area.top + area.bottom) / 2;
      fillRect(hdc, RECT{area.left + padding() / 2, middle, area.right - padding() / 2, middle + 1},
               colours::Separator);
      continue;
    }
    const bool selected = static_cast<int>(i) == popup.selected;
    if (selected) fillRect(hdc, area, colours::Highlight);
    area.left += padding();
    area.right -= padding();
    const COLORREF colour =
        selected ? colours::HighlightText : (item.grayed ? colours::Separator : colours::WindowText);
    // Without DT_NOPREFIX the mnemonic letter comes out underlined.
    drawText(hdc, item.text, area, DT_LEFT | DT_VCENTER | DT_SINGLELINE, font, colour);
  }
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK popupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Popup* popup = shownPopup;
  if (!popup) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      paint(hwnd, *popup);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
      if (message == WM_LBUTTONDOWN) popup->tracking = true;
      if (!popup->tracking) return 0;
      const int index = itemAt(*popup, lParam);
      const int selected = index >= 0 && selectable((*popup->items)[index]) ? index : -1;
      if (selected != popup->selected) {
        popup->selected = selected;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    }
    case WM_LBUTTONUP:
      if (popup->tracking) choose(*popup, itemAt(*popup, lParam));
      popup->tracking = false;
      return 0;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_UP:
          moveSelection(hwnd, *popup, -1);
          break;
        case VK_DOWN:
          moveSelection(hwnd, *popup, 1);
          break;
        case VK_RETURN:
          choose(*popup, popup->selected);
          break;
        case VK_ESCAPE:
        case VK_F1:
        case VK_F2:
          popup->done = true;
          break;
        default:
          for (size_t i = 0; i < popup->items->size(); ++i) {
            const MenuItem& item = (*popup->items)[i];
            if (selectable(item) && mnemonicOf(item.text) == static_cast<char16_t>(wParam)) {
              choose(*popup, static_cast<int>(i));
              break;
            }
          }
      }
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Sizes the menu to its widest item and stacks the items from the top.
RECT layout(Popup& popup, const PopupPlace& place) {
  HFONT font = createShellFont(scaled(10), false);
  int width = screenWidth() / 3;
  int y = 1;  // below the frame
  for (const MenuItem& item : *popup.items) {
    if (!item.separator) width = std::max<int>(width, measureText(font, item.text, 0).cx + 2 * padding());
    const int itemTop = y;
    y += item.separator ? separatorHeight() : itemHeight();
    popup.itemAreas.push_back(RECT{1, itemTop, 0, y});
  }
  const int height = y + 1;
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  width = std::min(width, screenWidth());
  for (RECT& area : popup.itemAreas) area.right = width - 1;
  const int left = place.left >= 0 ? place.left : std::max(0, place.right - width);
  const int top = std::max(0, place.bottom - height);
  return RECT{left, top, left + width, top + height};
}

}  // namespace

UINT trackPopupMenu(const std::vector<MenuItem>& items, const PopupPlace& place, bool byKey) {
  if (items.empty()) return 0;
  registerShellClass(PopupClass, popupProc);
  Popup popup;
  popup.items = &items;
  const RECT rect = layout(popup, place);
  Popup* outer = shownPopup;
  shownPopup = &popup;
  HWND hwnd = CreateWindowExW(WS_EX_PLATFORM | WS_EX_TOPMOST | WS_EX_NOACTIVATE, PopupClass, u"", WS_POPUP | WS_VISIBLE,
                              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) {
    shownPopup = outer;
    return 0;
  }
  if (byKey) moveSelection(hwnd, popup, 1);
  {
    ModalScope scope(nullptr, hwnd, nullptr);
    ModalLoop loop;
    loop.inputWindows = {hwnd};
    loop.keyTarget = hwnd;
    loop.finished = [&] { return popup.done || !IsWindow(hwnd); };
    // A tap anywhere else closes the menu and goes no further, as on the phone.
    loop.blockedStylus = [&](const MSG& msg) {
      if (msg.message == WM_LBUTTONDOWN) popup.done = true;
    };
    runModalLoop(loop);
  }
  DestroyWindow(hwnd);
  shownPopup = outer;
  return popup.chosen;
}

}  // namespace platform::shell
