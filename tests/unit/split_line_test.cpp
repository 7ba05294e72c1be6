#include "layout/split_line.h"

#include <gtest/gtest.h>

#include "support/frame_tree.h"

namespace tessel {
namespace {

struct Move {
  const char* what;
  bool fromSecond;  // moved from the second child, for which a positive delta grows it
  std::int32_t delta, applied;
  std::int32_t line;  // the first child's far edge afterwards
};

void MoveInTurn(const Rect& area, bool vertical, const std::vector<Move>& moves) {
  FrameModel model;
  Frame* root = FrameTree{model}.SplitArea(area, vertical);
  for (const Move& m : moves) {
    SCOPED_TRACE(m.what);
    EXPECT_EQ(MoveSplitLine(m.fromSecond ? root->second : root->first, m.delta), m.applied);
    const Rect& a = root->first->rect;
    const Rect& b = root->second->rect;
    EXPECT_EQ(vertical ? a.right : a.bottom, m.line);
    EXPECT_EQ(vertical ? b.left : b.top, m.line + kBarThickness);
  }
}

TEST(SplitLine, TheLineMovesAsFarAsTheShrinkingSideKeepsFiftyPixels) {
  MoveInTurn({0, 0, 1000, 800}, true,
             {{"grows the left", false, 100, 100, 598},
              {"and back", false, -100, -100, 498},
              {"exactly 50 pixels left on the right", false, 460, 448, 946},
              {"the right is at the minimum", false, 1, 0, 946},
              {"the same asked of the right", true, -7, 0, 946},
              {"the other way is free", false, -10, -10, 936},
              {"the left down to 50", false, -1000, -886, 50},
              {"the right cannot grow past it", true, 5, 0, 50},
              {"the right gives room back", true, -448, -448, 498}});
  MoveInTurn(
      {0, 100, 1280, 1004}, false,
      {{"the top down to 50", true, 1000, 400, 150}, {"the bottom down to 50", false, 1000, 800, 950}});
}

TEST(SplitLine, TheNarrowestLeafOnTheLineDecidesAndOthersStay) {
  FrameModel model;
  FrameTree tree{model};
  Frame* root = tree.SplitArea({0, 0, 1200, 900}, true);  // right = (602, 0, 1200, 900)
  Frame* right = tree.Split(root->second, false);         // stacked
  Frame* topRow = tree.Split(right->first, true);         // (602..899) | (903..1200)
  EXPECT_EQ(MoveSplitLine(root->first, 1000), 247) << "the 297-pixel piece keeps 50";
  EXPECT_EQ(topRow->first->rect, (Rect{849, 0, 899, 448}));
  EXPECT_EQ(topRow->second->rect, (Rect{903, 0, 1200, 448})) << "off the line";
  EXPECT_EQ(right->second->rect, (Rect{849, 452, 1200, 900}));
}

TEST(SplitLine, AbsorbModeCollapsesTheFrameAtItsFarEdgeAndItsSiblingTakesTheArea) {
  FrameModel model;
  FrameTree tree{model};
  Frame* stacked = tree.SplitArea({0, 0, 1000, 800}, false);
  Frame* bottom = tree.Split(stacked->second, true);  // the sibling side is split
  EXPECT_EQ(MoveSplitLine(stacked->first, 0), 0);
  EXPECT_EQ(stacked->first->rect, (Rect{0, 0, 1000, 0}));
  EXPECT_EQ(bottom->first->rect.top, 0);
  EXPECT_EQ(bottom->second->rect.top, 0);
  EXPECT_EQ(bottom->splitter->bar, (Rect{498, 0, 502, 800})) << "the inner bar spans the stretched frame";
  EXPECT_EQ(MoveSplitLine(bottom->second, 0), 0);
  EXPECT_EQ(bottom->first->rect, (Rect{0, 0, 1000, 800}));
  EXPECT_EQ(bottom->second->rect, (Rect{1000, 0, 1000, 800}));
  for (Frame* f : {static_cast<Frame*>(nullptr), stacked}) EXPECT_EQ(MoveSplitLine(f, 10), 0) << "no line";
}

}  // namespace
}  // namespace tessel
