// The back-end contract: everything that differs between the hosts the platform runs on. The
// back ends are a desktop window (backends/sdl), the in-memory phone screen driven by a script
// (backends/headless) and a browser's page (backends/web), each in a folder of its own.
// Everything else of the platform (windows, messages, drawing, the shell, the services) is
// shared, never asks which back end runs, and talks to it only through this interface.
#pragma once

#include <windows.h>

#include <nled.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

constexpr uint32_t NoDeadline = UINT32_MAX;

// One filter pair of a file dialog's record: its text and its patterns ("*.jpg").
struct FileFilter {
  std::string name;
  std::vector<std::string> patterns;
};

// A file chooser to show: the dialog's title, its filters, and the one it opens on.
struct FileChooserRequest {
  HWND owner = nullptr;  // whose choice it is: a chooser that copies files keeps one for each
  std::string title;
  std::vector<FileFilter> filters;
  size_t currentFilter = 0;
};

enum class ChooserResult { Chosen, Cancelled, Unavailable };

// A message box about to be shown.
struct BoxRequest {
  HWND owner;
  std::u16string title;
  std::u16string text;
  UINT type;  // MB_* flags as the caller gave them
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Milliseconds since the process started: the virtual clock headless, the real one otherwise.
  virtual uint32_t now() = 0;

  // Called by the user-interface thread's message retrieval when nothing is ready. Waits for
  // input (delivered through platform::input) or until `deadline` on now()'s clock, whichever
  // comes first, then returns so that the queue is looked at again. Headless: plays the next
  // script line, or moves the virtual clock on; at the end of the script the run ends here.
  virtual void idle(uint32_t deadline) = 0;

  // Pixels of the screen surface changed inside `rect` (screen coordinates). The SDL back end
  // shows them at its next idle; headless keeps nothing (screenshots read the surface).
  virtual void screenChanged(const RECT& rect) = 0;

  // Sleep on the calling thread. Headless: on the user-interface thread it moves the virtual
  // clock on (running the workers that fall due); on a worker it yields until the clock gets there.
  virtual void sleep(uint32_t milliseconds) = 0;

  // Starts a detached thread. Headless: the new thread runs until it first sleeps or ends
  // before this returns. Returns false when no thread could be started.
  virtual bool startThread(LPTHREAD_START_ROUTINE start, void* parameter) = 0;

  // Sounds and device outputs. The platform has already traced them.
  virtual void beep(UINT type) = 0;
  virtual void ledChanged(const NLED_SETTINGS_INFO& settings) = 0;
  virtual void backlightChanged(bool held) = 0;

  // Whether the LED driver takes a setting (a headless run may be told to refuse them).
  virtual bool ledAccepts(UINT ledNumber) = 0;

  // A message box is about to be shown. Returns true with the answer when the back end answers
  // it itself (headless: the script's queued answers); false to show a real box.
  virtual bool answerBox(const BoxRequest& request, int* answer) = 0;

  // A file-open dialog is asked for. Returns true when the back end answered it without showing
  // anything (headless: the script's queued choices), with *chosen false for a cancel. Returns
  // false to have the platform show the host's chooser through chooseFile().
  virtual bool answerFileDialog(HWND owner, std::u16string* path, bool* chosen) = 0;

  // Shows the host's file chooser and waits for the user, the dialog's owner already out of
  // reach. The wait keeps the game painting: it calls platform::pumpWhileChoosing() until the
  // answer comes, and gives up when that says the quit request came. Fills *hostPath (a path of
  // the host) when the result is Chosen. Desktop: the portal, else zenity; browser: the page's
  // file input. Unavailable when the host has none (it has said why on stderr).
  virtual ChooserResult chooseFile(const FileChooserRequest& request, std::string* hostPath) {
    (void)request;
    (void)hostPath;
    return ChooserResult::Unavailable;
  }

  // One wait of pumpWhileChoosing() while a chooser is up and no message is ready: until
  // `deadline` on now()'s clock or the next input. A virtual clock has nothing to wait for while
  // the chooser's process runs in real time, so the headless back end gives way briefly instead.
  virtual void waitWhileChoosing(uint32_t deadline) { idle(deadline); }

  // The time of day the title bar shows. The host's local time; headless runs show 12:00 plus
  // the virtual minutes gone by, so that screenshots stay the same. (core/BackendDefaults.cpp)
  virtual void timeOfDay(int* hours, int* minutes);

  // The program's own file, as a host path: GetModuleFileNameW gives it in the phone's form.
  // The running executable; under node, the script node runs. (core/BackendDefaults.cpp)
  virtual std::string programPath();

  // A top-level window's title changed or it became active (the SDL window shows it).
  virtual void titleChanged(const std::u16string& title) = 0;

  // Another thread posted a message for the user-interface thread: cut short its wait in idle().
  // Callable from any thread. Headless needs nothing (its workers run in lock step).
  virtual void wake() {}

  // Runs `work` on the user-interface thread and returns once it has run there: directly on
  // that thread, otherwise queued for it (its GetMessageW and PeekMessageW run what waits, also
  // inside a box's loop) while the caller waits. False when the run had ended and `work` never
  // ran. The default waits on a condition variable (core/BackendDefaults.cpp). Headless runs it
  // in place: the user-interface thread stands still while a worker runs. The browser's workers,
  // fibers on that one thread, sleep in short steps until it is done.
  virtual bool callOnUiThread(const std::function<void()>& work);

  // Single instance across processes: FindWindowW found no window of its own and asks whether
  // another instance of the program on this desktop has a top-level window of this class and
  // title (nullptr: any). The one that answered true comes forward with raiseOtherInstance().
  // Headless runs are each a phone of their own and keep these defaults.
  virtual bool findOtherInstance(LPCWSTR className, LPCWSTR title) {
    (void)className;
    (void)title;
    return false;
  }
  virtual bool raiseOtherInstance() { return false; }

  // The game's entry function has returned: let the workers still running end their sequences
  // (they are short) before the process tears down what they use. Headless workers are
  // simulated and never outlive the run.
  virtual void finishWorkers() {}

  // The run is over: the game's message loop ended with `exitCode` and the trace says so. A
  // browser's page, which can't close itself, shows its end.
  virtual void ended(int exitCode) { (void)exitCode; }
};

}  // namespace platform
