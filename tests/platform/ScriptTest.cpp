// The headless driver's script: what each line becomes, and how a bad line is reported.
#include "backends/headless/Script.h"

#include <gtest/gtest.h>

namespace {

using platform::ScriptStep;
using Kind = platform::ScriptStep::Kind;

std::vector<ScriptStep> parse(const std::string& text) {
  std::vector<ScriptStep> steps;
  std::string error;
  EXPECT_TRUE(platform::parseScript(text, 480, 800, &steps, &error)) << error;
  return steps;
}

std::string errorOf(const std::string& text) {
  std::vector<ScriptStep> steps;
  std::string error;
  EXPECT_FALSE(platform::parseScript(text, 480, 800, &steps, &error)) << text;
  EXPECT_TRUE(steps.empty());
  return error;
}

TEST(Script, StylusCommandsBecomeDownsAndUpsAtTheirPoints) {
  auto steps = parse("down 1 2\nup 3 4\ntap 10 20\ndrag 0 0 479 799\n");
  ASSERT_EQ(steps.size(), 6u);
  const struct {
    Kind kind;
    int x, y;
  } expected[] = {{Kind::StylusDown, 1, 2}, {Kind::StylusUp, 3, 4},   {Kind::StylusDown, 10, 20},
                  {Kind::StylusUp, 10, 20}, {Kind::StylusDown, 0, 0}, {Kind::StylusUp, 479, 799}};
  for (size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].kind, expected[i].kind) << i;
    EXPECT_EQ(steps[i].x, expected[i].x) << i;
    EXPECT_EQ(steps[i].y, expected[i].y) << i;
  }
  EXPECT_EQ(steps[2].line, 3);
}

TEST(Script, KeysPressAndReleaseWithControlAroundThem) {
  auto steps = parse("key CTRL+Q\n");
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].kind, Kind::KeyDown);
  EXPECT_EQ(steps[0].virtualKey, UINT(VK_CONTROL));
  EXPECT_EQ(steps[1].kind, Kind::KeyDown);
  EXPECT_EQ(steps[1].virtualKey, UINT('Q'));
  EXPECT_EQ(steps[2].kind, Kind::KeyUp);
  EXPECT_EQ(steps[2].virtualKey, UINT('Q'));
  EXPECT_EQ(steps[3].kind, Kind::KeyUp);
  EXPECT_EQ(steps[3].virtualKey, UINT(VK_CONTROL));

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

TEST(Script, WaitsAnswersChoicesAndScreenshotsKeepTheirValues) {
  auto steps = parse(
      "wait 1500\nanswer YES\nanswer CANCEL\nchoose /home/me/my pictures/a b.jpg\nchoose-cancel\nscreenshot "
      "out.png\n");
  ASSERT_EQ(steps.size(), 6u);
  EXPECT_EQ(steps[0].kind, Kind::Wait);
  EXPECT_EQ(steps[0].milliseconds, 1500u);
  EXPECT_EQ(steps[1].answer, IDYES);
  EXPECT_EQ(steps[2].answer, IDCANCEL);
  EXPECT_EQ(steps[3].kind, Kind::Choose);
  EXPECT_EQ(steps[3].text, "/home/me/my pictures/a b.jpg");
  EXPECT_EQ(steps[4].kind, Kind::ChooseCancel);
  EXPECT_EQ(steps[5].kind, Kind::Screenshot);
  EXPECT_EQ(steps[5].text, "out.png");
}

TEST(Script, CommentsBlankLinesAndWindowsLineEndsAreSkipped) {
  auto steps = parse("# options: --screen 480x800\n\n   \n  # indented comment\r\nwait 5\r\n");
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].milliseconds, 5u);
  EXPECT_EQ(steps[0].line, 5);
}

TEST(Script, ABadLineIsReportedWithItsNumber) {
  EXPECT_EQ(errorOf("# one\n\nwait 10\nfly 1 2\n"), "line 4: unknown command 'fly'");
  EXPECT_EQ(errorOf("tap 1\n").rfind("line 1: tap", 0), 0u);
  EXPECT_EQ(errorOf("wait 1\ntap 480 10\n").rfind("line 2: tap: (480, 10) is not a point", 0), 0u);
  EXPECT_EQ(errorOf("tap -1 10\n").rfind("line 1:", 0), 0u);
  EXPECT_EQ(errorOf("wait soon\n").rfind("line 1: wait", 0), 0u);
  EXPECT_EQ(errorOf("wait -5\n").rfind("line 1: wait", 0), 0u);
  EXPECT_EQ(errorOf("\nanswer MAYBE\n").rfind("line 2: answer", 0), 0u);
  EXPECT_EQ(errorOf("key HOME\n"), "line 1: unknown key 'HOME'");
  EXPECT_EQ(errorOf("key CTRL+\n"), "line 1: unknown key 'CTRL+'");
  EXPECT_EQ(errorOf("choose\n").rfind("line 1: choose", 0), 0u);
  EXPECT_EQ(errorOf("choose-cancel now\n").rfind("line 1: choose-cancel", 0), 0u);
  EXPECT_EQ(errorOf("screenshot\n").rfind("line 1: screenshot", 0), 0u);
}

}  // namespace
