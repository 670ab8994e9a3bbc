// The static controls of dialogs: text (left or centred), an icon or a bitmap.
#include "shell/Dialog.h"

#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"
#include "services/Icons.h"
#include "shell/Shell.h"

#include <map>

namespace platform::shell {

namespace {

constexpr WCHAR StaticClass[] = u"platform.static";
constexpr DWORD StaticTypeMask = 0x1F;
// Text types the public header leaves out; templates may still carry them.
constexpr DWORD StaticRight = 0x02;
constexpr DWORD StaticSimple = 0x0B;
constexpr DWORD StaticLeftNoWordWrap = 0x0C;

struct StaticControl {
  DWORD style = 0;
  LOGFONTW font{};
  HICON icon = nullptr;
  HBITMAP bitmap = nullptr;
};

constinit core::NeverDestroyed<std::map<HWND, StaticControl>> controls;

void paintText(HDC hdc, HWND hwnd, const StaticControl& control, const RECT& client) {
  const int length = GetWindowTextLengthW(hwnd);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  const DWORD type = control.style & StaticTypeMask;
  // Text wraps at words inside the control, as on the phone, except in the simple type (one
  // line) and the no-wrap type (line feeds only).
  UINT format = DT_WORDBREAK;
  if (type == StaticSimple) format = DT_SINGLELINE;
  if (type == StaticLeftNoWordWrap) format = 0;
  if (type == SS_CENTER) format |= DT_CENTER;
  if (type == StaticRight) format |= DT_RIGHT;
  if (control.style & SS_NOPREFIX) format |= DT_NOPREFIX;
  HFONT font = CreateFontIndirectW(&control.font);
  drawText(hdc, text, client, format, font, colours::WindowText);
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
}

void paintBitmap(HDC hdc, HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectW(reinterpret_cast<HGDIOBJ>(bitmap), sizeof(info), &info)) return;
  HDC memory = CreateCompatibleDC(hdc);
  HGDIOBJ previous = SelectObject(memory, reinterpret_cast<HGDIOBJ>(bitmap));
  BitBlt(hdc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

LRESULT CALLBACK staticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto found = controls->find(hwnd);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      fillRect(hdc, client, colours::Window);
      if (found != controls->end()) {
        const StaticControl& control = found->second;
        if (control.icon) {
          DrawIcon(hdc, 0, 0, control.icon);
        } else if (control.bitmap) {
          paintBitmap(hdc, control.bitmap);
        } else {
          paintText(hdc, hwnd, control, client);
        }
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      if (found != controls->end()) {
        if (found->second.icon) DestroyIcon(found->second.icon);
        if (found->second.bitmap) DeleteObject(reinterpret_cast<HGDIOBJ>(found->second.bitmap));
        controls->erase(found);
      }
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND createStaticControl(HWND dialog, const DialogItem& item, const RECT& rect, const LOGFONTW& font) {
  registerShellClass(StaticClass, staticProc);
  const std::u16string text = item.title.kind == TemplateField::Kind::Text ? item.title.text : std::u16string();
  HWND hwnd =
      CreateWindowExW(WS_EX_PLATFORM, StaticClass, text.c_str(), item.style | WS_CHILD, rect.left, rect.top,
                      rect.right - rect.left, rect.bottom - rect.top, dialog,
                      reinterpret_cast<HMENU>(static_cast<intptr_t>(item.id)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  StaticControl control;
  control.style = item.style;
  control.font = font;
  const DWORD type = item.style & StaticTypeMask;
  if (type == SS_ICON || type == SS_BITMAP) {
    LPCWSTR name =
        item.title.kind == TemplateField::Kind::Number ? MAKEINTRESOURCEW(item.title.number) : item.title.text.c_str();
    // Icons at the screen's density: 32 pixels at 96 DPI.
    if (type == SS_ICON) control.icon = resources::loadIcon(name, 32 * screenDpi() / 96);
    if (type == SS_BITMAP) control.bitmap = LoadBitmapW(GetModuleHandleW(nullptr), name);
  }
  (*controls)[hwnd] = control;
  InvalidateRect(hwnd, nullptr, FALSE);
  return hwnd;
}

}  // namespace platform::shell
