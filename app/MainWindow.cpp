// The main window procedure: creation, commands, keys, the stylus, the timers and destruction.
// Painting is in MainPaint.cpp, the menu commands in MenuCommands.cpp.
#include <windows.h>

#include <aygshell.h>

#include <cstdlib>

#include "app/MainLayout.h"
#include "app/ResourceIds.h"
#include "app/Vortelle.h"
#include "controls/ButtonState.h"
#include "controls/ControlIds.h"
#include "device/Backlight.h"
#include "device/FeedbackSequences.h"
#include "device/ScreenSize.h"
#include "spinner/Arrow.h"

int stylusDownX;
int stylusDownY;
int stylusUpX;
int stylusUpY;
double bottleAngle;
SHACTIVATEINFO activateInfo;

HBITMAP boardBitmap;
HBITMAP bottleStrip;
HBITMAP backBuffer;
HDC backBufferDC;
HGDIOBJ backBufferOldBitmap;

namespace {

const UINT MOTION_PERIOD = 20;
const double START_SPEED = 0.05;
// The shell records' sizes as the phone's shell knows them.
const DWORD MENU_BAR_INFO_SIZE = 36;
const DWORD ACTIVATE_INFO_SIZE = 12;
// A stylus-up that moved less than this on some axis may still be a tap on the pin.
const int TAP_SLOP = 5;
// A stroke longer than this on either axis starts the spinner.
const int STROKE_LENGTH = 50;
// A screen this high is a phone held sideways, which the game does not support.
const int LANDSCAPE_HEIGHT = 428;

const int FRICTION_LEVEL_MAX = 3;
const int FRICTION_LEVEL_MIN = -3;
const double FRICTION_MIN = 0.02;
const double FRICTION_STEP = 0.01;

void ReportUnsupportedScreen(HWND hwnd, int width, int height) {
  WCHAR text[128];
  StringCchPrintfW(text, 128, TEXT("resolution not supported.\nVortelle:line534\n(right=%d, bottom=%d)"), width,
                   height);
  if (MessageBoxW(hwnd, text, TEXT("Error"), MB_OK | MB_ICONERROR) == IDOK) PostQuitMessage(0);
}

HWND CreateButton(HWND parent, LPCWSTR className, LPCWSTR text, const LayoutBox& box, int id) {
  return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE, box.x, box.y, box.width, box.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), appInstance, 0);
}

// The box that follows `box` in its group.
LayoutBox NextBox(const LayoutBox& box, int gap, bool inColumn) {
  LayoutBox next = box;
  if (inColumn) {
    next.y = box.y + box.height + gap;
  } else {
    next.x = box.x + box.width + gap;
  }
  return next;
}

void CreateButtons(HWND hwnd, const MainLayout& layout) {
  CreateButton(hwnd, TEXT("buttonStartStop"), TEXT("START"), layout.start, IDC_START);
  CreateButton(hwnd, TEXT("buttonStartStop"), TEXT("STOP"), NextBox(layout.start, layout.stopGap, false), IDC_STOP);

  LayoutBox setting = layout.firstSetting;
  CreateButton(hwnd, TEXT("buttonSetting"), TEXT("SPIN"), setting, IDC_MODE);
  setting = NextBox(setting, layout.settingGap, false);
  CreateButton(hwnd, TEXT("buttonSetting"), TEXT("Friction:"), setting, IDC_FRICTION);
  setting = NextBox(setting, layout.settingGap, false);
  CreateButton(hwnd, TEXT("buttonSetting"), TEXT("COUNTING"), setting, IDC_PARTICIPANT_MODE);

  LayoutBox participant = layout.firstParticipant;
  for (int i = 0; i < PARTICIPANT_COUNT; ++i) {
    CreateButton(hwnd, TEXT("buttonParticipant"), TEXT("img."), participant,
                 IDC_PARTICIPANT_FIRST + PARTICIPANT_ID_STEP * i);
    participant = NextBox(participant, layout.participantGap, layout.participantsInColumn);
  }
}

void CreateBackBuffer(HWND hwnd, int width, int height) {
  HDC windowDC = GetDC(hwnd);
  backBuffer = CreateCompatibleBitmap(windowDC, width, height);
  backBufferDC = CreateCompatibleDC(windowDC);
  if (backBuffer && backBufferDC) {
    backBufferOldBitmap = SelectObject(backBufferDC, (HGDIOBJ)backBuffer);
  } else {
    // Without both there is nothing to paint into; the paint then leaves the screen alone.
    if (backBufferDC) DeleteDC(backBufferDC);
    if (backBuffer) DeleteObject((HGDIOBJ)backBuffer);
    backBufferDC = 0;
    backBuffer = 0;
  }
  ReleaseDC(hwnd, windowDC);
}

void OnCreate(HWND hwnd, const RECT& windowRect) {
  SHMENUBARINFO menuBarInfo;
  ZeroMemory(&menuBarInfo, sizeof(menuBarInfo));
  menuBarInfo.cbSize = MENU_BAR_INFO_SIZE;
  menuBarInfo.hwndParent = hwnd;
  menuBarInfo.dwFlags = 0;
  menuBarInfo.nToolBarId = IDR_MAINMENU;
  menuBarInfo.hInstRes = appInstance;
  menuBarInfo.nBmpId = 0;
  menuBarInfo.cBmpImages = 0;
  menuBar = SHCreateMenuBar(&menuBarInfo) ? menuBarInfo.hwndMB : 0;

  ZeroMemory(&activateInfo, sizeof(activateInfo));
  activateInfo.cbSize = ACTIVATE_INFO_SIZE;

  ScreenSize screen = readScreenSize();
  const MainLayout* layout = LayoutOf(ProfileOfSize(screen.width, screen.height));
  if (layout) {
    CreateButtons(hwnd, *layout);
  } else {
    // No layout exists for this screen: no buttons, and the game ends once the box is closed.
    ReportUnsupportedScreen(hwnd, screen.width, screen.height);
  }

  boardBitmap = LoadBitmapW(appInstance, MAKEINTRESOURCEW(IDB_BOARD));
  bottleStrip = LoadBitmapW(appInstance, MAKEINTRESOURCEW(IDB_BOTTLE));
  CreateBackBuffer(hwnd, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top);
}

void OnDestroy(HWND hwnd) {
  KillTimer(hwnd, TIMER_MOTION);
  releaseBacklight();
  if (backBuffer) {
    SelectObject(backBufferDC, backBufferOldBitmap);
    DeleteDC(backBufferDC);
    DeleteObject((HGDIOBJ)backBuffer);
    backBufferDC = 0;
    backBuffer = 0;
    backBufferOldBitmap = 0;
  }
  if (boardBitmap) {
    DeleteObject((HGDIOBJ)boardBitmap);
    boardBitmap = 0;
  }
  if (bottleStrip) {
    DeleteObject((HGDIOBJ)bottleStrip);
    bottleStrip = 0;
  }
  if (menuBar) {
    DestroyWindow(menuBar);
    menuBar = 0;
  }
  PostQuitMessage(0);
}

// The Friction button walks 0.05, 0.06, 0.07, 0.08, then 0.02, 0.03, ... with its level.
void StepFriction() {
  int level = settingState.GetFrictionLevel();
  if (level >= FRICTION_LEVEL_MAX) {
    settingState.SetFrictionLevel(FRICTION_LEVEL_MIN);
    arrow.setFriction(FRICTION_MIN);
  } else {
    settingState.SetFrictionLevel(level + 1);
    arrow.setFriction(arrow.getFriction() + FRICTION_STEP);
  }
}

LRESULT OnCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDC_START:
      StartSpin(hwnd);
      return 0;
    case IDC_STOP:
      arrow.stop(hwnd);
      playStopCommandFeedback(arrow.oemModel);
      return 0;
    case IDC_MODE:
      // Entering bottle mode runs one tick even at rest, so that the bottle takes the arrow's
      // direction at once.
      if (settingState.GetSpinPickState() == MODE_BOTTLE) {
        KillTimer(hwnd, TIMER_MOTION);
        SetTimer(hwnd, TIMER_MOTION, MOTION_PERIOD, 0);
      }
      InvalidateRect(hwnd, 0, FALSE);
      return 0;
    case IDC_FRICTION:
      StepFriction();
      return 0;
    case IDC_PICTURE_CHOICE:
      HaltSpinner(hwnd);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case IDM_EXIT:
      AskToQuit(hwnd);
      return 0;
    case IDM_ABOUT:
      ShowInfoDialog(hwnd, IDD_ABOUT);
      return 0;
    case IDM_MANUAL:
      ShowInfoDialog(hwnd, IDD_MANUAL);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void OnStylusUp(HWND hwnd, LPARAM lParam, const ScreenSize& screen) {
  stylusUpX = LOWORD(lParam);
  stylusUpY = HIWORD(lParam);

  if (screen.height == LANDSCAPE_HEIGHT) {
    if (MessageBoxW(hwnd, TEXT("landscape 모드는 지원하지 않습니다."), TEXT("Error"), MB_OK | MB_ICONERROR) == IDOK) {
      PostQuitMessage(0);
    }
  }

  int dx = std::abs(stylusUpX - stylusDownX);
  int dy = std::abs(stylusUpY - stylusDownY);
  const MainLayout* layout = LayoutOf(ProfileOfSize(screen.width, screen.height));
  bool moved = dx >= TAP_SLOP && dy >= TAP_SLOP;
  if (!moved && layout && InPinZone(*layout, stylusUpX, stylusUpY)) {
    arrow.stop(hwnd);
    playPinTapFeedback(arrow.oemModel);
  }
  // A long stroke spins even when it has just stopped the arrow on the pin.
  if (dx > STROKE_LENGTH || dy > STROKE_LENGTH) StartSpin(hwnd);
}

void OnTimer(HWND hwnd, WPARAM timerId) {
  if (timerId == TIMER_MOTION) {
    switch (settingState.GetSpinPickState()) {
      case MODE_SPIN:
        arrow.spinStep(hwnd);
        break;
      case MODE_PICK:
        arrow.pickStep(hwnd);
        break;
      case MODE_BOTTLE:
        bottleAngle = arrow.spinStepAngle(hwnd);
        break;
      default:
        MessageBoxW(hwnd, TEXT("btnSpinPickState value is invalid..."), TEXT("error"), MB_OK);
        break;
    }
  } else if (timerId == TIMER_BLINK) {
    // The blink itself is a step of the next paint.
    InvalidateRect(hwnd, 0, FALSE);
  }
}

}  // namespace

void StartSpin(HWND hwnd) {
  KillTimer(hwnd, TIMER_MOTION);
  double speed = arrow.getSpeed();
  arrow.setSpeed(speed == 0 ? START_SPEED : speed + START_SPEED);
  SetTimer(hwnd, TIMER_MOTION, MOTION_PERIOD, 0);
  acquireBacklight();
}

void HaltSpinner(HWND hwnd) {
  KillTimer(hwnd, TIMER_MOTION);
  releaseBacklight();
  arrow.setSpeed(0);
}

LRESULT MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  RECT windowRect;
  GetWindowRect(hwnd, &windowRect);
  ScreenSize screen = readScreenSize();

  switch (message) {
    case WM_CREATE:
      OnCreate(hwnd, windowRect);
      return 0;
    case WM_COMMAND:
      return OnCommand(hwnd, message, wParam, lParam);
    case WM_KEYDOWN:
      // The OK key and Enter spin; no key goes on to the default handling.
      if (wParam == VK_RETURN || wParam == VK_SELECT) StartSpin(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      stylusDownX = LOWORD(lParam);
      stylusDownY = HIWORD(lParam);
      return 0;
    case WM_LBUTTONUP:
      OnStylusUp(hwnd, lParam, screen);
      return 0;
    case WM_TIMER:
      OnTimer(hwnd, wParam);
      return 0;
    case WM_PAINT:
      PaintMainWindow(hwnd);
      return 0;
    case WM_ACTIVATE:
      SHHandleWMActivate(hwnd, wParam, lParam, &activateInfo, 0);
      return 0;
    case WM_SETTINGCHANGE:
      SHHandleWMSettingChange(hwnd, wParam, lParam, &activateInfo);
      return 0;
    case WM_DESTROY:
      OnDestroy(hwnd);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}
