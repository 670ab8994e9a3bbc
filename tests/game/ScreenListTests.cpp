// The screens --help lists are the ones the game plays on: every size it names is accepted,
// 480x748 plays by 480x800's rules, and no size it leaves out is accepted.
#include <gtest/gtest.h>

#include "app/MainLayout.h"

#include <regex>
#include <set>
#include <string>
#include <utility>

namespace {

TEST(ScreenList, HelpNamesExactlyTheScreensTheGameAccepts) {
  const std::string listed = PROGRAM_SCREENS;
  std::set<std::pair<int, int>> sizes;
  const std::regex size("([0-9]+)x([0-9]+)");
  for (auto match = std::sregex_iterator(listed.begin(), listed.end(), size); match != std::sregex_iterator(); ++match)
    sizes.insert({std::stoi((*match)[1]), std::stoi((*match)[2])});
  ASSERT_FALSE(sizes.empty()) << listed;

  for (auto [width, height] : sizes)
    EXPECT_NE(ProfileOfSize(width, height), SCREEN_UNSUPPORTED) << width << "x" << height << " is listed";
  EXPECT_NE(listed.find("480x748 as 480x800"), std::string::npos) << listed;
  EXPECT_EQ(ProfileOfSize(480, 748), ProfileOfSize(480, 800));

  for (int width = 1; width <= 1000; ++width)
    for (int height = 1; height <= 1000; ++height)
      if (ProfileOfSize(width, height) != SCREEN_UNSUPPORTED) {
        EXPECT_EQ(sizes.count({width, height}), 1u) << width << "x" << height << " is played but not listed";
      }
}

}  // namespace
