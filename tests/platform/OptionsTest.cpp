// The command line: every option, and every way to get one wrong, with its message and exit code.
#include "host/Options.h"
#include "host/Start.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using platform::CommandLine;
using platform::parseCommandLine;

TEST(Options, EveryOptionIsReadAndTheDefaultsAreThePhones) {
  CommandLine none = parseCommandLine({});
  ASSERT_EQ(none.action, CommandLine::Action::Run);
  EXPECT_EQ(none.options.screenWidth, 480);
  EXPECT_EQ(none.options.screenHeight, 800);
  EXPECT_FALSE(none.options.modelGiven);
  EXPECT_FALSE(none.options.headless);

  CommandLine line = parseCommandLine({"--screen", "1x7", "--model", "가나다", "--headless", "--script", "-", "--trace",
                                       "out.trace", "--refuse-leds", "--leds"});
  ASSERT_EQ(line.action, CommandLine::Action::Run) << line.error;
  EXPECT_EQ(line.options.screenWidth, 1);  // any size: the game refuses what it can't show
  EXPECT_EQ(line.options.screenHeight, 7);
  EXPECT_EQ(line.options.model, u"가나다");
  EXPECT_TRUE(line.options.headless);
  EXPECT_EQ(line.options.scriptPath, "-");
  EXPECT_EQ(line.options.tracePath, "out.trace");
  EXPECT_TRUE(line.options.refuseLeds);
  EXPECT_TRUE(line.options.leds);

  EXPECT_EQ(parseCommandLine({"--screen=640x480"}).options.screenWidth, 640);
  CommandLine desktopRefusing = parseCommandLine({"--refuse-leds"});  // the desktop's driver refuses too
  ASSERT_EQ(desktopRefusing.action, CommandLine::Action::Run) << desktopRefusing.error;
  EXPECT_TRUE(desktopRefusing.options.refuseLeds);
  CommandLine noModel = parseCommandLine({"--model", ""});
  EXPECT_TRUE(noModel.options.modelGiven);
  EXPECT_TRUE(noModel.options.model.empty());
  EXPECT_EQ(parseCommandLine({"--version", "--help"}).action, CommandLine::Action::Help);
  EXPECT_EQ(parseCommandLine({"--version"}).action, CommandLine::Action::Version);
}

TEST(Options, MistakesNameTheOptionInOneLine) {
  const struct {
    std::vector<std::string> arguments;
    const char* named;
  } mistakes[] = {
      {{"--bogus"}, "--bogus"},
      {{"-x"}, "-x"},
      {{"stray"}, "stray"},
      {{"--screen"}, "--screen"},
      {{"--screen", "480"}, "--screen"},
      {{"--screen", "0x800"}, "--screen"},
      {{"--screen", "480x-1"}, "--screen"},
      {{"--screen", "480x800x2"}, "--screen"},
      {{"--screen", "x800"}, "--screen"},
      {{"--screen", "480 x 800"}, "--screen"},
      {{"--screen", "99999x800"}, "--screen"},
      {{"--model"}, "--model"},
      {{"--trace"}, "--trace"},
      {{"--trace", ""}, "--trace"},
      {{"--script", "play.script"}, "--script"},
      {{"--headless", "--script", ""}, "--script"},
      {{"--headless=yes"}, "--headless"},
  };
  for (const auto& mistake : mistakes) {
    CommandLine line = parseCommandLine(mistake.arguments);
    std::string shown = mistake.arguments[0] + (mistake.arguments.size() > 1 ? " " + mistake.arguments[1] : "");
    EXPECT_EQ(line.action, CommandLine::Action::Error) << shown;
    EXPECT_NE(line.error.find(mistake.named), std::string::npos) << shown << ": " << line.error;
    EXPECT_EQ(line.error.find('\n'), std::string::npos) << line.error;
  }
}

TEST(Options, HelpListsTheScreensTheProgramGives) {
  const std::string screens = "the program plays on 1x2 and 3x4";
  std::string withScreens = platform::usageText("prog", screens.c_str());
  EXPECT_EQ(withScreens.rfind("Usage: prog [options]\n", 0), 0u) << withScreens;
  EXPECT_NE(withScreens.find("(default 480x800)\n                   " + screens + "\n"), std::string::npos)
      << withScreens;
  EXPECT_EQ(platform::usageText("prog").find("plays on"), std::string::npos);
  EXPECT_EQ(platform::usageText("prog", nullptr), platform::usageText("prog", ""));
}

// The program itself: argv as the system gives it.
void startWith(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "/usr/bin/vortelle");
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  platform::startFromCommandLine(int(arguments.size()), argv.data());
}

TEST(OptionsDeathTest, MistakesEndTheProgramWithTwoBeforeTheGameStartsAndHelpWithZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string script = testing::TempDir() + "bad.script";
  std::ofstream(script) << "# a comment\n\nwait 10\njump 3 4\n";
  const struct {
    std::vector<std::string> arguments;
    int code;
    const char* message;
  } runs[] = {
      {{"--screen", "big"}, 2, "^vortelle: --screen: 'big' is not"},
      {{"--bogus"}, 2, "unknown option --bogus"},
      {{"--headless", "--script", "/nonexistent/play.script"}, 2, "--script: cannot read /nonexistent/play.script"},
      {{"--headless", "--trace", "/nonexistent/dir/out.trace"}, 2, "--trace: cannot write"},
      // A script error is reported with its file and line before anything is played.
      {{"--headless", "--script", script}, 2, "^vortelle: [^\n]*bad\\.script:4: unknown command 'jump'\n$"},
      {{"--help"}, 0, "^$"},
      {{"--version"}, 0, "^$"},
  };
  for (const auto& run : runs) EXPECT_EXIT(startWith(run.arguments), testing::ExitedWithCode(run.code), run.message);
}

}  // namespace
