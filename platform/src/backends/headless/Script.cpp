#include "Script.h"

#include "PlatformInternal.h"

#include <charconv>
#include <sstream>

namespace platform {

namespace {

bool parseNumber(const std::string& text, long long low, long long high, long long* value) {
  long long parsed = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return false;
  if (parsed < low || parsed > high) return false;
  *value = parsed;
  return true;
}

UINT keyCode(const std::string& name) {
  static const struct {
    const char* name;
    UINT code;
  } named[] = {{"RETURN", VK_RETURN}, {"SELECT", VK_SELECT}, {"ESCAPE", VK_ESCAPE},
               {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT},   {"UP", VK_UP},
               {"DOWN", VK_DOWN},     {"F1", VK_F1},         {"F2", VK_F2}};
  for (const auto& key : named)
    if (name == key.name) return key.code;
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'A' && c <= 'Z') return UINT(c);
    if (c >= 'a' && c <= 'z') return UINT(c - 'a' + 'A');
    if (c >= '0' && c <= '9') return UINT(c);
  }
  return 0;
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> result;
  std::istringstream in(line);
  std::string word;
  while (in >> word) result.push_back(word);
  return result;
}

// The rest of a line after its first word and the blanks that follow it.
std::string restAfterCommand(const std::string& line) {
  size_t start = line.find_first_not_of(" \t");
  size_t end = line.find_first_of(" \t", start);
  if (end == std::string::npos) return "";
  size_t rest = line.find_first_not_of(" \t", end);
  return rest == std::string::npos ? "" : line.substr(rest);
}

}  // namespace

bool keySteps(const std::string& name, std::vector<ScriptStep>* steps) {
  bool control = name.rfind("CTRL+", 0) == 0;
  UINT code = keyCode(control ? name.substr(5) : name);
  if (code == 0) return false;
  auto press = [&](ScriptStep::Kind kind, UINT virtualKey) {
    ScriptStep step = ScriptStep::of(kind);
    step.virtualKey = virtualKey;
    steps->push_back(step);
  };
  if (control) press(ScriptStep::Kind::KeyDown, VK_CONTROL);
  press(ScriptStep::Kind::KeyDown, code);
  press(ScriptStep::Kind::KeyUp, code);
  if (control) press(ScriptStep::Kind::KeyUp, VK_CONTROL);
  return true;
}

std::string scriptName(const std::string& path) { return path == "-" ? "<stdin>" : path; }

bool parseScript(const std::string& text, const std::string& name, int screenWidth, int screenHeight,
                 std::vector<ScriptStep>* steps, std::string* error) {
  std::vector<ScriptStep> parsed;
  std::istringstream in(text);
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> word = words(line);
    if (word.empty() || word[0][0] == '#') continue;
    const std::string& command = word[0];
    auto fail = [&](const std::string& message) {
      *error = name + ":" + std::to_string(lineNumber) + ": " + message;
      return false;
    };
    auto add = [&](ScriptStep step) {
      step.line = lineNumber;
      parsed.push_back(std::move(step));
    };
    auto point = [&](size_t first, ScriptStep::Kind kind) {
      long long x = 0;
      long long y = 0;
      if (!parseNumber(word[first], 0, screenWidth - 1, &x) || !parseNumber(word[first + 1], 0, screenHeight - 1, &y))
        return fail(command + ": (" + word[first] + ", " + word[first + 1] + ") is not a point of the " +
                    std::to_string(screenWidth) + "x" + std::to_string(screenHeight) + " screen");
      ScriptStep step = ScriptStep::of(kind);
      step.x = int(x);
      step.y = int(y);
      add(step);
      return true;
    };
    auto arguments = [&](size_t count, const char* form) {
      if (word.size() == count + 1) return true;
      return fail(command + " takes " + form);
    };

    if (command == "down" || command == "up" || command == "tap") {
      if (!arguments(2, "X Y")) return false;
      if (command != "up" && !point(1, ScriptStep::Kind::StylusDown)) return false;
      if (command != "down" && !point(1, ScriptStep::Kind::StylusUp)) return false;
    } else if (command == "drag") {
      if (!arguments(4, "X1 Y1 X2 Y2")) return false;
      if (!point(1, ScriptStep::Kind::StylusDown) || !point(3, ScriptStep::Kind::StylusUp)) return false;
    } else if (command == "key") {
      if (!arguments(1, "a key name")) return false;
      std::vector<ScriptStep> presses;
      if (!keySteps(word[1], &presses)) return fail("unknown key '" + word[1] + "'");
      for (auto& press : presses) add(press);
    } else if (command == "wait") {
      if (!arguments(1, "milliseconds")) return false;
      long long milliseconds = 0;
      if (!parseNumber(word[1], 0, INT32_MAX, &milliseconds))
        return fail("wait: '" + word[1] + "' is not a number of milliseconds");
      ScriptStep step = ScriptStep::of(ScriptStep::Kind::Wait);
      step.milliseconds = uint32_t(milliseconds);
      add(step);
    } else if (command == "answer") {
      if (!arguments(1, "OK, CANCEL, YES or NO")) return false;
      int code = answerCode(word[1]);
      if (code == 0) return fail("answer: '" + word[1] + "' is not OK, CANCEL, YES or NO");
      ScriptStep step = ScriptStep::of(ScriptStep::Kind::Answer);
      step.answer = code;
      add(step);
    } else if (command == "choose") {
      std::string path = restAfterCommand(line);
      if (path.empty()) return fail("choose takes a path");
      ScriptStep step = ScriptStep::of(ScriptStep::Kind::Choose);
      step.text = path;
      add(step);
    } else if (command == "choose-cancel") {
      if (!arguments(0, "nothing")) return false;
      add(ScriptStep::of(ScriptStep::Kind::ChooseCancel));
    } else if (command == "screenshot") {
      if (!arguments(1, "a file name")) return false;
      ScriptStep step = ScriptStep::of(ScriptStep::Kind::Screenshot);
      step.text = word[1];
      add(step);
    } else {
      return fail("unknown command '" + command + "'");
    }
  }
  steps->insert(steps->end(), parsed.begin(), parsed.end());
  return true;
}

}  // namespace platform
