#include "controls/BtnStartStop.h"

#include "controls/ButtonFrame.h"
#include "controls/ButtonState.h"
#include "controls/ControlIds.h"
#include "device/ClickFeedback.h"

HWND startStopOwner;

namespace {

// The worker runs detached; a worker that can't start costs only the click.
void StartClickFeedback() {
  HANDLE thread = CreateThread(nullptr, 0, ClickFeedbackThread, nullptr, 0, nullptr);
  if (thread != nullptr) CloseHandle(thread);
}

void Paint(HWND hwnd) {
  ButtonFill fill =
      SolidFill(startStopState.GetPressState() == STATE_PRESSED ? RGB(255, 255, 255) : RGB(220, 226, 237));
  WCHAR label[BUTTON_TEXT_MAX];
  GetWindowTextW(hwnd, label, BUTTON_TEXT_MAX);

  int fontHeight = 0;
  int fontWidth = 0;
  int width = ScreenWidth();
  if (width == 480) {
    fontHeight = 34;
    fontWidth = 20;
  } else if (width == 320 || width == 240) {
    fontHeight = 21;
    fontWidth = 7;
  }

  ButtonPaint paint;
  paint.Begin(hwnd, fill, RGB(0, 0, 0), fontHeight, fontWidth);
  paint.DrawCentredLabel(label);
  paint.End();
}

}  // namespace

ATOM RegisterBtnStartStopClass(HINSTANCE instance) {
  return RegisterButtonClass(instance, TEXT("buttonStartStop"), BtnStartStopProc);
}

LRESULT BtnStartStopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      startStopOwner = ((LPCREATESTRUCTW)lParam)->hwndParent;
      startStopState.SetPressState(STATE_RELEASED);
      return 0;

    case WM_LBUTTONDOWN:
      StartClickFeedback();
      startStopState.SetPressState(STATE_PRESSED);
      // The main window reacts before the pressed fill shows.
      SendButtonCommand(startStopOwner, hwnd, GetDlgCtrlID(hwnd), BUTTON_NOTIFY);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;

    case WM_LBUTTONUP:
      StartClickFeedback();
      startStopState.SetPressState(STATE_RELEASED);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;

    case WM_PAINT:
      Paint(hwnd);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
