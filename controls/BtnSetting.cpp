#include "controls/BtnSetting.h"

#include "controls/ButtonFrame.h"
#include "controls/ButtonState.h"
#include "controls/ControlIds.h"

HWND settingOwner;

namespace {

void AdvancePlayMode(HWND hwnd) {
  int mode = settingState.GetSpinPickState();
  if (mode == MODE_SPIN) {
    settingState.SetSpinPickState(MODE_PICK);
  } else if (mode == MODE_PICK) {
    settingState.SetSpinPickState(MODE_BOTTLE);
  } else if (mode == MODE_BOTTLE) {
    settingState.SetSpinPickState(MODE_SPIN);
  } else {
    MessageBoxW(hwnd, TEXT("btnSpinPickState value is invalid..."), TEXT("error"), MB_OK);
    return;
  }
  // The main window acts on the mode already stored.
  SendButtonCommand(settingOwner, hwnd, IDC_MODE, BUTTON_NOTIFY);
}

void AdvanceParticipantMode(HWND hwnd) {
  int mode = settingState.GetParticipantState();
  if (mode == PARTICIPANT_COUNTING) {
    settingState.SetParticipantState(PARTICIPANT_RESET);
  } else if (mode == PARTICIPANT_RESET) {
    settingState.SetParticipantState(PARTICIPANT_IMAGE);
  } else if (mode == PARTICIPANT_IMAGE) {
    settingState.SetParticipantState(PARTICIPANT_COUNTING);
  } else {
    MessageBoxW(hwnd, TEXT("btnParticipantState value is invalid..."), TEXT("error"), MB_OK);
  }
}

void OnRelease(HWND hwnd) {
  settingState.SetPressState(STATE_RELEASED);
  switch (GetDlgCtrlID(hwnd)) {
    case IDC_MODE:
      AdvancePlayMode(hwnd);
      break;
    case IDC_FRICTION:
      // The main window steps the level, so the repaint below shows the new one.
      SendButtonCommand(settingOwner, hwnd, IDC_FRICTION, BUTTON_NOTIFY);
      break;
    case IDC_PARTICIPANT_MODE:
      AdvanceParticipantMode(hwnd);
      break;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

ButtonFill ChooseFill(int id) {
  if (settingState.GetPressState() == STATE_PRESSED) return StockFill(WHITE_BRUSH);
  int participantMode = settingState.GetParticipantState();
  if (id == IDC_PARTICIPANT_MODE && (participantMode == PARTICIPANT_RESET || participantMode == PARTICIPANT_IMAGE)) {
    return SolidFill(RGB(100, 100, 100));
  }
  return StockFill(LTGRAY_BRUSH);
}

void ReadLabel(HWND hwnd, int id, LPWSTR label) {
  int mode = settingState.GetSpinPickState();
  int participantMode = settingState.GetParticipantState();
  if (id == IDC_MODE && mode == MODE_PICK) {
    StringCchCopyW(label, BUTTON_TEXT_MAX, TEXT("PICK"));
  } else if (id == IDC_MODE && mode == MODE_BOTTLE) {
    StringCchCopyW(label, BUTTON_TEXT_MAX, TEXT("BOTTLE"));
  } else if (id == IDC_PARTICIPANT_MODE && participantMode == PARTICIPANT_IMAGE) {
    StringCchCopyW(label, BUTTON_TEXT_MAX, TEXT("IMAGE"));
  } else if (id == IDC_PARTICIPANT_MODE && participantMode == PARTICIPANT_RESET) {
    StringCchCopyW(label, BUTTON_TEXT_MAX, TEXT("RESET"));
  } else {
    GetWindowTextW(hwnd, label, BUTTON_TEXT_MAX);
  }
}

void Paint(HWND hwnd) {
  int id = GetDlgCtrlID(hwnd);
  WCHAR label[BUTTON_TEXT_MAX];
  ReadLabel(hwnd, id, label);

  int fontHeight = 0;
  int fontWidth = 0;
  int width = ScreenWidth();
  if (width == 320 || width == 240) {
    fontHeight = 17;
    fontWidth = 5;
  } else if (width == 480) {
    fontHeight = 24;
    fontWidth = 10;
  } else {
    // No layout fits this screen; the game ends after this paint.
    PostQuitMessage(0);
  }

  ButtonPaint paint;
  paint.Begin(hwnd, ChooseFill(id), RGB(0, 0, 0), fontHeight, fontWidth);
  if (id == IDC_FRICTION) {
    WCHAR level[16];
    int friction = settingState.GetFrictionLevel();
    StringCchPrintfW(level, 16, friction > 0 ? TEXT("+%d") : TEXT("%3d"), friction);
    StringCchCatW(label, BUTTON_TEXT_MAX, level);
  }
  paint.DrawCentredLabel(label);
  paint.End();
}

}  // namespace

ATOM RegisterBtnSettingClass(HINSTANCE instance) {
  return RegisterButtonClass(instance, TEXT("buttonSetting"), BtnSettingProc);
}

LRESULT BtnSettingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      settingOwner = ((LPCREATESTRUCTW)lParam)->hwndParent;
      settingState.SetPressState(STATE_RELEASED);
      settingState.SetSpinPickState(MODE_SPIN);
      settingState.SetFrictionLevel(0);
      settingState.SetParticipantState(PARTICIPANT_COUNTING);
      return 0;

    case WM_LBUTTONDOWN:
      settingState.SetPressState(STATE_PRESSED);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;

    case WM_LBUTTONUP:
      OnRelease(hwnd);
      return 0;

    case WM_PAINT:
      Paint(hwnd);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
