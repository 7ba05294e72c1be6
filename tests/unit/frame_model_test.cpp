#include "layout/frame_model.h"

#include <gtest/gtest.h>

#include <climits>

#include "layout/split_line.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

TEST(FrameModel, FrameAtPointTakesTheFirstListedLeafAndItsBarStripsOnlyWithBars) {
  // L (-1000, 0, -502, 800) | T (-498, 0, 0, 398) over B (-498, 402, 0, 800); listed B, L, T.
  FrameModel model;
  FrameTree tree{model};
  Frame* l = tree.SplitArea({-1000, 0, 0, 800}, true)->first;
  Frame* t = tree.Split(model.frameList->next, false)->first;
  Frame* b = model.frameList;
  const struct {
    const char* what;
    Point p;
    bool withBars;
    Frame* leaf;
  } rows[] = {
      {"in the bar right of L", {-500, 10}, true, l},
      {"in the bar, without bars", {-500, 10}, false, nullptr},
      {"on L's right edge, inclusive", {-502, 10}, false, l},
      {"L's strip and T's edge: L is listed first", {-498, 10}, true, l},
      {"T's edge without bars", {-498, 10}, false, t},
      {"B's bottom-right corner", {0, 800}, false, b},
      {"strips outside the work area count too", {2, 804}, true, b},
      {"right of every strip", {5, 10}, true, nullptr},
      {"left of L", {-1001, 10}, true, nullptr},
      {"above", {-500, -1}, true, nullptr},
      {"in the bar below T", {-200, 400}, true, t},
      {"below T, without bars", {-200, 400}, false, nullptr},
      {"T's strip and B's edge: B is listed first", {-200, 402}, true, b},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(model.FrameAtPoint(row.p.x, row.p.y, row.withBars), row.leaf);
  }
  MoveSplitLine(l, 0);  // removal collapses L on its left edge while its windows are placed anew
  EXPECT_EQ(model.FrameAtPoint(-1000, 10, false), t) << "a collapsed leaf holds no point";
  t->rect.right = INT_MAX;  // a strip past the coordinate limit must not wrap around
  EXPECT_EQ(model.FrameAtPoint(INT_MAX, 10, true), t);
  EXPECT_EQ(model.FrameAtPoint(INT_MIN, 10, true), nullptr);
}

TEST(FrameModel, TheActiveFramesBarsAreFoundAcrossItsAncestors) {
  // A | B1 | B2, B1 stacked into B1a over B1b; bars: 1 the root's, 2 B's, 3 B1's.
  FrameModel model;
  FrameTree tree{model};
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  Frame* b = tree.Split(root->second, true);
  Frame* b1 = tree.Split(b->first, false);
  root->splitter->hwnd = WindowId{1};
  b->splitter->hwnd = WindowId{2};
  b1->splitter->hwnd = WindowId{3};
  const struct {
    const char* what;
    Frame* active;
    std::uintptr_t left, top, right, bottom;
  } rows[] = {
      {"B1b", b1->second, 1, 3, 2, 0},
      {"A", root->first, 0, 0, 1, 0},
      {"B2", b->second, 2, 0, 0, 0},
      {"none", nullptr, 0, 0, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(model.SetActiveFrame(row.active));
    const WindowId expected[4] = {WindowId{row.left}, WindowId{row.top}, WindowId{row.right},
                                  WindowId{row.bottom}};
    for (int side = 0; side < 4; ++side) EXPECT_EQ(model.activeBars[side], expected[side]) << side;
  }
  Frame* loose = CreateFrame();
  EXPECT_FALSE(model.SetActiveFrame(loose)) << "a frame not listed";
  model.DeleteFrame(loose);
}

TEST(FrameModel, ANewWindowJoinsTheLeafOfAShownRelativeItTouches) {
  FrameModel model;
  FrameTree tree{model};
  Frame* root = tree.SplitArea({0, 0, 1000, 800}, true);
  auto record = [](Frame* leaf, std::uintptr_t id, std::uintptr_t root, const Rect& rect, bool hidden) {
    auto* r = new ManagedWindow{};  // freed with the model
    r->hwnd = WindowId{id};
    r->rootOwner = WindowId{root};
    r->lastRect = rect;
    r->hidden = hidden;
    LinkWindowAtHead(leaf, r);
  };
  record(root->second, 7, 7, {600, 100, 900, 400}, false);  // family 7's owner, right
  record(root->first, 9, 8, {100, 100, 400, 400}, true);    // family 8, hidden by its program
  const struct {
    const char* what;
    WindowId window, root;
    Rect rect;
    Frame* leaf;
  } rows[] = {
      {"a dialog of family 7 touching the owner", WindowId{10}, WindowId{7}, {400, 150, 600, 300}, root->second},
      {"the same, one pixel short of touching", WindowId{10}, WindowId{7}, {300, 150, 599, 300}, nullptr},
      {"another family touching the owner", WindowId{11}, WindowId{12}, {400, 150, 600, 300}, nullptr},
      {"the owner itself", WindowId{7}, WindowId{7}, {600, 100, 900, 400}, nullptr},
      {"touching only a hidden relative", WindowId{13}, WindowId{8}, {350, 150, 500, 300}, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(model.TouchingFamilyLeaf(row.window, row.root, row.rect), row.leaf);
  }
}

TEST(FrameModel, AFrameThatChangedAroundAWindowLeavesItAloneOnlyIfItStillFitsWhole) {
  const Rect frame{0, 0, 600, 800};
  const struct {
    const char* what;
    Rect last;
    WindowState state;
    bool clipped, hidden;
    bool leftAlone;
  } rows[] = {
      {"inside, normal", {100, 100, 400, 300}, WindowState::kNormal, false, false, true},
      {"touching the new edge", {300, 100, 600, 300}, WindowState::kNormal, false, false, true},
      {"reaching past it", {300, 100, 601, 300}, WindowState::kNormal, false, false, false},
      {"inside, but clipped before", {100, 100, 400, 300}, WindowState::kNormal, true, false, false},
      {"maximised on the frame", {0, 0, 600, 800}, WindowState::kMaximised, false, false, false},
      {"hidden by its program", {100, 100, 400, 300}, WindowState::kNormal, false, true, false},
      {"never read", {}, WindowState::kNormal, false, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ManagedWindow r;
    r.lastRect = row.last;
    r.state = row.state;
    r.regionApplied = row.clipped;
    r.hidden = row.hidden;
    EXPECT_EQ(StillFitsIn(r, frame), row.leftAlone);
  }
}

}  // namespace
}  // namespace tessel
