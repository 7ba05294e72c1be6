#include "layout/frame_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "desktop/bars.h"
#include "fakes/fake_window_system.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

class FrameModelTest : public ::testing::Test {
 protected:
  std::vector<Frame*> List() const {
    std::vector<Frame*> list;
    for (Frame* f = model.frameList; f; f = f->next) list.push_back(f);
    return list;
  }

  // The number of WM_PAINTs each bar received since the last ClearCalls.
  int Paints(WindowId bar) const {
    int n = 0;
    for (const auto& call : desktop.calls())
      if (call.name == "SendMessageW" && call.window == bar && call.message == kWmPaint) ++n;
    return n;
  }

  static WindowId BarOf(const Frame* split) { return split->splitter->hwnd; }

  FakeWindowSystem desktop;
  Workspace ws{desktop};
  FrameModel& model = ws.model;
  FrameTree tree{model, desktop};
};

TEST_F(FrameModelTest, NewRecordsGoToTheHeadOfTheList) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  Frame* left = root->first;
  Frame* right = root->second;
  EXPECT_EQ(List(), (std::vector<Frame*>{left, right, root}));

  Frame* split = tree.Split(left, false);
  EXPECT_EQ(split->first, left) << "the split leaf stays a leaf, as the first child";
  EXPECT_EQ(List(), (std::vector<Frame*>{split->second, split, left, right, root}));

  EXPECT_TRUE(model.AddFrame(right)) << "a frame already listed is accepted";
  EXPECT_EQ(List().size(), 5u) << "and not added twice";
  EXPECT_FALSE(model.AddFrame(nullptr));
  EXPECT_FALSE(model.IsFrame(nullptr));
  Frame* loose = CreateFrame();
  EXPECT_FALSE(model.IsFrame(loose));
  model.DeleteFrame(loose);
}

TEST_F(FrameModelTest, FrameAtPointCountsBarStripsOnlyWithBars) {
  // (-1000, 0, 0, 800) split: (-1000, 0, -502, 800) | bar -502..-498 | (-498, 0, 0, 800)
  Frame* root = tree.SplitArea({-1000, 0, 0, 800}, true);
  Frame* left = root->first;
  Frame* right = root->second;
  ASSERT_EQ(left->rect, (Rect{-1000, 0, -502, 800}));

  EXPECT_EQ(model.FrameAtPoint(-500, 10, true), left) << "inside the bar to the right of left";
  EXPECT_EQ(model.FrameAtPoint(-500, 10, false), nullptr);
  EXPECT_EQ(model.FrameAtPoint(-502, 10, false), left) << "the right edge is inclusive";
  EXPECT_EQ(model.FrameAtPoint(-502, 10, true), left);
  EXPECT_EQ(model.FrameAtPoint(-498, 10, true), left) << "both match; the head of the list wins";
  EXPECT_EQ(model.FrameAtPoint(-498, 10, false), right);
  EXPECT_EQ(model.FrameAtPoint(0, 800, false), right) << "bottom-right corner";
  EXPECT_EQ(model.FrameAtPoint(2, 804, true), right) << "the strips outside the work area too";
  EXPECT_EQ(model.FrameAtPoint(5, 10, true), nullptr);
  EXPECT_EQ(model.FrameAtPoint(-1001, 10, true), nullptr);
  EXPECT_EQ(model.FrameAtPoint(-500, -1, true), nullptr);

  Frame* stacked = tree.Split(right, false);  // (-498, 0, 0, 398) over (-498, 402, 0, 800)
  EXPECT_EQ(model.FrameAtPoint(-200, 400, true), stacked->first);
  EXPECT_EQ(model.FrameAtPoint(-200, 400, false), nullptr);
  EXPECT_EQ(model.FrameAtPoint(-200, 402, true), stacked->second) << "head of the list wins";
}

TEST_F(FrameModelTest, FrameAtPointCannotWrapAroundAtTheCoordinateLimit) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  root->second->rect.right = INT32_MAX;
  EXPECT_EQ(model.FrameAtPoint(INT32_MAX, 10, true), root->second);
  EXPECT_EQ(model.FrameAtPoint(INT32_MIN, 10, true), nullptr);
}

TEST_F(FrameModelTest, FindManagedWindowSearchesLeavesOnly) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  auto* a = new ManagedWindow{};
  a->hwnd = WindowId{0x10};
  auto* b = new ManagedWindow{};
  b->hwnd = WindowId{0x20};
  a->frame = root->first;
  b->frame = root->second;
  root->first->windows = a;
  root->second->windows = b;
  auto* stray = new ManagedWindow{};
  stray->hwnd = WindowId{0x30};
  root->windows = stray;  // a split frame never holds windows; the lookup must not look there

  EXPECT_EQ(model.FindManagedWindow(WindowId{0x10}), a);
  EXPECT_EQ(model.FindManagedWindow(WindowId{0x20}), b);
  EXPECT_EQ(model.FindManagedWindow(WindowId{0x30}), nullptr);
  EXPECT_EQ(model.FindManagedWindow(WindowId{0x40}), nullptr);
  root->windows = nullptr;
  delete stray;
}

// Layout used below (1000 x 800):
//   A | B1 | B2        A = (0,0,498,800), the root bar at 498..502,
//       ---            B = (502,0,1000,800) split at 749..753 into B1 | B2,
//       B1b            B1 = (502,0,749,800) split at 398..402 into B1a over B1b.
struct ThreeLevels {
  Frame* root;
  Frame* b;
  Frame* b1;
};

ThreeLevels Build(FrameTree& tree) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  Frame* b = tree.Split(root->second, true);
  Frame* b1 = tree.Split(b->first, false);
  return {root, b, b1};
}

TEST_F(FrameModelTest, ActiveBarsAreFoundAcrossAncestors) {
  const ThreeLevels t = Build(tree);
  Frame* b1b = t.b1->second;
  ASSERT_TRUE(SetActiveFrame(ws, b1b));
  EXPECT_EQ(model.activeBars[kBarLeft], BarOf(t.root));
  EXPECT_EQ(model.activeBars[kBarTop], BarOf(t.b1));
  EXPECT_EQ(model.activeBars[kBarRight], BarOf(t.b));
  EXPECT_EQ(model.activeBars[kBarBottom], kNoWindow) << "the work-area edge has no bar";
  EXPECT_EQ(Paints(BarOf(t.root)), 1);
  EXPECT_EQ(Paints(BarOf(t.b1)), 1);
  EXPECT_EQ(Paints(BarOf(t.b)), 1);

  desktop.ClearCalls();
  EXPECT_TRUE(SetActiveFrame(ws, b1b));
  EXPECT_TRUE(desktop.calls().empty()) << "setting the active frame again repaints nothing";

  // To A: the root bar stays (painted once, now on A's right), the others are
  // repainted once to drop their highlight.
  desktop.ClearCalls();
  ASSERT_TRUE(SetActiveFrame(ws, t.root->first));
  EXPECT_EQ(model.activeBars[kBarRight], BarOf(t.root));
  EXPECT_EQ(model.activeBars[kBarLeft], kNoWindow);
  EXPECT_EQ(model.activeBars[kBarTop], kNoWindow);
  EXPECT_EQ(Paints(BarOf(t.root)), 2) << "once leaving the left slot, once in the right";
  EXPECT_EQ(Paints(BarOf(t.b1)), 1);
  EXPECT_EQ(Paints(BarOf(t.b)), 1);

  desktop.ClearCalls();
  ASSERT_TRUE(SetActiveFrame(ws, nullptr));
  EXPECT_EQ(Paints(BarOf(t.root)), 1) << "no active frame: every remembered bar once";
  EXPECT_EQ(desktop.calls().size(), 1u);
  for (WindowId bar : model.activeBars) EXPECT_EQ(bar, kNoWindow);
}

TEST_F(FrameModelTest, UnknownFrameCannotBecomeActive) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  ASSERT_TRUE(SetActiveFrame(ws, root->first));
  Frame* loose = CreateFrame();
  desktop.ClearCalls();
  EXPECT_FALSE(SetActiveFrame(ws, loose));
  EXPECT_EQ(model.activeFrame, root->first);
  EXPECT_TRUE(desktop.calls().empty());
  model.DeleteFrame(loose);
}

TEST_F(FrameModelTest, DeletingASplitFrameClearsItsBarBeforeClosingIt) {
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  const WindowId bar = BarOf(root);
  std::intptr_t slotSeenOnClose = -1;
  // The bar's procedure reads its frame while it closes, as the splitter window does.
  FakeWindowSystem::Procedure closing = [&](WindowId w, std::uint32_t message, std::uintptr_t,
                                            std::intptr_t) -> std::intptr_t {
    if (message == kWmClose) slotSeenOnClose = desktop.ExtraSlot(w, 0);
    return 0;
  };
  // Give the tree's bar a window that watches its close.
  const WindowId watched = desktop.AddWindow(sizeof(std::intptr_t), closing);
  desktop.SetWindowLongW(watched, 0, reinterpret_cast<std::intptr_t>(root));
  root->splitter->hwnd = watched;
  desktop.DestroyWindow(bar);

  // Unlink everything first, as callers do.
  Frame* left = root->first;
  Frame* right = root->second;
  model.frameList = nullptr;
  desktop.ClearCalls();
  DeleteFrame(ws, left);
  EXPECT_EQ(left, nullptr);
  EXPECT_TRUE(desktop.calls().empty()) << "a leaf's bar record has no window";

  DeleteFrame(ws, root);
  EXPECT_EQ(root, nullptr);
  EXPECT_EQ(slotSeenOnClose, 0);
  EXPECT_FALSE(desktop.IsWindow(watched));

  // A bar window that is already gone is skipped; the record is still freed.
  Frame* split = CreateFrame();
  split->isSplit = 1;
  split->splitter->hwnd = bar;
  desktop.ClearCalls();
  DeleteFrame(ws, split);
  EXPECT_EQ(split, nullptr);
  ASSERT_EQ(desktop.calls().size(), 1u);
  EXPECT_EQ(desktop.calls()[0].name, "IsWindow");

  Frame* none = nullptr;
  model.DeleteFrame(none);
  model.DeleteFrame(right);
}

}  // namespace
}  // namespace tessel
