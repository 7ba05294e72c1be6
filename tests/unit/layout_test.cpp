#include "desktop/apply_layout.h"

#include "desktop/split.h"
#include "unit/layout_invariants.h"
#include "unit/workspace_test.h"
#include "desktop/bars.h"

namespace tessel {
namespace {

class LayoutTest : public WorkspaceTest {
 protected:
  // A loaded chain as the layout file reader hands it over: root (0, 0, 1000, 800) split
  // side by side, the right leaf split stacked; in file order root, left, right split,
  // top right, bottom right.
  Frame* LoadedChain() {
    Frame* root = Leaf({0, 0, 1000, 800});
    Frame* left = Leaf({0, 0, 498, 800});
    Frame* right = Leaf({502, 0, 1000, 800});
    Frame* top = Leaf({502, 0, 1000, 398});
    Frame* bottom = Leaf({502, 402, 1000, 800});
    Join(root, left, right, true);
    Join(right, top, bottom, false);
    root->next = left;
    left->next = right;
    right->next = top;
    top->next = bottom;
    return root;
  }

  static Frame* Leaf(const Rect& r) {
    Frame* f = CreateFrame();
    f->rect = r;
    return f;
  }

  static void Join(Frame* split, Frame* first, Frame* second, bool vertical) {
    split->isSplit = 1;
    split->vertical = vertical ? 1 : 0;
    split->first = first;
    split->second = second;
    first->parent = split;
    second->parent = split;
    split->splitter->thickness = kBarThickness;
  }

  Frame* Root() const {
    for (Frame* f = ws.model.frameList; f; f = f->next)
      if (!f->parent) return f;
    return nullptr;
  }
};

TEST_F(LayoutTest, LoadedLayoutReplacesTheCurrentOneAndTakesTheWindows) {
  desktop.workArea = {0, 0, 1000, 800};
  const WindowId before = Open({10, 10, 300, 300});
  ASSERT_TRUE(SplitFrame(ws, nullptr, false));
  const WindowId oldBar = Root()->splitter->hwnd;

  Frame* chain = LoadedChain();
  ASSERT_TRUE(ApplyLoadedLayout(ws, chain, 5, 3));
  EXPECT_FALSE(desktop.IsWindow(oldBar)) << "the previous layout is gone";
  EXPECT_EQ(ws.model.frameList, chain);
  EXPECT_TRUE(ModelIsSound(ws.model));
  EXPECT_TRUE(TilesExactly(ws.model, desktop.workArea));
  EXPECT_EQ(desktop.RectOf(chain->splitter->hwnd), (Rect{498, 0, 502, 800}));
  Frame* topRight = chain->next->next->next;
  EXPECT_EQ(ws.model.activeFrame, topRight) << "the stored index, in file order";
  EXPECT_EQ(ws.model.FindManagedWindow(before)->frame, chain->next);
}

TEST_F(LayoutTest, BadActiveIndexLeavesNoActiveFrame) {
  ASSERT_TRUE(ApplyLoadedLayout(ws, LoadedChain(), 5, 5));
  EXPECT_EQ(ws.model.activeFrame, nullptr);
  ASSERT_TRUE(ApplyLoadedLayout(ws, LoadedChain(), 5, -1));
  EXPECT_EQ(ws.model.activeFrame, nullptr);
}

TEST_F(LayoutTest, EmptyLayoutRemovesEverythingAndTurnsCompositionBackOn) {
  desktop.version = {6, 1};
  ws.osVersion = desktop.version;
  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  EXPECT_TRUE(ApplyLoadedLayout(ws, nullptr, 0, 0));
  EXPECT_EQ(ws.model.frameList, nullptr);
  EXPECT_EQ(desktop.composition.enableCalls, (std::vector<std::uint32_t>{0, 1})) << "not switched off again";
}

TEST_F(LayoutTest, FailuresLeaveNoFramesAndFreeTheLoadedOnes) {
  desktop.version = {6, 1};
  ws.osVersion = desktop.version;
  bars.failAfter = 1;  // the second bar cannot be made
  EXPECT_FALSE(ApplyLoadedLayout(ws, LoadedChain(), 5, 0));
  EXPECT_EQ(ws.model.frameList, nullptr);
  EXPECT_TRUE(desktop.composition.enabled) << "no frames: composition back on";
  int liveBars = 0;
  desktop.EnumWindows([&](WindowId w) {
    wchar_t cls[32];
    desktop.GetClassNameW(w, cls, 32);
    liveBars += std::wstring(cls) == kSplitterClass;
    return true;
  });
  EXPECT_EQ(liveBars, 0) << "the bar made before the failure is closed";

  bars.failAfter = -1;
  desktop.composition.hasEnable = false;
  EXPECT_FALSE(ApplyLoadedLayout(ws, LoadedChain(), 5, 0));
  EXPECT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(ws.model.frameList, nullptr);
}

class WorkAreaTest : public LayoutTest {
 protected:
  void SetUp() override {
    desktop.workArea = {0, 0, 1000, 800};
    ASSERT_TRUE(ApplyLoadedLayout(ws, LoadedChain(), 5, 1));
    root = Root();
    left = root->first;
    top = root->second->first;
    bottom = root->second->second;
  }
  Frame* root = nullptr;
  Frame* left = nullptr;
  Frame* top = nullptr;
  Frame* bottom = nullptr;
};

TEST_F(WorkAreaTest, TaskbarGrowingShrinksTheFramesOnTheBottomEdge) {
  const WindowId w = Manage(Open({10, 700, 300, 790}))->hwnd;
  // Off the moved edge, and out of line since it was taken in: refitted all the same.
  const WindowId away = Manage(Open({600, 300, 900, 500}))->hwnd;
  ASSERT_EQ(ws.model.FindManagedWindow(away)->frame, top);
  desktop.workArea.bottom = 770;
  EXPECT_EQ(AdaptToWorkArea(ws), 0) << "the last edge, the top, did not move";
  EXPECT_EQ(left->rect, (Rect{0, 0, 498, 770}));
  EXPECT_EQ(bottom->rect, (Rect{502, 402, 1000, 770}));
  EXPECT_EQ(top->rect, (Rect{502, 0, 1000, 398})) << "off the edge: unchanged";
  EXPECT_EQ(root->splitter->bar, (Rect{498, 0, 502, 770}));
  EXPECT_EQ(desktop.RectOf(root->splitter->hwnd), (Rect{498, 0, 502, 770}));
  EXPECT_TRUE(desktop.HasRegion(w)) << "refitted: its bottom is clipped now";
  EXPECT_TRUE(desktop.HasRegion(away)) << "clipped to its frame";
  EXPECT_TRUE(TilesExactly(ws.model, desktop.workArea));
}

TEST_F(WorkAreaTest, ShrinkingStopsWhereTheSmallestLeafKeepsFiftyPixels) {
  desktop.workArea.bottom = 300;  // the bottom-right leaf is 398 high
  AdaptToWorkArea(ws);
  EXPECT_EQ(bottom->rect.Height(), 50);
  EXPECT_EQ(left->rect.bottom, 452);

  desktop.workArea.bottom = 200;
  AdaptToWorkArea(ws);
  EXPECT_EQ(bottom->rect.Height(), 50) << "already at the minimum: not moved";
  desktop.workArea.bottom = 900;
  AdaptToWorkArea(ws);
  EXPECT_EQ(bottom->rect.bottom, 900) << "growing is never limited";
}

TEST_F(WorkAreaTest, TaskbarMovingFromBottomToLeftGrowsThenShrinks) {
  desktop.workArea = {60, 0, 1000, 830};
  EXPECT_EQ(AdaptToWorkArea(ws), 0);
  EXPECT_EQ(root->rect, (Rect{60, 0, 1000, 830}));
  EXPECT_EQ(left->rect, (Rect{60, 0, 498, 830}));
  EXPECT_TRUE(TilesExactly(ws.model, desktop.workArea));
}

TEST_F(WorkAreaTest, FollowersAreNotRefitted) {
  const WindowId main = Open({10, 10, 300, 300});
  const WindowId tool = OpenDialog({10, 700, 200, 790}, main);
  ManagedWindow* leader = ManageWindow(ws, nullptr, main);
  ManagedWindow* follower = ManageWindow(ws, nullptr, tool);
  ws.model.movingWindow = leader;
  ASSERT_TRUE(AttachFollower(ws, follower));
  desktop.workArea.bottom = 700;
  desktop.ClearCalls();
  AdaptToWorkArea(ws);
  EXPECT_EQ(desktop.CallCount("GetWindowRect", tool), 0);
  EXPECT_FALSE(desktop.HasRegion(tool));
}

TEST(WorkAreaWithoutFrames, DoesNothing) {
  FakeWindowSystem desktop;
  Workspace ws{desktop};
  EXPECT_EQ(AdaptToWorkArea(ws), 0);
}

}  // namespace
}  // namespace tessel
