// Start-up, the single-instance rule and the message loop.
#include <windows.h>

#include <aygshell.h>

#include "app/ResourceIds.h"
#include "app/Vortelle.h"
#include "controls/BtnParticipant.h"
#include "controls/BtnSetting.h"
#include "controls/BtnStartStop.h"

HINSTANCE appInstance;
HWND menuBar;

namespace {

const int TEXT_BUFFER_LENGTH = 100;

}  // namespace

ATOM RegisterMainClass(HINSTANCE instance, LPCWSTR className) {
  WNDCLASSW wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWndProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  wc.hCursor = 0;
  wc.hbrBackground = (HBRUSH)GetStockObject(DKGRAY_BRUSH);
  wc.lpszMenuName = 0;
  wc.lpszClassName = className;
  return RegisterClassW(&wc);
}

BOOL InitInstance(HINSTANCE instance, int cmdShow) {
  appInstance = instance;
  SHInitExtraControls();

  WCHAR title[TEXT_BUFFER_LENGTH];
  WCHAR className[TEXT_BUFFER_LENGTH];
  LoadStringW(appInstance, IDS_APP_TITLE, title, TEXT_BUFFER_LENGTH);
  LoadStringW(appInstance, IDS_APP_CLASS, className, TEXT_BUFFER_LENGTH);

  // One game at a time: a second start brings the running one forward instead. Bit 0 of the
  // handle asks for the windows it owns to come forward with it.
  HWND running = FindWindowW(className, title);
  if (running) {
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 0x1));
    return FALSE;
  }

  if (!RegisterMainClass(instance, className)) return FALSE;
  if (!RegisterBtnStartStopClass(appInstance)) {
    MessageBoxW(0, TEXT("RegisterBtnStartStopClass failed."), TEXT("Error"), MB_OK);
    return FALSE;
  }
  if (!RegisterBtnSettingClass(appInstance)) {
    MessageBoxW(0, TEXT("RegisterBtnSettingClass failed."), TEXT("Error"), MB_OK);
    return FALSE;
  }
  if (!RegisterBtnParticipantClass(appInstance)) {
    MessageBoxW(0, TEXT("RegisterBtnParticipantClass failed."), TEXT("Error"), MB_OK);
    return FALSE;
  }

  HWND hwnd = CreateWindowExW(0, className, title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, 0, 0, appInstance, 0);
  if (!hwnd) return FALSE;

  // A window made with the default size reaches the screen's bottom, under the soft keys.
  if (menuBar) {
    RECT windowRect;
    RECT menuBarRect;
    GetWindowRect(hwnd, &windowRect);
    GetWindowRect(menuBar, &menuBarRect);
    windowRect.bottom -= menuBarRect.bottom - menuBarRect.top;
    MoveWindow(hwnd, windowRect.left, windowRect.top, windowRect.right - windowRect.left,
               windowRect.bottom - windowRect.top, FALSE);
  }

  ShowWindow(hwnd, cmdShow);
  UpdateWindow(hwnd);
  return TRUE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow) {
  if (!InitInstance(hInstance, nCmdShow)) return 0;

  HACCEL accelerators = LoadAcceleratorsW(appInstance, MAKEINTRESOURCEW(IDA_MAIN));
  MSG msg;
  while (GetMessageW(&msg, 0, 0, 0)) {
    // Ctrl+A and Ctrl+Q go to the window that got the key.
    if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (accelerators) DestroyAcceleratorTable(accelerators);
  return static_cast<int>(msg.wParam);
}
