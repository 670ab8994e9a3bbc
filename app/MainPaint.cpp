// The main window's paint: the whole board is composed in the back buffer at every paint and
// copied to the screen in one block, so the turning arrow never flickers.
#include <windows.h>

#include "app/MainLayout.h"
#include "app/Vortelle.h"
#include "controls/ButtonState.h"
#include "device/OemModel.h"
#include "spinner/Arrow.h"

namespace {

const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF YELLOW = RGB(255, 255, 0);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF PICK_GREEN = RGB(100, 255, 100);
const COLORREF BOTTLE_KEY = RGB(255, 0, 255);
const int OUTLINE_WIDTH = 2;

// Board's square part, stretched onto the square screen.
const int BOARD_SQUARE = 580;
// On WVGA that model shows only the board's top rows.
const int SCH_M49_BOARD_ROWS = 551;

// The strip holds frames 0 to 20, the neck turned 9 degrees more in each; the other half-turn
// is the same frames mirrored top to bottom.
const int BOTTLE_FRAME = 200;
const int BOTTLE_INTERVALS = 41;
const int BOTTLE_LAST_FRAME = 20;
const double BOTTLE_INTERVAL = 0.05;

void PaintBoard(ScreenProfile profile, const MainLayout& layout, int windowWidth) {
  HDC boardDC = CreateCompatibleDC(backBufferDC);
  HGDIOBJ previous = SelectObject(boardDC, (HGDIOBJ)boardBitmap);
  if (layout.boardStretched) {
    StretchBlt(backBufferDC, layout.boardStretch.x, layout.boardStretch.y, layout.boardStretch.width,
               layout.boardStretch.height, boardDC, 0, 0, BOARD_SQUARE, BOARD_SQUARE, SRCCOPY);
  } else {
    int rows = layout.boardRows;
    if (profile == SCREEN_WVGA && matchesModel(arrow.oemModel, MODEL_SCH_M49)) rows = SCH_M49_BOARD_ROWS;
    BitBlt(backBufferDC, 0, 0, windowWidth, rows, boardDC, 0, layout.boardSourceY, SRCCOPY);
  }
  SelectObject(boardDC, previous);
  DeleteDC(boardDC);
}

void PaintBottle(const MainLayout& layout) {
  HDC stripDC = CreateCompatibleDC(backBufferDC);
  HGDIOBJ previous = SelectObject(stripDC, (HGDIOBJ)bottleStrip);
  BITMAP strip;
  ZeroMemory(&strip, sizeof(strip));
  GetObjectW((HGDIOBJ)bottleStrip, sizeof(strip), &strip);
  int side = static_cast<int>(layout.bottleScale * strip.bmHeight);

  for (int i = 0; i < BOTTLE_INTERVALS; ++i) {
    // The bounds are kept in single precision, as the phone's program kept them, so that
    // neighbouring intervals share a bound exactly.
    double lo = static_cast<float>(BOTTLE_INTERVAL * i);
    double hi = static_cast<float>(BOTTLE_INTERVAL + BOTTLE_INTERVAL * i);
    if (!(lo <= bottleAngle && bottleAngle < hi)) continue;
    if (i <= BOTTLE_LAST_FRAME) {
      TransparentImage(backBufferDC, layout.bottleX, layout.bottleY, side, side, stripDC, BOTTLE_FRAME * i, 0,
                       BOTTLE_FRAME, BOTTLE_FRAME, BOTTLE_KEY);
    } else {
      TransparentImage(backBufferDC, layout.bottleX, layout.bottleY + side, side, -side, stripDC,
                       BOTTLE_FRAME * (2 * BOTTLE_LAST_FRAME - i), 0, BOTTLE_FRAME, BOTTLE_FRAME, BOTTLE_KEY);
    }
  }
  SelectObject(stripDC, previous);
  DeleteDC(stripDC);
}

void PaintArrow(HWND hwnd, int mode) {
  arrow.setArrowPenColor(BLACK);
  arrow.setArrowBrushColor(YELLOW);
  HPEN pen = CreatePen(PS_SOLID, OUTLINE_WIDTH, arrow.getArrowPenColor());
  HBRUSH brush = CreateSolidBrush(arrow.getArrowBrushColor());
  HGDIOBJ previousPen = SelectObject(backBufferDC, (HGDIOBJ)pen);
  HGDIOBJ previousBrush = SelectObject(backBufferDC, (HGDIOBJ)brush);
  arrow.drawArrow(backBufferDC);
  SelectObject(backBufferDC, previousPen);
  SelectObject(backBufferDC, previousBrush);
  DeleteObject((HGDIOBJ)pen);
  DeleteObject((HGDIOBJ)brush);

  // The pin lies on top of the arrow.
  arrow.setPinPenColor(BLACK);
  arrow.setPinBrushColor(RED);
  pen = CreatePen(PS_SOLID, OUTLINE_WIDTH, arrow.getPinPenColor());
  brush = CreateSolidBrush(arrow.getPinBrushColor());
  previousPen = SelectObject(backBufferDC, (HGDIOBJ)pen);
  previousBrush = SelectObject(backBufferDC, (HGDIOBJ)brush);
  arrow.drawPin(backBufferDC);
  SelectObject(backBufferDC, previousPen);
  SelectObject(backBufferDC, previousBrush);
  DeleteObject((HGDIOBJ)pen);
  DeleteObject((HGDIOBJ)brush);

  if (mode == MODE_PICK) {
    pen = CreatePen(PS_SOLID, 1, PICK_GREEN);
    previousPen = SelectObject(backBufferDC, (HGDIOBJ)pen);
    // At rest every paint is one step of the result blink; while moving, the highlight.
    if (arrow.getSpeed() == 0) {
      arrow.drawPickResult(backBufferDC, hwnd);
    } else {
      arrow.drawPickHighlight(backBufferDC);
    }
    SelectObject(backBufferDC, previousPen);
    DeleteObject((HGDIOBJ)pen);
  }
}

}  // namespace

void PaintMainWindow(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC hdc = BeginPaint(hwnd, &paint);
  RECT windowRect;
  GetWindowRect(hwnd, &windowRect);
  int width = windowRect.right - windowRect.left;
  int height = windowRect.bottom - windowRect.top;
  ScreenProfile profile = CurrentProfile();
  const MainLayout* layout = LayoutOf(profile);
  int mode = settingState.GetSpinPickState();

  if (boardBitmap && backBufferDC && layout) PaintBoard(profile, *layout, width);
  if (bottleStrip && backBufferDC && layout && mode == MODE_BOTTLE) PaintBottle(*layout);
  if (backBufferDC && (mode == MODE_SPIN || mode == MODE_PICK)) PaintArrow(hwnd, mode);
  if (backBufferDC) BitBlt(hdc, 0, 0, width, height, backBufferDC, 0, 0, SRCCOPY);

  EndPaint(hwnd, &paint);
}
