#include "desktop/neighbour.h"

#include "unit/workspace_test.h"

namespace tessel {
namespace {

class NeighbourTest : public WorkspaceTest {
 protected:
  // A window with a 23-pixel caption.
  WindowId OpenApp(const Rect& rect, WindowId owner = {}) {
    FakeWindowSystem::Spec spec;
    spec.rect = rect;
    spec.owner = owner;
    spec.clientInsets = {4, 23, 4, 4};
    if (owner != kNoWindow) spec.style = FakeWindowSystem::kPopup | kWsDlgFrame;
    return desktop.AddWindow(spec);
  }

  ManagedWindow* PlaceIn(Frame* leaf, WindowId w) {
    const Point p{leaf->rect.left + 5, leaf->rect.top + 5};
    ManagedWindow* r = ManageWindow(ws, &p, w);
    r->managedTick = 0;
    return r;
  }
};

// H = (0, 0, 498, 800) | D1 = (502, 0, 1000, 398) over D2 = (502, 402, 1000, 800).
class SidewaysTest : public NeighbourTest {
 protected:
  void SetUp() override {
    desktop.workArea = {0, 0, 1000, 800};
    Frame* root = tree.SplitArea(desktop.workArea, true);
    home = root->first;
    Frame* right = tree.Split(root->second, false);
    d1 = right->first;
    d2 = right->second;
  }
  Frame* home = nullptr;
  Frame* d1 = nullptr;
  Frame* d2 = nullptr;
};

TEST_F(SidewaysTest, TitleBarLineChoosesTheFrameWhoseTopIsNearestAbove) {
  const WindowId lowWindow = OpenApp({100, 450, 300, 600});  // title line 472
  ManagedWindow* r = PlaceIn(home, lowWindow);
  EXPECT_TRUE(MoveWindowToNeighbour(ws, lowWindow, kRight));
  EXPECT_EQ(r->frame, d2);
  EXPECT_EQ(desktop.RectOf(lowWindow), (Rect{502, 450, 702, 600})) << "slid to the near edge";
  EXPECT_EQ(ws.model.activeFrame, d2);

  const WindowId onTheLine = OpenApp({100, 380, 300, 500});  // title line 402: not below D2's top
  ManagedWindow* s = PlaceIn(home, onTheLine);
  EXPECT_TRUE(MoveWindowToNeighbour(ws, onTheLine, kRight));
  EXPECT_EQ(s->frame, d1);

  const WindowId high = OpenApp({100, -30, 300, 100});  // title line -8: above every candidate
  ManagedWindow* t = PlaceIn(home, high);
  desktop.ClearCalls();
  EXPECT_FALSE(MoveWindowToNeighbour(ws, high, kRight));
  EXPECT_EQ(t->frame, home);
  EXPECT_EQ(desktop.CallCount("SetWindowPos"), 0);
  EXPECT_EQ(ws.model.activeFrame, d1) << "unchanged";

  EXPECT_FALSE(MoveWindowToNeighbour(ws, high, kLeft)) << "the work-area edge has no neighbour";
  EXPECT_FALSE(MoveWindowToNeighbour(ws, high, 4));
  EXPECT_FALSE(MoveWindowToNeighbour(ws, WindowId{0x4444}, kRight)) << "not managed";
}

TEST_F(SidewaysTest, WiderWindowMovedLeftKeepsItsWidthAndTheRestIsFitted) {
  const WindowId wide = OpenApp({600, 100, 1200, 300});
  ManagedWindow* r = PlaceIn(d1, wide);
  EXPECT_TRUE(MoveWindowToNeighbour(ws, wide, kLeft));
  EXPECT_EQ(r->frame, home);
  EXPECT_EQ(desktop.RectOf(wide), (Rect{-102, 100, 498, 300})) << "right edge on the frame's right edge";
  EXPECT_TRUE(desktop.RegionEquals(wide, {{102, 0, 600, 200}}));
}

TEST_F(SidewaysTest, MaximisedWindowIsNotSlidButFittedOntoItsNewFrame) {
  const WindowId w = OpenApp({100, 100, 300, 300});
  ManagedWindow* r = PlaceIn(home, w);
  desktop.Maximise(w);
  desktop.ClearCalls();
  EXPECT_TRUE(MoveWindowToNeighbour(ws, w, kRight));
  ASSERT_EQ(desktop.CallCount("SetWindowPos"), 1) << "only the fit places it";
  for (const auto& call : desktop.calls()) {
    if (call.name == "SetWindowPos") {
      EXPECT_EQ(call.flags, kSwpPlace);
    }
  }
  EXPECT_EQ(desktop.RectOf(w), r->frame->rect);
}

TEST_F(SidewaysTest, FollowersAndTouchingOwnedWindowsArriveToo) {
  const WindowId main = OpenApp({100, 450, 300, 600});
  const WindowId touching = OpenApp({300, 450, 400, 500}, main);
  const WindowId follower = OpenApp({100, 100, 200, 200}, main);
  ManagedWindow* leader = PlaceIn(home, main);
  PlaceIn(home, touching);
  ManagedWindow* f = PlaceIn(home, follower);
  ws.model.movingWindow = leader;
  ASSERT_TRUE(AttachFollower(ws, f));
  ws.model.movingWindow = nullptr;

  EXPECT_TRUE(MoveWindowToNeighbour(ws, main, kRight));
  EXPECT_EQ(WindowsOf(d2).size(), 3u);
  EXPECT_TRUE(WindowsOf(home).empty());
}

// T1 = (0, 0, 498, 398) | T2 = (502, 0, 1000, 398) over B = (0, 402, 1000, 800).
class UpDownTest : public NeighbourTest {
 protected:
  void SetUp() override {
    desktop.workArea = {0, 0, 1000, 800};
    Frame* root = tree.SplitArea(desktop.workArea, false);
    bottom = root->second;
    Frame* top = tree.Split(root->first, true);
    t1 = top->first;
    t2 = top->second;
  }
  Frame* bottom = nullptr;
  Frame* t1 = nullptr;
  Frame* t2 = nullptr;
};

TEST_F(UpDownTest, WholeWidthFirstThenTheWidestOverlap) {
  const WindowId held = OpenApp({100, 500, 400, 700});
  ManagedWindow* a = PlaceIn(bottom, held);
  EXPECT_TRUE(MoveWindowToNeighbour(ws, held, kUp));
  EXPECT_EQ(a->frame, t1);
  EXPECT_EQ(desktop.RectOf(held), (Rect{100, 198, 400, 398})) << "bottom edge on the frame's bottom";

  const WindowId straddling = OpenApp({400, 500, 700, 700});  // 98 px over T1, 198 over T2
  ManagedWindow* b = PlaceIn(bottom, straddling);
  EXPECT_TRUE(MoveWindowToNeighbour(ws, straddling, kUp));
  EXPECT_EQ(b->frame, t2);

  const WindowId tall = OpenApp({600, 402, 800, 902});
  ManagedWindow* c = PlaceIn(bottom, tall);
  EXPECT_TRUE(MoveWindowToNeighbour(ws, tall, kUp));
  EXPECT_EQ(c->frame, t2);
  EXPECT_EQ(desktop.RectOf(tall).top, 0) << "taller than the frame: at its top";

  const WindowId beside = OpenApp({1100, 500, 1300, 700});
  ManagedWindow* d = PlaceIn(bottom, beside);
  EXPECT_FALSE(MoveWindowToNeighbour(ws, beside, kUp)) << "overlaps no candidate";
  EXPECT_EQ(d->frame, bottom);

  EXPECT_TRUE(MoveWindowToNeighbour(ws, held, kDown));
  EXPECT_EQ(desktop.RectOf(held).top, 402);
}

}  // namespace
}  // namespace tessel
