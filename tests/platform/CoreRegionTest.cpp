// Regions keep one way of writing down each set of pixels: bands top to bottom, spans left to
// right, touching bands with the same spans joined.
#include <gtest/gtest.h>

#include <string>

#include "core/Region.h"

using platform::core::Region;

namespace {

std::string text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + " ";
}

std::string rectsOf(const Region& region) {
  std::string all;
  for (const RECT& r : region.rects()) all += text(r);
  return all;
}

}  // namespace

TEST(CoreRegion, KeepsBandsInOneWay) {
  Region overlap(RECT{0, 0, 10, 10});
  overlap.add(RECT{5, 5, 15, 15});
  EXPECT_EQ(rectsOf(overlap), "0,0,10,5 0,5,15,10 5,10,15,15 ");

  // Side by side and one above the other, they become one rectangle.
  Region joined(RECT{-5, -5, 0, 5});
  joined.add(RECT{0, -5, 5, 5});
  joined.add(RECT{-5, 5, 5, 8});
  EXPECT_EQ(rectsOf(joined), "-5,-5,5,8 ");

  Region hole(RECT{0, 0, 9, 9});
  hole.subtract(RECT{3, 3, 6, 6});
  EXPECT_EQ(rectsOf(hole), "0,0,9,3 0,3,3,6 6,3,9,6 0,6,9,9 ");
  EXPECT_FALSE(hole.contains(4, 4));
  EXPECT_TRUE(hole.contains(8, 8));
  EXPECT_EQ(text(hole.bounds()), "0,0,9,9 ");

  hole.add(RECT{3, 3, 6, 6});
  EXPECT_EQ(rectsOf(hole), "0,0,9,9 ");
  hole.intersect(RECT{-1, 7, 2, 20});
  hole.offset(-2, 1);
  EXPECT_EQ(rectsOf(hole), "-2,8,0,10 ");

  Region empty(RECT{4, 4, 4, 9});
  EXPECT_TRUE(empty.empty());
  hole.intersect(empty);
  EXPECT_TRUE(hole.empty());
  EXPECT_EQ(text(hole.bounds()), "0,0,0,0 ");
}
