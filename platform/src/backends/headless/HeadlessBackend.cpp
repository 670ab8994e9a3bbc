#include "HeadlessBackend.h"

#include "WorkerScheduler.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include <unistd.h>

namespace platform {

namespace {

// A question the script did not answer ends the run: the game would wait for a person.
[[noreturn]] void unanswered(const std::string& message) {
  complain(message);
  leave(3);
}

bool buttonOf(UINT type, int answer) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return answer == IDOK;
    case MB_OKCANCEL:
      return answer == IDOK || answer == IDCANCEL;
    case MB_YESNO:
      return answer == IDYES || answer == IDNO;
    case MB_YESNOCANCEL:
      return answer == IDYES || answer == IDNO || answer == IDCANCEL;
  }
  return false;
}

std::string describeBox(const BoxRequest& request) {
  return "the box " + quoted(request.title) + " " + quoted(request.text);
}

bool readScript(const std::string& path, std::string* text, std::string* error) {
  if (path.empty()) return true;
  std::ostringstream contents;
  if (path == "-") {
    // C's stdin: the script is read before the C++ streams are set up.
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) contents.write(buffer, std::streamsize(count));
    if (std::ferror(stdin)) {
      *error = std::string("--script: cannot read standard input: ") + std::strerror(errno);
      return false;
    }
  } else {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      *error = "--script: cannot read " + path + ": " + std::strerror(errno);
      return false;
    }
    contents << file.rdbuf();
  }
  *text = contents.str();
  return true;
}

}  // namespace

Backend* createHeadlessBackend(const Options& options, std::string* error) {
  std::string text;
  if (!readScript(options.scriptPath, &text, error)) return nullptr;
  std::vector<ScriptStep> steps;
  if (!parseScript(text, scriptName(options.scriptPath), options.screenWidth, options.screenHeight, &steps, error))
    return nullptr;
  WorkerScheduler::instance().reset();
  return new HeadlessBackend(options, std::move(steps), HeadlessBackend::ScriptEnd::EndRun);
}

HeadlessBackend::HeadlessBackend(const Options& options, std::vector<ScriptStep> steps, ScriptEnd scriptEnd)
    : options_(options), steps_(std::move(steps)), scriptEnd_(scriptEnd) {}

uint32_t HeadlessBackend::now() { return WorkerScheduler::instance().clock().now(); }

void HeadlessBackend::idle(uint32_t deadline) {
  if (runDueWorkers()) return;
  if (waiting_) {
    continueWait(deadline);
    return;
  }
  while (next_ < steps_.size()) {
    const ScriptStep& step = steps_[next_++];
    switch (step.kind) {
      case ScriptStep::Kind::StylusDown:
        input::stylusDown(step.x, step.y);
        return;
      case ScriptStep::Kind::StylusUp:
        input::stylusUp(step.x, step.y);
        return;
      case ScriptStep::Kind::KeyDown:
        input::key(step.virtualKey, true);
        return;
      case ScriptStep::Kind::KeyUp:
        input::key(step.virtualKey, false);
        return;
      case ScriptStep::Kind::Wait:
        waiting_ = true;
        waitEnd_ = addMilliseconds(now(), step.milliseconds);
        continueWait(deadline);
        return;
      case ScriptStep::Kind::Answer:
        queueAnswer(step.answer);
        break;
      case ScriptStep::Kind::Choose:
        queueChoice(utf16(step.text));
        break;
      case ScriptStep::Kind::ChooseCancel:
        queueChoiceCancel();
        break;
      case ScriptStep::Kind::Screenshot: {
        std::string error;
        if (!writeScreenshot(step.text, &error)) {
          // The error names the file.
          complain(scriptName(options_.scriptPath) + ":" + std::to_string(step.line) + ": screenshot " + error);
          leave(OutputFailureExit);
        }
        break;
      }
    }
  }
  endOfScript();
}

void HeadlessBackend::continueWait(uint32_t deadline) {
  uint32_t until = std::min(deadline, waitEnd_);
  // Nothing due before the wait's end, or a deadline already past that the queue did not take:
  // either way the wait goes on to its end.
  if (until <= now()) until = waitEnd_;
  advanceTo(until);
  if (now() >= waitEnd_) waiting_ = false;
}

void HeadlessBackend::endOfScript() {
  if (scriptEnd_ == ScriptEnd::AbortTest) {
    std::fflush(nullptr);
    std::fprintf(stderr,
                 "the platform waits for input (a box, dialog or other modal loop?) but the test gave none; "
                 "give it with platform_test::script()\n");
    std::abort();
  }
  trace("end");
  leave(0);
}

void HeadlessBackend::screenChanged(const RECT&) {}

void HeadlessBackend::sleep(uint32_t milliseconds) {
  WorkerScheduler& scheduler = WorkerScheduler::instance();
  if (scheduler.onWorker())
    scheduler.sleepWorker(milliseconds);
  else
    advanceTo(addMilliseconds(now(), milliseconds));
}

bool HeadlessBackend::startThread(LPTHREAD_START_ROUTINE start, void* parameter) {
  return WorkerScheduler::instance().start(start, parameter);
}

void HeadlessBackend::beep(UINT) {}
void HeadlessBackend::ledChanged(const NLED_SETTINGS_INFO&) {}
void HeadlessBackend::backlightChanged(bool) {}
bool HeadlessBackend::ledAccepts(UINT) { return !options_.refuseLeds; }
void HeadlessBackend::titleChanged(const std::u16string&) {}

bool HeadlessBackend::answerBox(const BoxRequest& request, int* answer) {
  if (answers_.empty()) {
    if ((request.type & MB_TYPEMASK) == MB_OK) {
      *answer = IDOK;
      return true;
    }
    unanswered("no answer in the script for " + describeBox(request));
  }
  int queued = answers_.front();
  answers_.pop_front();
  if (!buttonOf(request.type, queued))
    unanswered(std::string("the script's answer ") + answerName(queued) + " is no button of " + describeBox(request));
  *answer = queued;
  return true;
}

bool HeadlessBackend::answerFileDialog(HWND, std::u16string* path, bool* chosen) {
  if (choices_.empty()) unanswered("no choose or choose-cancel in the script for a file-open dialog");
  Choice choice = choices_.front();
  choices_.pop_front();
  *chosen = choice.chosen;
  *path = choice.chosen ? choice.path : std::u16string();
  return true;
}

void HeadlessBackend::waitWhileChoosing(uint32_t) {
  // Only a test shows a real chooser here: the virtual clock has nothing to wait for while the
  // chooser's process runs in real time.
  usleep(2000);
}

void HeadlessBackend::timeOfDay(int* hours, int* minutes) {
  // 12:00 and the virtual minutes gone by, so that screenshots stay the same.
  const uint32_t elapsed = now() / 60000;
  *hours = static_cast<int>((12 + elapsed / 60) % 24);
  *minutes = static_cast<int>(elapsed % 60);
}

std::string HeadlessBackend::programPath() {
#ifdef __EMSCRIPTEN__
  // The process is node; the program is the file node runs, named as start-up made it.
  return program_invocation_name != nullptr ? program_invocation_name : "";
#else
  return Backend::programPath();
#endif
}

bool HeadlessBackend::callOnUiThread(const std::function<void()>& work) {
  // A worker runs only while it holds the baton, the user-interface thread standing still: it
  // does the work itself, at the same point of the run as ever.
  if (!WorkerScheduler::instance().onWorker()) return Backend::callOnUiThread(work);
  UiThreadStandIn standIn;
  work();
  return true;
}

void HeadlessBackend::queueAnswer(int answer) { answers_.push_back(answer); }
void HeadlessBackend::queueChoice(const std::u16string& path) { choices_.push_back({true, path}); }
void HeadlessBackend::queueChoiceCancel() { choices_.push_back({false, {}}); }

void HeadlessBackend::appendSteps(const std::vector<ScriptStep>& steps) {
  steps_.insert(steps_.end(), steps.begin(), steps.end());
}

void HeadlessBackend::advanceTo(uint32_t time) { WorkerScheduler::instance().advanceTo(time); }

bool HeadlessBackend::runDueWorkers() { return WorkerScheduler::instance().runDue(); }

}  // namespace platform
