// A small program on the platform alone: a window with a filled polygon, an ellipse, a line of
// text and a ball that a timer moves. RETURN asks a question, W starts a worker that blinks an
// LED, L lights an LED from the window, B takes the backlight and gives it back, ESCAPE quits.
#include <windows.h>

#include <nled.h>
#include <pm.h>

namespace {

constexpr UINT_PTR TIMER_BALL = 1;
constexpr UINT BALL_PERIOD = 50;
constexpr int BALL_SIZE = 20;
constexpr int BALL_STEP = 4;

int ballX = 0;
HANDLE backlight = nullptr;

void setLed(UINT number, INT offOnBlink) {
  NLED_SETTINGS_INFO info;
  ZeroMemory(&info, sizeof info);
  info.LedNum = number;
  info.OffOnBlink = offOnBlink;
  if (!NLedSetDevice(NLED_SETTINGS_INFO_ID, &info))
    MessageBoxW(nullptr, TEXT("NLedSetDevice(NLED_SETTINGS_INFO_ID)"), TEXT("Error"), MB_OK | MB_ICONERROR);
}

// A worker lights LED 2 three times, a tenth of a second apart.
DWORD BlinkWorker(LPVOID) {
  for (int i = 0; i < 3; ++i) {
    setLed(2, 1);
    Sleep(100);
    setLed(2, 0);
    Sleep(100);
  }
  return 0;
}

void paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);

  HBRUSH background = CreateSolidBrush(RGB(16, 32, 64));
  FillRect(hdc, &client, background);
  DeleteObject((HGDIOBJ)background);

  HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
  HBRUSH yellow = CreateSolidBrush(RGB(240, 200, 40));
  HGDIOBJ oldPen = SelectObject(hdc, (HGDIOBJ)pen);
  HGDIOBJ oldBrush = SelectObject(hdc, (HGDIOBJ)yellow);
  const POINT star[] = {{60, 20},  {75, 60},  {115, 60}, {82, 85}, {95, 125},
                        {60, 100}, {25, 125}, {38, 85},  {5, 60},  {45, 60}};
  Polygon(hdc, star, 10);

  HBRUSH green = CreateSolidBrush(RGB(40, 180, 90));
  SelectObject(hdc, (HGDIOBJ)green);
  Ellipse(hdc, 140, 30, 230, 110);

  HBRUSH red = CreateSolidBrush(RGB(220, 40, 40));
  SelectObject(hdc, (HGDIOBJ)red);
  Ellipse(hdc, ballX, 150, ballX + BALL_SIZE, 150 + BALL_SIZE);

  SelectObject(hdc, oldBrush);
  SelectObject(hdc, oldPen);
  DeleteObject((HGDIOBJ)red);
  DeleteObject((HGDIOBJ)green);
  DeleteObject((HGDIOBJ)yellow);
  DeleteObject((HGDIOBJ)pen);

  RECT line = {0, 190, client.right, 220};
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, RGB(255, 255, 255));
  DrawTextW(hdc, TEXT("Platform demo"), -1, &line, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  EndPaint(hwnd, &ps);
}

void moveBall(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  RECT old = {ballX, 150, ballX + BALL_SIZE, 150 + BALL_SIZE};
  ballX = (ballX + BALL_STEP) % (client.right - BALL_SIZE > 0 ? client.right - BALL_SIZE : 1);
  RECT now = {ballX, 150, ballX + BALL_SIZE, 150 + BALL_SIZE};
  InvalidateRect(hwnd, &old, FALSE);
  InvalidateRect(hwnd, &now, FALSE);
}

void onKey(HWND hwnd, WPARAM key) {
  switch (key) {
    case VK_RETURN: {
      int answer = MessageBoxW(hwnd, TEXT("Stop the ball?"), TEXT("Demo"), MB_YESNO | MB_ICONQUESTION);
      if (answer == IDYES)
        KillTimer(hwnd, TIMER_BALL);
      else
        SetTimer(hwnd, TIMER_BALL, BALL_PERIOD, nullptr);
      break;
    }
    case 'W': {
      HANDLE worker = CreateThread(nullptr, 0, BlinkWorker, nullptr, 0, nullptr);
      if (worker) CloseHandle(worker);
      break;
    }
    case 'L':
      setLed(1, 1);
      Sleep(50);
      setLed(1, 0);
      break;
    case 'B':
      if (backlight) {
        ReleasePowerRequirement(backlight);
        backlight = nullptr;
      } else {
        backlight = SetPowerRequirement(TEXT("BKL1:"), D0, POWER_NAME, nullptr, 0);
      }
      break;
    case 'M':
      MessageBeep(MB_ICONASTERISK);
      MessageBoxW(hwnd, TEXT("Just so you know."), TEXT("Notice"), MB_OK | MB_ICONINFORMATION);
      break;
    case VK_ESCAPE:
      DestroyWindow(hwnd);
      break;
  }
}

LRESULT DemoWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetTimer(hwnd, TIMER_BALL, BALL_PERIOD, nullptr);
      return 0;
    case WM_TIMER:
      if (wParam == TIMER_BALL) moveBall(hwnd);
      return 0;
    case WM_PAINT:
      paint(hwnd);
      return 0;
    case WM_KEYDOWN:
      onKey(hwnd, wParam);
      return 0;
    case WM_LBUTTONDOWN:
      ballX = LOWORD(lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_DESTROY:
      if (backlight) ReleasePowerRequirement(backlight);
      backlight = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  WNDCLASSW windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.lpfnWndProc = DemoWndProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = TEXT("PlatformDemo");
  if (!RegisterClassW(&windowClass)) return 1;

  HWND hwnd = CreateWindowW(TEXT("PlatformDemo"), TEXT("Demo"), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}
