#include "desktop/bars.h"

#include "desktop/split.h"
#include "unit/workspace_test.h"

namespace tessel {
namespace {

// (0, 0, 1000, 800) split side by side; the right leaf stacked:
// L (0, 0, 498, 800) | R1 (502, 0, 1000, 398) over R2 (502, 402, 1000, 800).
class SplitterTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    desktop.workArea = {0, 0, 1000, 800};
    ASSERT_TRUE(SplitFrame(ws, nullptr, true));
    left = ws.model.frameList;
    root = left->parent;
    r1 = root->second;
    ASSERT_TRUE(SplitFrame(ws, r1, false));
    rightSplit = r1->parent;
    r2 = rightSplit->second;
  }
  Frame* root = nullptr;
  Frame* left = nullptr;
  Frame* rightSplit = nullptr;
  Frame* r1 = nullptr;
  Frame* r2 = nullptr;
};

TEST_F(SplitterTest, HighlightRunsAlongTheActiveFramesEdge) {
  // The root bar is (498, 0)-(502, 800); the right split's (502, 398)-(1000, 402).
  BarHighlight h = HighlightFor(*root, left);
  EXPECT_EQ(h.pattern, kPatternArrowLeft);
  EXPECT_EQ(h.rect, (Rect{0, -4, 4, 804})) << "4 px past both ends of the frame";
  h = HighlightFor(*root, r2);
  EXPECT_EQ(h.pattern, kPatternArrowRight);
  EXPECT_EQ(h.rect, (Rect{0, 398, 4, 804}));
  EXPECT_EQ(HighlightFor(*rightSplit, r1).pattern, kPatternArrowUp);
  EXPECT_EQ(HighlightFor(*rightSplit, r1).rect, (Rect{-4, 0, 502, 4}));
  EXPECT_EQ(HighlightFor(*rightSplit, r2).pattern, kPatternArrowDown);
  EXPECT_EQ(HighlightFor(*rightSplit, left).pattern, kPatternNone) << "not bordering it";
  EXPECT_EQ(HighlightFor(*rightSplit, left).rect, Rect{});
  EXPECT_EQ(HighlightFor(*root, nullptr).pattern, kPatternNone);
}

TEST_F(SplitterTest, DragFollowsTheLineAsFarAsItMoves) {
  Rect proposed = root->splitter->bar.Offset(100, 37);  // the mouse also drifted down
  EXPECT_TRUE(ConstrainBarDrag(ws, root, &proposed));
  EXPECT_EQ(proposed, (Rect{598, 0, 602, 800})) << "only along its axis";
  EXPECT_EQ(root->splitter->bar, proposed);
  EXPECT_EQ(r1->rect.left, 602);
  EXPECT_EQ(r2->rect.left, 602);

  proposed = root->splitter->bar.Offset(1000, 0);
  ConstrainBarDrag(ws, root, &proposed);
  EXPECT_EQ(proposed.left, 950 - 4) << "the right side keeps 50 px";

  // Refused: the bar is drawn at the line, and its record keeps its place.
  const Rect before = root->splitter->bar;
  proposed = before.Offset(5, 0);
  ConstrainBarDrag(ws, root, &proposed);
  EXPECT_EQ(proposed, before);
  EXPECT_EQ(root->splitter->bar, before);

  Frame* gone = CreateFrame();
  EXPECT_FALSE(ConstrainBarDrag(ws, gone, &proposed)) << "a bar whose frame is gone";
  ws.model.DeleteFrame(gone);
}

TEST_F(SplitterTest, RelayoutMovesBarsAndRefitsWindowsAlongTheLine) {
  const WindowId w = Open({600, 100, 900, 300});
  ManagedWindow* r = ManageWindow(ws, nullptr, w);
  ASSERT_EQ(r->frame, r1);
  r->managedTick = 0;
  Rect proposed = root->splitter->bar.Offset(200, 0);
  ConstrainBarDrag(ws, root, &proposed);
  desktop.ClearCalls();
  EXPECT_TRUE(RelayoutSplitLine(ws, root));
  EXPECT_EQ(rightSplit->splitter->bar, (Rect{702, 398, 1000, 402}));
  EXPECT_EQ(desktop.RectOf(rightSplit->splitter->hwnd), (Rect{702, 398, 1000, 402}));
  EXPECT_TRUE(desktop.RegionEquals(w, {{102, 0, 300, 200}})) << "clipped at the moved line";

  desktop.ClearCalls();
  RelayoutSplitLine(ws, root);
  EXPECT_EQ(desktop.CallCount("SetWindowPos"), 0) << "nothing left to move";
  EXPECT_FALSE(RelayoutSplitLine(ws, nullptr));
}

}  // namespace
}  // namespace tessel
