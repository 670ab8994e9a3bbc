// The screens --help lists are the ones the game plays on: every size it names is accepted,
// 480x748 plays by 480x800's rules, and no size it leaves out is accepted.
#include <gtest/gtest.h>

#include "app/MainLayout.h"

#include <cctype>
#include <set>
#include <string>
#include <utility>

namespace {

TEST(ScreenList, HelpNamesExactlyTheScreensTheGameAccepts) {
  const std::string listed = PROGRAM_SCREENS;
  std::set<std::pair<int, int>> sizes;
  // Every WIDTHxHEIGHT in the text.
  for (size_t x = listed.find('x'); x != std::string::npos; x = listed.find('x', x + 1)) {
    size_t begin = x;
    while (begin > 0 && std::isdigit(static_cast<unsigned char>(listed[begin - 1]))) --begin;
    size_t end = x + 1;
    while (end < listed.size() && std::isdigit(static_cast<unsigned char>(listed[end]))) ++end;
    if (begin < x && end > x + 1)
      sizes.insert({std::stoi(listed.substr(begin, x - begin)), std::stoi(listed.substr(x + 1))});
  }
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
