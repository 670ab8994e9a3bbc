#include "controls/BtnParticipant.h"

#include "controls/ButtonFrame.h"
#include "controls/ButtonState.h"
#include "controls/ControlIds.h"
#include "controls/ParticipantTable.h"

HWND participantOwner;
int participantDownX;
int participantUpX;

namespace {

// A sideways stroke at least this long asks to reset instead of counting.
constexpr int RESET_STROKE = 30;

// The stylus x as the message carries it: the low word, unsigned.
int StylusX(LPARAM lParam) { return (int)LOWORD(lParam); }

void AskReset(HWND hwnd, int id) {
  MessageBeep(MB_ICONQUESTION);
  if (MessageBoxW(hwnd, TEXT("Would you like to reset?"), TEXT("Confirm"), MB_YESNO) == IDYES) {
    ResetParticipantCount(id);
  }
}

// Only the counter changes on the screen after a count or a reset.
void InvalidateCounter(HWND hwnd) {
  RECT screen;
  GetWindowRect(GetDesktopWindow(), &screen);
  RECT counter;
  if (screen.right == 320 && screen.bottom == 320) {
    SetRect(&counter, 53, 8, 81, 32);
  } else if (screen.right == 480) {
    SetRect(&counter, 10, 6, 60, 30);
  } else {
    return;
  }
  InvalidateRect(hwnd, &counter, FALSE);
}

void OnRelease(HWND hwnd, LPARAM lParam) {
  participantUpX = StylusX(lParam);
  participantState.SetPressState(STATE_RELEASED);
  int id = GetDlgCtrlID(hwnd);

  switch (settingState.GetParticipantState()) {
    case PARTICIPANT_COUNTING: {
      int stroke = participantUpX - participantDownX;
      if (stroke < 0) stroke = -stroke;
      if (stroke < RESET_STROKE) {
        MessageBeep(MB_OK);
        IncrementParticipantCount(id);
      } else {
        AskReset(hwnd, id);
      }
      InvalidateCounter(hwnd);
      break;
    }
    case PARTICIPANT_RESET:
      AskReset(hwnd, id);
      InvalidateCounter(hwnd);
      break;
    case PARTICIPANT_IMAGE:
      MessageBeep(MB_ICONQUESTION);
      // The spinner halts before the dialog opens.
      SendButtonCommand(participantOwner, hwnd, IDC_PICTURE_CHOICE, PICTURE_CHOICE_NOTIFY);
      ChooseParticipantImage(id, hwnd);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
  }
}

void Paint(HWND hwnd) {
  ButtonFill fill =
      participantState.GetPressState() == STATE_PRESSED ? StockFill(WHITE_BRUSH) : SolidFill(RGB(80, 80, 80));
  WCHAR text[BUTTON_TEXT_MAX];
  GetWindowTextW(hwnd, text, BUTTON_TEXT_MAX);
  int id = GetDlgCtrlID(hwnd);
  int width = ScreenWidth();

  int fontHeight = 0;
  int fontWidth = 0;
  if (width == 320 || width == 240) {
    fontHeight = 24;
    fontWidth = 8;
  } else if (width == 480) {
    fontHeight = 32;
    fontWidth = 14;
  }

  ButtonPaint paint;
  paint.Begin(hwnd, fill, RGB(255, 255, 255), fontHeight, fontWidth);
  HDC hdc = paint.dc();
  RECT area = paint.client;
  WCHAR label[BUTTON_TEXT_MAX];
  if (width == 320 || width == 240) {
    // Picture on the left, counter on the right; without DT_SINGLELINE the text stays on top.
    WCHAR counter[16];
    StringCchPrintfW(counter, 16, TEXT("%4d"), GetParticipantCount(id));
    StringCchCopyW(label, BUTTON_TEXT_MAX, text);
    StringCchCatW(label, BUTTON_TEXT_MAX, counter);
    DrawTextW(hdc, label, -1, &area, DT_CENTER | DT_VCENTER);
    MoveToEx(hdc, 49, 3, nullptr);
    LineTo(hdc, 49, 37);
  } else if (width == 480) {
    // Counter above, picture below.
    StringCchPrintfW(label, BUTTON_TEXT_MAX, TEXT("%d\n"), GetParticipantCount(id));
    StringCchCatW(label, BUTTON_TEXT_MAX, text);
    DrawTextW(hdc, label, -1, &area, DT_CENTER);
    MoveToEx(hdc, 3, 36, nullptr);
    LineTo(hdc, 67, 36);
  }
  // The picture covers "img.", which shows only where no picture could be drawn.
  DrawParticipantImage(hdc, id);
  paint.End();
}

}  // namespace

ATOM RegisterBtnParticipantClass(HINSTANCE instance) {
  return RegisterButtonClass(instance, TEXT("buttonParticipant"), BtnParticipantProc);
}

LRESULT BtnParticipantProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      participantOwner = ((LPCREATESTRUCTW)lParam)->hwndParent;
      participantState.SetPressState(STATE_RELEASED);
      InitParticipantTable();
      return 0;

    case WM_LBUTTONDOWN:
      participantDownX = StylusX(lParam);
      participantState.SetPressState(STATE_PRESSED);
      return 0;

    case WM_LBUTTONUP:
      OnRelease(hwnd, lParam);
      return 0;

    case WM_PAINT:
      Paint(hwnd);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
