#include "layout/split_geometry.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(SplitGeometry, HalvesKeepAFourPixelBarAndRefuseUnder105Pixels) {
  struct Row {
    const char* name;
    Rect area;
    bool vertical;
    bool refused;
    Rect first;
    Rect second;
  };
  const Row rows[] = {
      {"1000 wide side by side", {0, 0, 1000, 800}, true, false, {0, 0, 498, 800}, {502, 0, 1000, 800}},
      {"1001 wide: the odd pixel goes right",
       {0, 0, 1001, 800},
       true,
       false,
       {0, 0, 498, 800},
       {502, 0, 1001, 800}},
      {"stacked, offset", {10, 100, 500, 900}, false, false, {10, 100, 500, 498}, {10, 502, 500, 900}},
      {"105 across: the smallest split", {0, 0, 105, 800}, true, false, {0, 0, 50, 800}, {54, 0, 105, 800}},
      {"104 across: refused", {0, 0, 104, 800}, true, true, {}, {}},
      {"5 tall: refused", {0, 0, 800, 5}, false, true, {}, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(TooSmallToSplit(r.area, r.vertical), r.refused);
    if (r.refused) continue;
    Rect first, second;
    SplitHalves(r.area, r.vertical, &first, &second);
    EXPECT_EQ(first, r.first);
    EXPECT_EQ(second, r.second);
  }
}

TEST(SplitGeometry, AWindowGoesWhereMostOfItOrItsTitleBarLies) {
  const Rect left{0, 0, 498, 800}, right{502, 0, 1000, 800};
  const Rect top{0, 0, 1000, 398}, bottom{0, 402, 1000, 800};
  EXPECT_FALSE(GoesToSecondHalf({100, 50, 500, 300}, left, right, true)) << "mostly left";
  EXPECT_TRUE(GoesToSecondHalf({400, 50, 800, 300}, left, right, true)) << "mostly right";
  EXPECT_FALSE(GoesToSecondHalf({100, 300, 500, 700}, top, bottom, false)) << "top above the second half";
  EXPECT_TRUE(GoesToSecondHalf({100, 404, 500, 700}, top, bottom, false)) << "top inside the second half";
}

}  // namespace
}  // namespace tessel
