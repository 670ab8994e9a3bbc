// Driving the headless platform from a test in the same process: start it with a screen size
// and model, deliver input, move the virtual clock, read the trace and the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace platform_test {

struct Config {
  int width = 480;
  int height = 800;
  std::string model;        // UTF-8
  bool refuseLeds = false;  // the LED driver refuses every setting, as --refuse-leds
};

// Starts (or starts again) the headless platform: destroys every window, timer and object
// count of an earlier start, sets the screen and model, empties the trace and the queues.
void start(const Config& config = Config{});

// Runs the user-interface thread's messages until nothing is ready (no posted message, input,
// paint or due timer). Returns false if the quit request was retrieved (its code in *exitCode).
bool pump(int* exitCode = nullptr);
// Moves the virtual clock on by `milliseconds`, delivering every timer, paint and worker step
// that falls due, in order; returns false when the quit request was retrieved.
bool wait(uint32_t milliseconds, int* exitCode = nullptr);
uint32_t now();

// Input at screen pixels (title bar included), each followed by pump().
void down(int x, int y);
void up(int x, int y);
void tap(int x, int y);
void key(const std::string& name);  // the script's key names: RETURN, F1, CTRL+Q, A ...

// Answers for later boxes and file dialogs, as the script's answer, choose and choose-cancel.
void answer(const std::string& button);  // OK, CANCEL, YES, NO
void choose(const std::string& path);
void chooseCancel();
// Script lines (the driver's commands) for the modal loops that wait for input, such as an open
// dialog: they are played when such a loop finds nothing else to do. False on a script error.
bool script(const std::string& lines);

// The trace written since start() or the last takeTrace(), and empties it.
std::string takeTrace();

// The screen's pixel at (x, y) as 0x00RRGGBB, and a PNG of the whole screen.
uint32_t pixel(int x, int y);
bool screenshot(const std::string& path);

// Live drawing objects made through the public API.
struct Counts {
  int pens, brushes, fonts, bitmaps, deviceContexts;
  bool operator==(const Counts&) const = default;
};
Counts liveObjects();

}  // namespace platform_test
