// What the back end asks of the page (BrowserPage.js, linked with --js-library).
#pragma once

#include <cstdint>

namespace platform::web {

// Kinds of what the page queued for the game, as BrowserPage.js numbers them.
enum class PageEventKind : int32_t {
  None = 0,
  StylusDown = 1,  // a, b: the screen point
  StylusMove = 2,
  StylusUp = 3,
  KeyDown = 4,  // a: the virtual key
  KeyUp = 5,
  FileChosen = 6,  // the chosen file's path in the module's files: vortelleChosenPath()
  FileCancelled = 7,
  Visible = 8,  // the page became visible again
  Close = 9,    // the page asks the game to close: another tab of it plays now
};

struct PageEvent {
  PageEventKind kind;
  int32_t a;
  int32_t b;
};

}  // namespace platform::web

extern "C" {
// Takes the canvas, width x height pixels (the screen, and the lamp strip right of it when shown),
// listens for input. False when the page has no canvas with id "screen".
bool vortelleOpenPage(int width, int height, int screenWidth);
// Puts 0xAABBGGRR... RGBA bytes of a w x h rectangle at (x, y) on the canvas.
void vortellePut(const uint8_t* rgba, int x, int y, int width, int height);
// Puts the part (left, top, partWidth x partHeight) of a width x height picture of RGBA bytes at
// (x, top) on the canvas, straight from the picture: the screen as the canvas shows it.
void vortellePutShown(const uint8_t* rgba, int width, int height, int left, int top, int partWidth, int partHeight,
                      int x);
// Waits for the page's input or `milliseconds` (-1: no limit), giving way to the browser.
void vortelleWait(int milliseconds);
// The next queued event into *event; false when none waits.
bool vortelleNextEvent(platform::web::PageEvent* event);
// Plays signed 16-bit mono samples.
void vortellePlay(const int16_t* samples, int count, int sampleRate);
void vortelleVibrate(int milliseconds);  // 0 stops
void vortelleHoldAwake(bool held);
// Whether another tab or window of the page plays the game, as the page found when it started.
bool vortelleOtherInstance();
// Asks that tab to come forward; false when it can't be asked.
bool vortelleRaiseOtherInstance();
void vortelleSetTitle(const char* title);
// Opens the browser's file chooser for JPEG pictures; the answer comes as an event. A file of
// more than maxBytes is handed on empty. The page keeps one chosen file for each owner (a
// window's handle): the one before goes when no other owner holds it.
void vortelleChooseFile(double maxBytes, double owner);
// Copies the chosen file's path (UTF-8, terminated) into out; its length.
int vortelleChosenPath(char* out, int size);
void vortelleEnded(int exitCode);
}
