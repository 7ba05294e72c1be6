#include "layout/split_line.h"

#include <gtest/gtest.h>

#include "fakes/fake_window_system.h"
#include "layout/frame_model.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

class SplitLineTest : public ::testing::Test {
 protected:
  FakeWindowSystem desktop;
  FrameModel model;
  FrameTree tree{model, desktop};
};

TEST_F(SplitLineTest, LineMovesAsFarAsTheShrinkingSideAllows) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  Frame* left = root->first;
  Frame* right = root->second;
  ASSERT_EQ(left->rect, (Rect{0, 0, 498, 800}));

  EXPECT_EQ(MoveSplitLine(left, 100), 100);
  EXPECT_EQ(left->rect, (Rect{0, 0, 598, 800}));
  EXPECT_EQ(right->rect, (Rect{602, 0, 1000, 800}));

  EXPECT_EQ(MoveSplitLine(left, -100), -100);
  EXPECT_EQ(MoveSplitLine(left, 460), 448);
  EXPECT_EQ(right->rect, (Rect{950, 0, 1000, 800})) << "exactly the minimum is left";

  EXPECT_EQ(MoveSplitLine(left, 1), 0) << "the far side is at the minimum already";
  EXPECT_EQ(right->rect, (Rect{950, 0, 1000, 800}));
  EXPECT_EQ(MoveSplitLine(right, -7), 0) << "the same request, made from the other side";
  EXPECT_EQ(MoveSplitLine(left, -10), -10) << "the other way is free";
  EXPECT_EQ(right->rect, (Rect{940, 0, 1000, 800}));

  EXPECT_EQ(MoveSplitLine(left, -1000), -886);
  EXPECT_EQ(left->rect, (Rect{0, 0, 50, 800}));
  EXPECT_EQ(MoveSplitLine(right, 5), 0) << "from the second child, positive grows it";
  EXPECT_EQ(MoveSplitLine(right, -448), -448);
  EXPECT_EQ(left->rect, (Rect{0, 0, 498, 800}));
  EXPECT_EQ(right->rect, (Rect{502, 0, 1000, 800}));
  EXPECT_EQ(root->splitter->bar, (Rect{498, 0, 502, 800})) << "the parent's own bar is the caller's";
}

TEST_F(SplitLineTest, HorizontalLineClampsOnHeights) {
  Frame* root = tree.SplitArea({0, 100, 1280, 1004}, false);  // 0..550 | 554..1004
  Frame* top = root->first;
  Frame* bottom = root->second;
  ASSERT_EQ(top->rect, (Rect{0, 100, 1280, 550}));
  EXPECT_EQ(MoveSplitLine(bottom, 1000), 400);
  EXPECT_EQ(top->rect, (Rect{0, 100, 1280, 150}));
  EXPECT_EQ(bottom->rect, (Rect{0, 154, 1280, 1004}));
  EXPECT_EQ(MoveSplitLine(top, 1000), 800);
  EXPECT_EQ(bottom->rect, (Rect{0, 954, 1280, 1004}));
}

TEST_F(SplitLineTest, NestedFramesOnTheLineFollowIt) {
  // Left | right, the right split into top over bottom.
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  Frame* right = tree.Split(root->second, false);
  Frame* upper = right->first;
  Frame* lower = right->second;
  const Rect upperBefore = upper->rect;

  EXPECT_EQ(MoveSplitLine(root->first, 100), 100);
  EXPECT_EQ(right->rect, (Rect{602, 0, 1000, 800}));
  EXPECT_EQ(upper->rect, (Rect{602, upperBefore.top, 1000, upperBefore.bottom}));
  EXPECT_EQ(lower->rect.left, 602);
  EXPECT_EQ(right->splitter->bar, (Rect{602, 398, 1000, 402})) << "its bar spans the new width";

  // Left split side by side into A | B: only B, on the line, widens.
  Frame* leftSplit = tree.Split(root->first, true);  // (0,0,598) -> A (0..297) | B (301..598)
  Frame* a = leftSplit->first;
  Frame* b = leftSplit->second;
  const Rect aBefore = a->rect;
  const Rect innerBar = leftSplit->splitter->bar;
  EXPECT_EQ(MoveSplitLine(root->first, 40), 40);
  EXPECT_EQ(a->rect, aBefore);
  EXPECT_EQ(leftSplit->splitter->bar, innerBar);
  EXPECT_EQ(b->rect, (Rect{301, 0, 638, 800}));
  EXPECT_EQ(leftSplit->rect, (Rect{0, 0, 638, 800}));

  // Only leaves on the line limit the move: A is narrow but off the line.
  EXPECT_EQ(MoveSplitLine(root->first, -1000), -(638 - 301 - 50));
  EXPECT_EQ(b->rect.Width(), 50);
}

TEST_F(SplitLineTest, TheNarrowestLeafOnTheShrinkingSideDecides) {
  // Right side: top split side by side (a narrow piece on the line), bottom whole.
  Frame* root = tree.SplitArea({0, 0, 1200, 900}, true);  // right = (602, 0, 1200, 900)
  Frame* right = tree.Split(root->second, false);
  Frame* topRow = tree.Split(right->first, true);  // (602..899) | (903..1200)
  ASSERT_EQ(topRow->first->rect.Width(), 297);
  EXPECT_EQ(MoveSplitLine(root->first, 1000), 247) << "limited by the 297-pixel piece";
  EXPECT_EQ(topRow->first->rect, (Rect{849, 0, 899, 448}));
  EXPECT_EQ(topRow->second->rect, (Rect{903, 0, 1200, 448})) << "off the line";
  EXPECT_EQ(right->second->rect, (Rect{849, 452, 1200, 900})) << "followed the same line";
  EXPECT_EQ(root->first->rect.right, 845);
}

TEST_F(SplitLineTest, AbsorbModeCollapsesTheFrameAtItsFarEdge) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  EXPECT_EQ(MoveSplitLine(root->first, 0), 0);
  EXPECT_EQ(root->second->rect, (Rect{0, 0, 1000, 800}));
  EXPECT_EQ(root->first->rect, (Rect{0, 0, 0, 800}));

  FrameModel other;
  FrameTree otherTree{other, desktop};
  Frame* stacked = otherTree.SplitArea({0, 0, 1000, 800}, false);
  Frame* bottomSplit = otherTree.Split(stacked->second, true);  // the sibling side is split
  EXPECT_EQ(MoveSplitLine(stacked->first, 0), 0) << "absorbed from below by two frames";
  EXPECT_EQ(stacked->first->rect, (Rect{0, 0, 1000, 0}));
  EXPECT_EQ(bottomSplit->first->rect.top, 0);
  EXPECT_EQ(bottomSplit->second->rect.top, 0);
  EXPECT_EQ(bottomSplit->splitter->bar.top, 0) << "the inner bar spans the stretched frame";
  EXPECT_EQ(bottomSplit->splitter->bar.bottom, 800);

  FrameModel third;
  FrameTree thirdTree{third, desktop};
  Frame* sideBySide = thirdTree.SplitArea({0, 0, 1000, 800}, true);
  EXPECT_EQ(MoveSplitLine(sideBySide->second, 0), 0);
  EXPECT_EQ(sideBySide->first->rect, (Rect{0, 0, 1000, 800}));
  EXPECT_EQ(sideBySide->second->rect, (Rect{1000, 0, 1000, 800}));
}

TEST_F(SplitLineTest, FramesOutsideATreeAreRefused) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  EXPECT_EQ(MoveSplitLine(nullptr, 10), 0);
  EXPECT_EQ(MoveSplitLine(root, 10), 0) << "the root has no line of its own to move";
  Frame* stray = CreateFrame();
  stray->parent = root;  // names a parent that does not hold it
  stray->rect = root->first->rect;
  EXPECT_EQ(MoveSplitLine(stray, 10), 0);
  EXPECT_EQ(root->first->rect, (Rect{0, 0, 498, 800}));
  model.DeleteFrame(stray);
}

}  // namespace
}  // namespace tessel
