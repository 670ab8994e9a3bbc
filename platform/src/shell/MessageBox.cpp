// MessageBoxW: the back end may answer the box itself (a script); otherwise a modal box on
// the screen, with a nested loop that keeps the other windows' timers and paints going.
#include "shell/Shell.h"

#include "PlatformInternal.h"

#include <algorithm>

namespace platform::shell {

namespace {

constexpr WCHAR BoxClass[] = u"platform.messagebox";

struct BoxButton {
  int answer;
  const char16_t* label;
};

struct Box {
  std::u16string title;
  std::u16string text;
  UINT type = 0;
  std::vector<BoxButton> buttons;
  int answer = 0;
  int pressed = -1;  // the button under the stylus
  RECT frame{};      // client coordinates of the parts below
  RECT titleArea{};
  RECT textArea{};
  RECT iconArea{};
  std::vector<RECT> buttonAreas;
};

Box* shownBox = nullptr;  // boxes nest; each one's loop keeps its own

std::vector<BoxButton> buttonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}};
    case MB_YESNO:
      return {{IDYES, u"Yes"}, {IDNO, u"No"}};
    case MB_YESNOCANCEL:
      return {{IDYES, u"Yes"}, {IDNO, u"No"}, {IDCANCEL, u"Cancel"}};
    default:
      return {{IDOK, u"OK"}};
  }
}

const char* buttonsName(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return "okcancel";
    case MB_YESNO:
      return "yesno";
    case MB_YESNOCANCEL:
      return "yesnocancel";
    default:
      return "ok";
  }
}

const char* iconName(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return "error";
    case MB_ICONQUESTION:
      return "question";
    case MB_ICONWARNING:
      return "warning";
    case MB_ICONINFORMATION:
      return "info";
    default:
      return "none";
  }
}

std::string ownerName(HWND owner) {
  if (!owner || !IsWindow(owner)) return "none";
  if (isChildWindow(owner)) return std::to_string(GetDlgCtrlID(owner));
  return "main";
}

// ESCAPE: Cancel where there is one, else No, else OK.
int escapeAnswer(const Box& box) {
  for (int wanted : {IDCANCEL, IDNO}) {
    for (const auto& button : box.buttons) {
      if (button.answer == wanted) return wanted;
    }
  }
  return IDOK;
}

// Lays the box out across the screen, centred between the bars, as tall as its text.
RECT layout(Box& box) {
  const int w = screenWidth();
  const int margin = scaled(6);
  const int pad = scaled(6);
  const int titleHeight = scaled(22);
  const int buttonHeight = scaled(22);
  const int iconSide = (box.type & MB_ICONMASK) ? scaled(24) : 0;
  const int boxWidth = w - 2 * margin;
  const int textLeft = pad + (iconSide ? iconSide + pad : 0);

  HFONT font = createShellFont(scaled(10), false);
  const SIZE textSize = measureText(font, box.text, boxWidth - textLeft - pad);
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));

  const int bodyHeight = std::max<int>(textSize.cy, iconSide);
  const int height = titleHeight + pad + bodyHeight + pad + buttonHeight + pad;
  const int areaTop = barHeight();
  const int areaHeight = screenHeight() - 2 * barHeight();
  const int top = areaTop + std::max(0, (areaHeight - height) / 2);

  box.frame = RECT{0, 0, boxWidth, height};
  box.titleArea = RECT{0, 0, boxWidth, titleHeight};
  box.iconArea = RECT{pad, titleHeight + pad, pad + iconSide, titleHeight + pad + iconSide};
  box.textArea = RECT{textLeft, titleHeight + pad, boxWidth - pad, titleHeight + pad + bodyHeight};
  const int count = static_cast<int>(box.buttons.size());
  const int gap = pad;
  const int buttonWidth = std::min(scaled(70), (boxWidth - 2 * pad - (count - 1) * gap) / count);
  const int rowWidth = count * buttonWidth + (count - 1) * gap;
  int left = (boxWidth - rowWidth) / 2;
  const int buttonTop = height - pad - buttonHeight;
  box.buttonAreas.clear();
  for (int i = 0; i < count; ++i) {
    box.buttonAreas.push_back(RECT{left, buttonTop, left + buttonWidth, buttonTop + buttonHeight});
    left += buttonWidth + gap;
  }
  return RECT{margin, top, margin + boxWidth, top + height};
}

// The phone's box icons: a coloured disc with its sign.
void drawIcon(HDC hdc, const Box& box) {
  const UINT icon = box.type & MB_ICONMASK;
  if (!icon) return;
  COLORREF colour = RGB(30, 100, 200);
  const char16_t* sign = u"i";
  if (icon == MB_ICONERROR) {
    colour = RGB(200, 30, 30);
    sign = u"X";
  } else if (icon == MB_ICONQUESTION) {
    sign = u"?";
  } else if (icon == MB_ICONWARNING) {
    colour = RGB(230, 170, 0);
    sign = u"!";
  }
  HBRUSH brush = CreateSolidBrush(colour);
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ oldBrush = SelectObject(hdc, reinterpret_cast<HGDIOBJ>(brush));
  HGDIOBJ oldPen = SelectObject(hdc, reinterpret_cast<HGDIOBJ>(pen));
  const RECT& r = box.iconArea;
  Ellipse(hdc, r.left, r.top, r.right, r.bottom);
  SelectObject(hdc, oldBrush);
  SelectObject(hdc, oldPen);
  DeleteObject(reinterpret_cast<HGDIOBJ>(brush));
  DeleteObject(reinterpret_cast<HGDIOBJ>(pen));
  HFONT font = createShellFont(scaled(14), true);
  drawText(hdc, sign, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, font, colours::HighlightText);
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
}

void paint(HWND hwnd, const Box& box) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  fillRect(hdc, box.frame, colours::Window);
  fillRect(hdc, box.titleArea, colours::Bar);
  frameRect(hdc, box.frame, colours::Frame);

  const int pad = scaled(6);
  HFONT bold = createShellFont(scaled(10), true);
  HFONT font = createShellFont(scaled(10), false);
  RECT titleText = box.titleArea;
  titleText.left += pad;
  titleText.right -= pad;
  drawText(hdc, box.title, titleText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, bold, colours::BarText);
  drawIcon(hdc, box);
  drawText(hdc, box.text, box.textArea, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX, font, colours::WindowText);
  for (size_t i = 0; i < box.buttons.size(); ++i) {
    const RECT& area = box.buttonAreas[i];
    const bool pressed = static_cast<int>(i) == box.pressed;
    fillRect(hdc, area, pressed ? colours::Highlight : colours::Button);
    frameRect(hdc, area, colours::Frame);
    drawText(hdc, box.buttons[i].label, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, bold,
             pressed ? colours::HighlightText : colours::WindowText);
  }
  DeleteObject(reinterpret_cast<HGDIOBJ>(bold));
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  EndPaint(hwnd, &ps);
}

int buttonAt(const Box& box, LPARAM lParam) {
  const POINT point{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
  for (size_t i = 0; i < box.buttonAreas.size(); ++i) {
    if (PtInRect(&box.buttonAreas[i], point)) return static_cast<int>(i);
  }
  return -1;
}

LRESULT CALLBACK boxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Box* box = shownBox;
  if (!box) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      paint(hwnd, *box);
      return 0;
    case WM_LBUTTONDOWN:
      box->pressed = buttonAt(*box, lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      const int pressed = box->pressed;
      box->pressed = -1;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (pressed >= 0 && pressed == buttonAt(*box, lParam)) box->answer = box->buttons[pressed].answer;
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) box->answer = box->buttons.front().answer;
      if (wParam == VK_ESCAPE) box->answer = escapeAnswer(*box);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Shows the box and waits for its answer; IDOK when the quit request ends the wait.
int showBox(HWND owner, Box& box) {
  ensureTitleBar();
  registerShellClass(BoxClass, boxProc);
  const RECT place = layout(box);
  Box* outer = shownBox;
  shownBox = &box;
  HWND hwnd = CreateWindowExW(WS_EX_PLATFORM | WS_EX_TOPMOST | WS_EX_NOACTIVATE, BoxClass, box.title.c_str(),
                              WS_POPUP | WS_VISIBLE, place.left, place.top, place.right - place.left,
                              place.bottom - place.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) {
    shownBox = outer;
    return 0;
  }
  {
    ModalScope scope(owner, hwnd, nullptr);
    ModalLoop loop;
    loop.inputWindows = {hwnd};
    loop.keyTarget = hwnd;
    loop.finished = [&] { return box.answer != 0 || !IsWindow(hwnd); };
    if (!runModalLoop(loop) && box.answer == 0) box.answer = IDOK;
  }
  DestroyWindow(hwnd);
  shownBox = outer;
  return box.answer ? box.answer : IDOK;
}

}  // namespace

}  // namespace platform::shell

using namespace platform::shell;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  using platform::quoted;
  Box box;
  box.title = caption ? caption : u"Error";
  box.text = text ? text : u"";
  box.type = type;
  box.buttons = buttonsOf(type);
  const std::string what =
      std::string(iconName(type)) + " " + buttonsName(type) + " " + quoted(box.title) + " " + quoted(box.text);

  // The rest is the user-interface thread's: a worker's box waits for it there.
  int answer = IDOK;
  const bool asked = platform::backend().callOnUiThread([&] {
    const std::string header = ownerName(owner) + " " + what;
    // As on the phone, a box asked for while the program is quitting never shows.
    if (platform::quitPending()) {
      platform::trace("box %s -> OK quit-pending", header.c_str());
      return;
    }
    const platform::BoxRequest request{owner, box.title, box.text, type};
    if (!platform::backend().answerBox(request, &answer)) answer = showBox(owner, box);
    platform::trace("box %s -> %s", header.c_str(), platform::answerName(answer));
  });
  // The game's loop had ended before a worker's box could show: it quits, as above.
  if (!asked) platform::trace("box none %s -> OK quit-pending", what.c_str());
  return answer;
}

namespace platform {

const char* answerName(int answer) {
  switch (answer) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "CANCEL";
    case IDYES:
      return "YES";
    case IDNO:
      return "NO";
    default:
      return "?";
  }
}

int answerCode(const std::string& name) {
  for (int answer : {IDOK, IDCANCEL, IDYES, IDNO})
    if (name == answerName(answer)) return answer;
  return 0;
}

}  // namespace platform
