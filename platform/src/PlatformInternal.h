// What the parts of the platform know of each other: the options, the back end, the trace,
// the screen surface, the window manager's hooks for the shell, and the drawing layer's hooks
// for the window manager, the shell and the imaging component. The game never includes this:
// its include root doesn't reach it (docs/architecture.md).
//
// Who implements what: core/ (window manager, queue, timers, input, the trace, the options'
// storage), gdi/ (drawing), shell/ (boxes, dialogs, menu bar, title bar), services/ (kernel,
// LEDs, power, imaging, resources, file dialog), host/ (start-up, main), backends/ (the
// Backend of each host, Backend.h).
//
// The platform starts before the game's static objects are built (they call it from their
// constructors), and in no known order with the platform's own statics. So state of the
// platform that needs a constructor (containers, strings, maps) is a constinit
// core::NeverDestroyed (core/NeverDestroyed.h): made on first use and never destroyed, as
// workers may still run while the process exits. Plain pointers, numbers and std::mutex are
// fine as namespace-scope statics.
#pragma once

#include "Backend.h"

#include <windows.h>

#include "core/Region.h"
#include "gdi/Surface.h"

#include <cstdint>
#include <string>

namespace platform {

// ---------------------------------------------------------------------------
// Options (host/Options.cpp parses them; core keeps the ones in force)

struct Options {
  int screenWidth = 480;
  int screenHeight = 800;
  bool modelGiven = false;  // false: the host's own model text
  std::u16string model;
  bool headless = false;
  std::string scriptPath;   // "-" is standard input
  std::string tracePath;    // empty: standard output
  bool leds = false;        // --leds: the lamp strip beside the screen (SDL)
  bool refuseLeds = false;  // --refuse-leds: the headless LED driver refuses every setting
};

const Options& options();

// Starts the platform: keeps the options, makes the screen surface, installs the back end.
// Called once, before any game code runs (host/Start.cpp, or a test's start-up).
void start(const Options& options, Backend* backend);
Backend& backend();
bool started();

// The headless back end (backends/headless), and the one that shows the screen: a desktop
// window (backends/sdl) or, in a browser's page, its canvas (backends/web). nullptr with a
// reason when the back end can't start (no display, an unreadable script, ...).
Backend* createHeadlessBackend(const Options& options, std::string* error);
Backend* createWindowBackend(const Options& options, std::string* error);

// Paths in the phone's form use backslashes ("\\home\\me\\img\\a.jpg"); the platform's file
// functions map them back to the host's (services/Paths.cpp).
std::u16string phonePath(const std::string& hostPath);
std::string hostPath(const std::u16string& phonePath);

// One round of the wait behind a host's file chooser (Backend::chooseFile): dispatches the
// user-interface thread's messages, or waits for them up to `maxWaitMs`. False once the quit
// request was met; it is posted again and the chooser should give up (services/FileDialog.cpp).
bool pumpWhileChoosing(unsigned maxWaitMs);

// The device model text of --model, or the host machine's own (services/OemInfo.cpp).
std::u16string modelText();

// ---------------------------------------------------------------------------
// The program's name, set once at start-up from argv[0]'s base name (core/ProgramName.cpp), and
// its messages: one line on standard error, "PROGRAM: MESSAGE".

void setProgramName(const char* argv0);
const char* programName();
void complain(const std::string& message);

// ---------------------------------------------------------------------------
// Trace (core/Trace.cpp): "TIME EVENT" lines in the headless driver's format, written by
// core/TraceOutput.cpp, which also ends the run.

// nullptr: no trace. `name` names the file in messages; empty: standard output.
void setTraceOutput(std::FILE* file, const std::string& name = {});
bool tracing();
// Writes one line; a failed write is said on standard error and ends the run (leave()).
void writeTraceLine(uint32_t time, const std::string& event);
// The exit code of a run whose output (the trace, a screenshot) could not be written.
constexpr int OutputFailureExit = 2;
// Flushes and closes the trace. Returns the code to exit with: `exitCode`, or OutputFailureExit
// when the trace could not be written and the run would otherwise have ended with 0.
int finishOutput(int exitCode);
// The one way out of a run that does not return from main(): finishOutput(), then the process
// ends without tearing down the game's objects and threads.
[[noreturn]] void leave(int exitCode);
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A text in double quotes with \n, \" and \\ escaped, as UTF-8.
std::string quoted(const std::u16string& text);
std::string utf8(const std::u16string& text);
std::u16string utf16(const std::string& text);
// "ui" on the user-interface thread, "w1", "w2", ... on the workers, in order of creation.
const char* threadName();
void setThreadName(const char* name);
bool onUiThread();
// The rule every entry of the window manager and the drawing layer starts with: true on the
// user-interface thread; elsewhere false with ERROR_INVALID_THREAD_ID, before anything shared
// is touched, and the entry returns its failure value.
bool requireUiThread();
// While one lives, the calling thread acts for the user-interface thread, which stands still
// meanwhile (a headless worker holds the baton) and so can't race it.
class UiThreadStandIn {
 public:
  UiThreadStandIn();
  ~UiThreadStandIn();
  UiThreadStandIn(const UiThreadStandIn&) = delete;
  UiThreadStandIn& operator=(const UiThreadStandIn&) = delete;
};
// The browser's workers are fibers on the user-interface thread's own thread: while one runs,
// that thread is not the user-interface thread.
void setFiberWorkerRunning(bool running);
// A message box answer (IDOK, IDCANCEL, IDYES, IDNO) as the trace and the scripts name it, and
// back; "?" and 0 for any other.
const char* answerName(int answer);
int answerCode(const std::string& name);

// ---------------------------------------------------------------------------
// Screen (core/Screen.cpp)

int screenWidth();
int screenHeight();
// The title bar and the soft-key menu bar: 26 px on screens whose shorter side is under 480,
// 52 px otherwise. The one rule every caller uses.
int barHeight();
// The phone's screen: 32-bit pixels of the screen's size. Every window draws
// into it through its device contexts; back ends show it.
const gdi::SurfacePtr& screenSurface();
// Writes the screen as a PNG; false with a reason on failure.
bool writeScreenshot(const std::string& path, std::string* error);

// ---------------------------------------------------------------------------
// Input (core/Input.cpp): back ends deliver the stylus and keys here, in screen pixels.
// The window under the point is found at delivery, as the phone does.

namespace input {
void stylusDown(int x, int y);
void stylusUp(int x, int y);
void stylusMove(int x, int y);
// A key going down or up. Control held is tracked from VK_CONTROL itself.
void key(UINT virtualKey, bool down);
}  // namespace input

// ---------------------------------------------------------------------------
// Window manager hooks for the shell (core/)

// Extended style bit of the platform's own windows (title bar, menu bar, boxes, dialogs,
// menus): they are not traced as "window" lines and not found by FindWindowW.
constexpr DWORD WS_EX_PLATFORM = 0x10000000L;
// Extended style of top-level windows that never become active (the title bar, the menu bar,
// menus): showing them leaves the activation and the focus where they are.
constexpr DWORD WS_EX_NOACTIVATE = 0x08000000L;

// The window that receives the soft keys (F1, F2) before the focused window does: the menu
// bar of the active window. 0 when none.
void setSoftKeyWindow(HWND menuBar);
HWND softKeyWindow();

// The top-level window that is active (its title shows in the title bar).
HWND activeWindow();

// Called after every change of the active window or its title; the title bar repaints.
void setTitleListener(void (*listener)());

// Whether PostQuitMessage was called and its WM_QUIT not yet retrieved.
bool quitPending();
// When the next timer of the user-interface thread falls due (NoDeadline: none runs).
uint32_t nextTimerDeadline();
// Whether a posted message, input, the quit request, a paint or a due timer waits.
bool messageReady();
// Destroys every window, timer, class and queued message (tests start the platform again).
void resetWindowManager();

// ---------------------------------------------------------------------------
// Drawing hooks (gdi/)

namespace gdi {

// A device context that draws on the screen surface, with its (0, 0) at screen point
// (originX, originY) and clipped to `clip` (screen coordinates; copied). ReleaseDC and EndPaint
// end it with destroyScreenDC. Every draw through it reports the changed area with
// backend().screenChanged().
HDC createScreenDC(int originX, int originY, const core::Region* clip);
bool destroyScreenDC(HDC hdc);

// A new 24-bit bitmap, black; nullptr when the size is out of range or memory runs out.
HBITMAP createBlackBitmap(int width, int height);
// A 24-bit bitmap made from 0x00RRGGBB pixels (resources, icons).
HBITMAP createBitmapFromPixels(int width, int height, const uint32_t* pixels, int strideBytes);
// The pixels of a bitmap, or nullptr for a handle that is not a bitmap.
const PixelBuffer* bitmapPixels(HBITMAP bitmap);

// Draws 0x00RRGGBB pixels scaled into dst (logical coordinates of hdc), smoothly.
bool drawPixels(HDC hdc, const RECT& dst, const uint32_t* pixels, int width, int height, int strideBytes);

// Counts of live drawing objects made by the game: pens, brushes, fonts, bitmaps and device
// contexts (stock objects not counted).
struct ObjectCounts {
  int pens = 0;
  int brushes = 0;
  int fonts = 0;
  int bitmaps = 0;
  int deviceContexts = 0;
  bool operator==(const ObjectCounts&) const = default;
};
ObjectCounts liveObjects();

}  // namespace gdi

}  // namespace platform

// The program's compiled resource file (.res), embedded by the build under the platform's name
// (platform/cmake/EmbedResources.cmake). Weak, so a program without resources (the platform's
// own tests) links too: then both addresses are null.
extern "C" {
extern const unsigned char platform_resource_data[] __attribute__((weak));
extern const size_t platform_resource_size __attribute__((weak));
}
