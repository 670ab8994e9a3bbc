// The headless driver's script: read completely before anything is played, and broken into
// the steps that are played one at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct ScriptStep {
  enum class Kind { StylusDown, StylusUp, KeyDown, KeyUp, Wait, Answer, Choose, ChooseCancel, Screenshot };
  Kind kind = Kind::Wait;
  int x = 0;  // stylus
  int y = 0;
  UINT virtualKey = 0;        // keys
  uint32_t milliseconds = 0;  // wait
  int answer = 0;             // IDOK, IDCANCEL, IDYES or IDNO
  std::string text;           // the chosen path, the screenshot's file
  int line = 0;               // where it stands in the script

  static ScriptStep of(Kind kind) {
    ScriptStep step;
    step.kind = kind;
    return step;
  }
};

// A key name of the script (RETURN, F1, Q, CTRL+Q ...) as the key presses it makes: Control
// down, the key down, the key up, Control up. False for an unknown name.
bool keySteps(const std::string& name, std::vector<ScriptStep>* steps);

// The script's name in messages: its path as given, "<stdin>" for standard input ("-").
std::string scriptName(const std::string& path);

// Parses the whole script. Points must lie on a screen of the given size. On an error returns
// false with "NAME:LINE: ..." in *error.
bool parseScript(const std::string& text, const std::string& name, int screenWidth, int screenHeight,
                 std::vector<ScriptStep>* steps, std::string* error);

}  // namespace platform
