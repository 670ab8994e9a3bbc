#include "controls/ButtonFrame.h"

ATOM RegisterButtonClass(HINSTANCE instance, LPCWSTR className, WNDPROC windowProc) {
  WNDCLASSW wc;
  ZeroMemory(&wc, sizeof(wc));
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = windowProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = instance;
  wc.hCursor = nullptr;
  wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = className;
  return RegisterClassW(&wc);
}

void SendButtonCommand(HWND owner, HWND button, int id, int code) {
  SendMessageW(owner, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)button);
}

int ScreenWidth() {
  RECT screen;
  GetWindowRect(GetDesktopWindow(), &screen);
  return screen.right;
}

void ButtonPaint::Begin(HWND hwnd, ButtonFill fill, COLORREF textColor, int fontHeight, int fontWidth) {
  window = hwnd;
  HDC hdc = BeginPaint(hwnd, &paint);
  GetClientRect(hwnd, &client);

  HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
  HGDIOBJ previousPen = SelectObject(hdc, (HGDIOBJ)pen);
  HBRUSH brush = fill.stockBrush >= 0 ? (HBRUSH)GetStockObject(fill.stockBrush) : CreateSolidBrush(fill.color);
  HGDIOBJ previousBrush = SelectObject(hdc, (HGDIOBJ)brush);
  Rectangle(hdc, client.left, client.top, client.right, client.bottom);
  SelectObject(hdc, previousPen);
  SelectObject(hdc, previousBrush);
  DeleteObject((HGDIOBJ)pen);
  DeleteObject((HGDIOBJ)brush);  // a stock brush ignores this

  SetTextColor(hdc, textColor);
  SetBkMode(hdc, TRANSPARENT);

  LOGFONTW record;
  ZeroMemory(&record, sizeof(record));
  StringCchCopyW(record.lfFaceName, LF_FACESIZE, TEXT("Tahoma"));
  record.lfCharSet = DEFAULT_CHARSET;
  record.lfClipPrecision = 0;
  record.lfQuality = ANTIALIASED_QUALITY;
  record.lfPitchAndFamily = FF_SWISS;
  record.lfWeight = FW_BOLD;
  record.lfHeight = fontHeight;
  record.lfWidth = fontWidth;
  font = CreateFontIndirectW(&record);
  previousFont = SelectObject(hdc, (HGDIOBJ)font);
}

void ButtonPaint::DrawCentredLabel(LPCWSTR label) {
  RECT area = client;
  DrawTextW(paint.hdc, label, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void ButtonPaint::End() {
  SelectObject(paint.hdc, previousFont);
  DeleteObject((HGDIOBJ)font);
  EndPaint(window, &paint);
  font = nullptr;
  previousFont = nullptr;
  window = nullptr;
}
