// The command line: every option, and every way to get one wrong.
#include "host/Options.h"
#include "host/Start.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using platform::CommandLine;
using platform::parseCommandLine;

TEST(Options, WithoutArgumentsThePhoneHasItsDefaultScreenAndTheHostsModel) {
  CommandLine line = parseCommandLine({});
  ASSERT_EQ(line.action, CommandLine::Action::Run);
  EXPECT_EQ(line.options.screenWidth, 480);
  EXPECT_EQ(line.options.screenHeight, 800);
  EXPECT_FALSE(line.options.modelGiven);
  EXPECT_FALSE(line.options.headless);
  EXPECT_TRUE(line.options.tracePath.empty());
}

TEST(Options, EveryOptionIsRead) {
  CommandLine line = parseCommandLine({"--screen", "320x320", "--model", "SCH-M490", "--headless", "--script", "-",
                                       "--trace", "out.trace", "--refuse-leds"});
  ASSERT_EQ(line.action, CommandLine::Action::Run) << line.error;
  EXPECT_EQ(line.options.screenWidth, 320);
  EXPECT_EQ(line.options.screenHeight, 320);
  EXPECT_TRUE(line.options.modelGiven);
  EXPECT_EQ(line.options.model, u"SCH-M490");
  EXPECT_TRUE(line.options.headless);
  EXPECT_EQ(line.options.scriptPath, "-");
  EXPECT_EQ(line.options.tracePath, "out.trace");
  EXPECT_TRUE(line.options.refuseLeds);

  EXPECT_TRUE(parseCommandLine({"--leds"}).options.leds);
  EXPECT_EQ(parseCommandLine({"--screen=640x480"}).options.screenWidth, 640);
}

TEST(Options, AnySizeIsAcceptedAndAnEmptyModelReportsNone) {
  CommandLine odd = parseCommandLine({"--screen", "1x7"});
  ASSERT_EQ(odd.action, CommandLine::Action::Run) << odd.error;
  EXPECT_EQ(odd.options.screenWidth, 1);
  EXPECT_EQ(odd.options.screenHeight, 7);

  CommandLine none = parseCommandLine({"--model", ""});
  ASSERT_EQ(none.action, CommandLine::Action::Run);
  EXPECT_TRUE(none.options.modelGiven);
  EXPECT_TRUE(none.options.model.empty());

  EXPECT_EQ(parseCommandLine({"--model", "가나다"}).options.model, u"가나다");
}

TEST(Options, HelpAndVersionAreActionsOfTheirOwn) {
  EXPECT_EQ(parseCommandLine({"--help"}).action, CommandLine::Action::Help);
  EXPECT_EQ(parseCommandLine({"--version"}).action, CommandLine::Action::Version);
  EXPECT_EQ(parseCommandLine({"--version", "--help"}).action, CommandLine::Action::Help);
  EXPECT_NE(platform::usageText("vortelle").find("--screen WxH"), std::string::npos);
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
      {{"--refuse-leds"}, "--refuse-leds"},
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

// The program itself: argv as the system gives it.
void startWith(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "/usr/bin/vortelle");
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  platform::startFromCommandLine(int(arguments.size()), argv.data());
}

std::string writeFile(const std::string& name, const std::string& text) {
  std::string path = testing::TempDir() + name;
  std::ofstream(path) << text;
  return path;
}

TEST(OptionsDeathTest, AMistakeEndsTheProgramWithTwoBeforeTheGameStarts) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(startWith({"--screen", "big"}), testing::ExitedWithCode(2), "^vortelle: --screen: 'big' is not");
  EXPECT_EXIT(startWith({"--bogus"}), testing::ExitedWithCode(2), "unknown option --bogus");
  EXPECT_EXIT(startWith({"--headless", "--script", "/nonexistent/play.script"}), testing::ExitedWithCode(2),
              "--script: cannot read /nonexistent/play.script");
  EXPECT_EXIT(startWith({"--headless", "--trace", "/nonexistent/dir/out.trace"}), testing::ExitedWithCode(2),
              "--trace: cannot write");
}

TEST(OptionsDeathTest, AScriptErrorIsReportedWithItsLineBeforeAnythingIsPlayed) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string script = writeFile("bad.script", "# a comment\n\nwait 10\njump 3 4\n");
  EXPECT_EXIT(startWith({"--headless", "--script", script}), testing::ExitedWithCode(2),
              "line 4: unknown command 'jump'");
}

TEST(OptionsDeathTest, HelpAndVersionEndWithZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(startWith({"--help"}), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(startWith({"--version"}), testing::ExitedWithCode(0), "");
}

}  // namespace
