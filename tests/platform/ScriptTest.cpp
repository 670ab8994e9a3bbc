// The headless driver's script: what each line becomes, and how a bad line is reported.
#include "backends/headless/Script.h"

#include <gtest/gtest.h>

namespace {

using platform::ScriptStep;
using Kind = platform::ScriptStep::Kind;

std::vector<ScriptStep> parse(const std::string& text) {
  std::vector<ScriptStep> steps;
  std::string error;
  EXPECT_TRUE(platform::parseScript(text, "play.script", 480, 800, &steps, &error)) << error;
  return steps;
}

// A step as "kind values", for comparisons that show every step.
std::string described(const ScriptStep& step) {
  static const char* const kinds[] = {"down",   "up",     "keydown",       "keyup",     "wait",
                                      "answer", "choose", "choose-cancel", "screenshot"};
  std::string text = std::string(kinds[static_cast<int>(step.kind)]) + " line " + std::to_string(step.line) + ":";
  switch (step.kind) {
    case Kind::StylusDown:
    case Kind::StylusUp:
      return text + " " + std::to_string(step.x) + "," + std::to_string(step.y);
    case Kind::KeyDown:
    case Kind::KeyUp:
      return text + " " + std::to_string(step.virtualKey);
    case Kind::Wait:
      return text + " " + std::to_string(step.milliseconds);
    case Kind::Answer:
      return text + " " + std::to_string(step.answer);
    default:
      return text + step.text;
  }
}

TEST(Script, EachLineBecomesItsSteps) {
  std::vector<std::string> steps;
  for (const ScriptStep& step : parse("# options: --screen 480x800\n\n   \n  # indented comment\r\n"
                                      "down 1 2\nup 3 4\ntap 10 20\ndrag 0 0 479 799\nkey CTRL+Q\nwait 1500\n"
                                      "answer YES\nanswer CANCEL\nchoose /home/me/my pictures/a b.jpg\r\n"
                                      "choose-cancel\nscreenshot out.png\n"))
    steps.push_back(described(step));
  EXPECT_EQ(steps, (std::vector<std::string>{"down line 5: 1,2", "up line 6: 3,4", "down line 7: 10,20",
                                             "up line 7: 10,20", "down line 8: 0,0", "up line 8: 479,799",
                                             "keydown line 9: 17", "keydown line 9: 81", "keyup line 9: 81",
                                             "keyup line 9: 17", "wait line 10: 1500", "answer line 11: 6",
                                             "answer line 12: 2", "choose line 13:/home/me/my pictures/a b.jpg",
                                             "choose-cancel line 14:", "screenshot line 15:out.png"}));
}

TEST(Script, KeyNamesAreThePhonesKeys) {
  const std::pair<const char*, UINT> names[] = {{"RETURN", VK_RETURN},
                                                {"SELECT", 0x29},
                                                {"ESCAPE", VK_ESCAPE},
                                                {"LEFT", VK_LEFT},
                                                {"RIGHT", VK_RIGHT},
                                                {"UP", VK_UP},
                                                {"DOWN", VK_DOWN},
                                                {"F1", 0x70},
                                                {"F2", 0x71},
                                                {"A", 'A'},
                                                {"7", '7'}};
  for (const auto& [name, code] : names) {
    auto press = parse(std::string("key ") + name);
    ASSERT_EQ(press.size(), 2u) << name;
    EXPECT_EQ(press[0].virtualKey, code) << name;
    EXPECT_EQ(press[1].kind, Kind::KeyUp) << name;
  }
}

TEST(Script, ABadLineIsReportedWithItsFileAndNumberAndNothingIsKept) {
  const std::pair<const char*, const char*> bad[] = {
      {"# one\n\nwait 10\nfly 1 2\n", "play.script:4: unknown command 'fly'"},
      {"tap 1\n", "play.script:1: tap"},
      {"wait 1\ntap 480 10\n", "play.script:2: tap: (480, 10) is not a point"},
      {"tap -1 10\n", "play.script:1:"},
      {"wait soon\n", "play.script:1: wait"},
      {"wait -5\n", "play.script:1: wait"},
      {"\nanswer MAYBE\n", "play.script:2: answer"},
      {"key HOME\n", "play.script:1: unknown key 'HOME'"},
      {"key CTRL+\n", "play.script:1: unknown key 'CTRL+'"},
      {"choose\n", "play.script:1: choose"},
      {"choose-cancel now\n", "play.script:1: choose-cancel"},
      {"screenshot\n", "play.script:1: screenshot"},
  };
  for (const auto& [text, message] : bad) {
    std::vector<ScriptStep> steps;
    std::string error;
    EXPECT_FALSE(platform::parseScript(text, "play.script", 480, 800, &steps, &error)) << text;
    EXPECT_TRUE(steps.empty()) << text;
    EXPECT_EQ(error.rfind(message, 0), 0u) << text << ": " << error;
  }
}

TEST(Script, StandardInputIsNamedAsSuch) {
  EXPECT_EQ(platform::scriptName("-"), "<stdin>");
  EXPECT_EQ(platform::scriptName("../play.script"), "../play.script");
}

}  // namespace
