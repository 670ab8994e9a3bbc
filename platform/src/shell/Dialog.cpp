// Modal dialogs from templates (DialogBoxIndirectParamW, EndDialog) and the shell's dialog
// set-up (SHInitDialog).
#include "shell/Dialog.h"

#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"
#include "shell/Shell.h"

#include <aygshell.h>

#include <map>

namespace platform::shell {

namespace {

constexpr WCHAR DialogClass[] = u"platform.dialog";

struct Dialog {
  DLGPROC proc = nullptr;
  bool ended = false;
  INT_PTR result = IDOK;
  HWND menuBar = nullptr;  // the empty bar of SHIDIF_EMPTYMENU
};

constinit core::NeverDestroyed<std::map<HWND, Dialog*>> dialogs;
Dialog* creating = nullptr;  // the dialog whose window is being made

Dialog* dialogOf(HWND hwnd) {
  auto found = dialogs->find(hwnd);
  return found == dialogs->end() ? nullptr : found->second;
}

// What the phone's dialog manager does with what the dialog procedure leaves.
LRESULT defaultHandling(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      fillRect(hdc, client, colours::Window);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
      if (wParam == VK_ESCAPE) SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
      return 0;
    case WM_CLOSE:
      SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* dialog = dialogOf(hwnd);
  if (!dialog && creating) {
    dialog = creating;
    (*dialogs)[hwnd] = dialog;
  }
  if (dialog && dialog->proc && message != WM_CREATE && dialog->proc(hwnd, message, wParam, lParam)) return 0;
  if (message == WM_DESTROY) dialogs->erase(hwnd);
  return defaultHandling(hwnd, message, wParam, lParam);
}

std::u16string windowTitle(HWND hwnd) {
  WCHAR text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

// Builds the dialog's window and its controls, hidden; nullptr when it can't.
HWND createDialog(const DialogTemplate& layout, HWND owner, Dialog& dialog) {
  const DialogUnits units = dialogUnits(layout);
  RECT rect{units.x(layout.x), barHeight() + units.y(layout.y), 0, 0};
  rect.right = rect.left + units.x(layout.cx);
  rect.bottom = rect.top + units.y(layout.cy);
  if (layout.style & DS_CENTER) {
    OffsetRect(&rect, (screenWidth() - (rect.right - rect.left)) / 2 - rect.left,
               (screenHeight() - (rect.bottom - rect.top)) / 2 - rect.top);
  }
  registerShellClass(DialogClass, dialogProc);
  creating = &dialog;
  const DWORD style = (layout.style & ~(WS_VISIBLE | WS_CHILD | WS_DISABLED)) | WS_POPUP;
  HWND hwnd = CreateWindowExW(WS_EX_PLATFORM | (layout.exStyle & WS_EX_CAPTIONOKBTN), DialogClass, layout.title.c_str(),
                              style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, owner,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  creating = nullptr;
  if (!hwnd) return nullptr;
  (*dialogs)[hwnd] = &dialog;
  for (const DialogItem& item : layout.items) {
    // Only static controls are known here; a template asking for others gets them left out.
    const bool isStatic =
        (item.windowClass.kind == TemplateField::Kind::Number && item.windowClass.number == StaticClassAtom) ||
        (item.windowClass.kind == TemplateField::Kind::Text && lstrcmpW(item.windowClass.text.c_str(), u"Static") == 0);
    if (!isStatic) continue;
    const RECT itemRect{units.x(item.x), units.y(item.y), units.x(item.x) + units.x(item.cx),
                        units.y(item.y) + units.y(item.cy)};
    createStaticControl(hwnd, item, itemRect, units.font);
  }
  return hwnd;
}

}  // namespace

}  // namespace platform::shell

using namespace platform;
using namespace platform::shell;

INT_PTR DialogBoxIndirectParamW(HINSTANCE, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC dialogProc,
                                LPARAM initParam) {
  if (!requireUiThread()) return -1;
  // As on the phone, a dialog asked for while the program is quitting never shows.
  if (platform::quitPending()) return IDOK;
  if (!dialogTemplate) return -1;
  auto layout = parseDialogTemplate(templateBytes(dialogTemplate));
  if (!layout) return -1;
  if (owner && !IsWindow(owner)) owner = nullptr;

  ensureTitleBar();
  Dialog dialog;
  dialog.proc = dialogProc;
  HWND hwnd = createDialog(*layout, owner, dialog);
  if (!hwnd) return -1;
  const std::u16string title = windowTitle(hwnd);
  platform::trace("dialog %s", platform::quoted(title).c_str());
  pushTitleWindow(hwnd, (layout->exStyle & WS_EX_CAPTIONOKBTN) != 0);
  {
    ModalScope scope(owner, hwnd, nullptr);
    if (dialogProc) dialogProc(hwnd, WM_INITDIALOG, 0, initParam);
    if (IsWindow(hwnd) && !dialog.ended) {
      if (dialog.menuBar) platform::setSoftKeyWindow(dialog.menuBar);
      ShowWindow(hwnd, SW_SHOW);
      SetFocus(hwnd);
      ModalLoop loop;
      loop.inputWindows = {hwnd, titleBar(), dialog.menuBar};
      loop.keyTarget = hwnd;
      loop.finished = [&] { return dialog.ended || !IsWindow(hwnd); };
      runModalLoop(loop);
    }
    if (dialog.menuBar && IsWindow(dialog.menuBar)) DestroyWindow(dialog.menuBar);
  }
  popTitleWindow(hwnd);
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
  dialogs->erase(hwnd);
  platform::trace("dialog-end %s", platform::quoted(title).c_str());
  return dialog.result;
}

BOOL EndDialog(HWND hwnd, INT_PTR result) {
  if (!requireUiThread()) return FALSE;
  Dialog* dialog = dialogOf(hwnd);
  if (!dialog) return FALSE;
  dialog->ended = true;
  dialog->result = result;
  PostMessageW(hwnd, WM_NULL, 0, 0);  // wakes the dialog's loop
  return TRUE;
}

BOOL SHInitDialog(SHINITDLGINFO* info) {
  if (!requireUiThread()) return FALSE;
  if (!info || !(info->dwMask & SHIDIM_FLAGS)) return FALSE;
  HWND hwnd = info->hDlg;
  Dialog* dialog = dialogOf(hwnd);
  if (!dialog) return FALSE;
  const DWORD flags = info->dwFlags;
  if (flags & SHIDIF_DONEBUTTON) setTitleOkButton(hwnd, true);
  if ((flags & SHIDIF_EMPTYMENU) && !dialog->menuBar) dialog->menuBar = createEmptyMenuBar(hwnd);
  if (flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
    // Between the title bar and the bottom of the screen, leaving the menu bar its room.
    const bool roomForBar = !(flags & SHIDIF_FULLSCREENNOMENUBAR) && dialog->menuBar;
    const int bottom = screenHeight() - (roomForBar ? barHeight() : 0);
    MoveWindow(hwnd, 0, barHeight(), screenWidth(), bottom - barHeight(), TRUE);
  }
  return TRUE;
}
