// The in-memory phone: no window, no sound, a virtual clock, and a script in place of a person.
#pragma once

#include "Backend.h"
#include "PlatformInternal.h"
#include "Script.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

class HeadlessBackend : public Backend {
 public:
  // What happens when the script runs out while the game waits for input.
  enum class ScriptEnd {
    EndRun,     // the program's run: trace "end" and end the process with 0
    AbortTest,  // a test in the same process: it forgot to give the input a modal loop waits for
  };

  HeadlessBackend(const Options& options, std::vector<ScriptStep> steps, ScriptEnd scriptEnd);

  uint32_t now() override;
  void idle(uint32_t deadline) override;
  void screenChanged(const RECT& rect) override;
  void sleep(uint32_t milliseconds) override;
  bool startThread(LPTHREAD_START_ROUTINE start, void* parameter) override;
  void beep(UINT type) override;
  void ledChanged(const NLED_SETTINGS_INFO& settings) override;
  void backlightChanged(bool held) override;
  bool ledAccepts(UINT ledNumber) override;
  bool answerBox(const BoxRequest& request, int* answer) override;
  bool answerFileDialog(HWND owner, std::u16string* path, bool* chosen) override;
  void titleChanged(const std::u16string& title) override;
  void waitWhileChoosing(uint32_t deadline) override;
  void timeOfDay(int* hours, int* minutes) override;
  std::string programPath() override;
  bool callOnUiThread(const std::function<void()>& work) override;

  // What the script's answer, choose and choose-cancel do, for tests driving the platform.
  void queueAnswer(int answer);
  void queueChoice(const std::u16string& path);
  void queueChoiceCancel();
  // More script for the modal loops of a test to play.
  void appendSteps(const std::vector<ScriptStep>& steps);

  // Moves the clock to `time`, running the workers that fall due on the way.
  void advanceTo(uint32_t time);
  // Runs the workers whose sleep has ended now; true when any ran.
  bool runDueWorkers();

 private:
  struct Choice {
    bool chosen;
    std::u16string path;
  };

  // Plays steps until one has to be handled by the game; false when the script ran out.
  bool playNextStep();
  void continueWait(uint32_t deadline);
  [[noreturn]] void endOfScript();

  Options options_;
  std::vector<ScriptStep> steps_;
  size_t next_ = 0;
  ScriptEnd scriptEnd_;
  bool waiting_ = false;
  uint32_t waitEnd_ = 0;
  std::deque<int> answers_;
  std::deque<Choice> choices_;
};

}  // namespace platform
