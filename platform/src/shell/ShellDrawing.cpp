#include "shell/Shell.h"

#include "PlatformInternal.h"
#include "core/WindowManager.h"
#include "gdi/Fonts.h"
#include "gdi/TextLines.h"

#include <algorithm>
#include <cmath>

namespace platform::shell {

void registerShellClass(LPCWSTR name, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  RegisterClassW(&wc);  // fails harmlessly while the class is still registered
}

bool isChildWindow(HWND hwnd) {
  const core::Window* window = core::findWindow(hwnd);
  return window && window->parent;
}

HWND topLevelOf(HWND hwnd) {
  while (isChildWindow(hwnd)) hwnd = GetParent(hwnd);
  return hwnd;
}

HFONT createShellFont(int pixels, bool bold) {
  LOGFONTW lf{};
  lf.lfHeight = -pixels;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = ANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = FF_SWISS;
  std::u16string face = u"Tahoma";
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

int scaled(int pixelsAtBar26) { return (pixelsAtBar26 * barHeight() + 13) / 26; }

void fillRect(HDC hdc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(hdc, &rect, brush);
  DeleteObject(reinterpret_cast<HGDIOBJ>(brush));
}

void frameRect(HDC hdc, const RECT& rect, COLORREF colour) {
  fillRect(hdc, RECT{rect.left, rect.top, rect.right, rect.top + 1}, colour);
  fillRect(hdc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  fillRect(hdc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
  fillRect(hdc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void drawText(HDC hdc, const std::u16string& text, RECT rect, UINT format, HFONT font, COLORREF colour) {
  HGDIOBJ previous = SelectObject(hdc, reinterpret_cast<HGDIOBJ>(font));
  SetTextColor(hdc, colour);
  SetBkMode(hdc, TRANSPARENT);
  DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  SelectObject(hdc, previous);
}

SIZE measureText(HFONT handle, const std::u16string& text, int maxWidth) {
  gdi::Font* font = gdi::findFont(handle);
  if (!font || text.empty()) return SIZE{0, 0};
  gdi::resolveFont(*font);
  if (!font->drawable()) return SIZE{0, 0};
  // The lines DrawTextW will draw, so that a box sized by them holds its text.
  const UINT format = DT_NOPREFIX | (maxWidth > 0 ? DT_WORDBREAK : 0);
  const std::vector<gdi::TextLine> lines = gdi::breakTextLines(text, format, *font, maxWidth);
  double width = 0;
  for (const gdi::TextLine& line : lines) width = std::max(width, gdi::textLineWidth(line, *font));
  return SIZE{static_cast<LONG>(std::ceil(width)), static_cast<LONG>(lines.size()) * font->cellHeight()};
}

}  // namespace platform::shell
