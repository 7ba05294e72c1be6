#include "desktop/fit.h"

#include "unit/workspace_test.h"

namespace tessel {
namespace {

// Work area (0, 100)-(1000, 900) split side by side:
// L = (0, 100, 498, 900), R = (502, 100, 1000, 900).
class FitTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    desktop.workArea = {0, 100, 1000, 900};
    Frame* root = tree.SplitArea(desktop.workArea, true);
    left = root->first;
    right = root->second;
  }

  // Managed in the leaf under `point`, settled.
  ManagedWindow* PutIn(Frame* leaf, WindowId window) {
    const Point p{leaf->rect.left + 10, leaf->rect.top + 10};
    ManagedWindow* r = ManageWindow(ws, &p, window);
    r->managedTick = 0;
    return r;
  }

  bool Fit(ManagedWindow* r) { return FitWindow(ws, r); }

  Frame* left = nullptr;
  Frame* right = nullptr;
};

TEST_F(FitTest, WindowFillingItsFrameIsLeftAlone) {
  const WindowId w = Open({0, 100, 498, 900});
  ManagedWindow* r = Manage(w);
  ASSERT_EQ(r->frame, left);
  desktop.ClearCalls();
  EXPECT_TRUE(Fit(r));
  EXPECT_EQ(desktop.CallCount("SetWindowPos"), 0);
  EXPECT_EQ(desktop.CallCount("SetWindowRgn"), 0);
  EXPECT_FALSE(desktop.HasRegion(w));
  EXPECT_FALSE(r->regionApplied);
  EXPECT_EQ(r->state, WindowState::kNormal);
  EXPECT_EQ(r->lastRect, (Rect{0, 100, 498, 900}));
}

TEST_F(FitTest, PartOutsideTheFrameIsClippedAndTheClipGoesWhenItFits) {
  const WindowId w = Open({600, 150, 1200, 500});
  ManagedWindow* r = Manage(w);
  ASSERT_EQ(r->frame, right);
  EXPECT_TRUE(Fit(r));
  EXPECT_EQ(desktop.RectOf(w), (Rect{600, 150, 1200, 500})) << "more than 50 px inside: not moved";
  EXPECT_TRUE(desktop.RegionEquals(w, {{0, 0, 400, 350}}));
  EXPECT_TRUE(r->regionApplied);

  desktop.MoveTo(w, {600, 150, 900, 500});  // the user makes it narrower
  EXPECT_TRUE(Fit(r));
  EXPECT_FALSE(desktop.HasRegion(w));
  EXPECT_FALSE(r->regionApplied);
}

TEST_F(FitTest, KeepVisibleLeavesFiftyPixelsAndTheCaptionInside) {
  // Right edge 10 px past the frame's left edge.
  const WindowId w = Open({312, 200, 512, 400});
  ManagedWindow* r = PutIn(right, w);
  Fit(r);
  EXPECT_EQ(desktop.RectOf(w), (Rect{352, 200, 552, 400})) << "right edge at F.left + 50";
  EXPECT_TRUE(desktop.RegionEquals(w, {{150, 0, 200, 200}}));

  // Top 5 px above the frame: down to its top, x kept.
  const WindowId high = Open({600, 95, 800, 300});
  Fit(PutIn(right, high));
  EXPECT_EQ(desktop.RectOf(high), (Rect{600, 100, 800, 305}));
  EXPECT_FALSE(desktop.HasRegion(high));

  // Caption near the bottom: raised until the caption is inside.
  const WindowId low = Open({600, 890, 800, 1000});
  Fit(PutIn(right, low));
  EXPECT_EQ(desktop.RectOf(low), (Rect{600, 877, 800, 987}));
  EXPECT_TRUE(desktop.RegionEquals(low, {{0, 0, 200, 23}}));

  // Left edge within 50 px of the frame's right edge: pulled back to leave 50.
  const WindowId far = Open({980, 300, 1180, 500});
  Fit(PutIn(right, far));
  EXPECT_EQ(desktop.RectOf(far).left, 950);
}

TEST_F(FitTest, WithoutKeepVisibleOnlyTheClipApplies) {
  ws.settings.KeepWndVisible = 0;
  const WindowId w = Open({312, 200, 512, 400});
  Fit(PutIn(right, w));
  EXPECT_EQ(desktop.RectOf(w), (Rect{312, 200, 512, 400}));
  EXPECT_TRUE(desktop.RegionEquals(w, {{190, 0, 200, 200}})) << "a 10-pixel strip";
}

TEST_F(FitTest, OwnRoundedRegionIsIntersectedAndGivenBack) {
  const std::vector<Rect> rounded{{10, 0, 290, 10}, {0, 10, 300, 190}, {10, 190, 290, 200}};
  const WindowId w = Open({800, 300, 1100, 500});
  desktop.SetOwnRegion(w, rounded);
  ManagedWindow* r = Manage(w);
  ASSERT_EQ(r->frame, right);
  EXPECT_EQ(r->regionType, kComplexRegion);

  Fit(r);
  EXPECT_TRUE(desktop.RegionEquals(w, {{10, 0, 200, 10}, {0, 10, 200, 190}, {10, 190, 200, 200}}));
  EXPECT_TRUE(r->regionApplied);

  desktop.MoveTo(w, {600, 300, 900, 500});
  Fit(r);
  EXPECT_TRUE(desktop.RegionEquals(w, rounded)) << "its own shape back";
  EXPECT_FALSE(r->regionApplied);
  EXPECT_EQ(desktop.LiveProgramRegions(), 2) << "the record's saved copy and the copy of its last clip";
}

TEST_F(FitTest, ClipsOfARunThatWasKilledComeOffAtTheNextStart) {
  const std::vector<Rect> own{{0, 0, 100, 100}};
  const WindowId clipped = Open({600, 150, 1200, 500});
  const WindowId wasClipped = Open({600, 550, 1200, 800});
  const WindowId shaped = Open({100, 150, 300, 350});  // never ours
  desktop.SetOwnRegion(shaped, own);
  Fit(Manage(clipped));
  ManagedWindow* r = Manage(wasClipped);
  Fit(r);
  desktop.MoveTo(wasClipped, {600, 550, 900, 800});
  Fit(r);
  desktop.SetOwnRegion(wasClipped, own);  // a shape it takes on later
  ASSERT_TRUE(desktop.HasRegion(clipped));

  ReleaseLeftoverClips(ws);  // the records died with the killed run
  EXPECT_FALSE(desktop.HasRegion(clipped));
  EXPECT_TRUE(desktop.RegionEquals(wasClipped, own));
  EXPECT_TRUE(desktop.RegionEquals(shaped, own));
}

TEST_F(FitTest, MaximisedWindowLiesOnItsFrameAndGoesBackToTheWorkArea) {
  const WindowId w = Open({100, 200, 400, 500});
  desktop.Maximise(w);
  ManagedWindow* r = Manage(w);
  ASSERT_EQ(r->frame, left);
  EXPECT_EQ(r->state, WindowState::kMaximised);
  Fit(r);
  EXPECT_EQ(desktop.RectOf(w), left->rect) << "no border overhang";
  EXPECT_FALSE(desktop.HasRegion(w));
  EXPECT_EQ(r->state, WindowState::kMaximised);

  UnmanageWindow(ws, w);
  EXPECT_EQ(desktop.RectOf(w), (Rect{-4, 96, 1004, 904})) << "borders outside the work area";
  EXPECT_EQ(desktop.LiveProgramRegions(), 0);
}

TEST_F(FitTest, ClippedWindowMaximisedLosesItsClip) {
  const WindowId w = Open({600, 150, 1200, 500});
  ManagedWindow* r = Manage(w);
  Fit(r);
  ASSERT_TRUE(desktop.HasRegion(w));
  desktop.Maximise(w);
  Fit(r);
  EXPECT_FALSE(desktop.HasRegion(w));
  EXPECT_EQ(desktop.RectOf(w), right->rect);
  desktop.Restore(w);
  Fit(r);
  EXPECT_TRUE(desktop.RegionEquals(w, {{0, 0, 400, 350}})) << "clipped again once restored";
}

TEST_F(FitTest, ParkedAndMinimisedWindowsAreNotTouched) {
  const WindowId parked = Open({-500, -500, -100, -100});
  ManagedWindow* r = PutIn(right, parked);
  r->state = WindowState::kMoving;
  desktop.ClearCalls();
  EXPECT_TRUE(Fit(r));
  EXPECT_EQ(r->state, WindowState::kMoving) << "its state stays";
  EXPECT_EQ(desktop.CallCount("SetWindowPos") + desktop.CallCount("SetWindowRgn"), 0);

  const WindowId mini = Open({600, 150, 1200, 500});
  ManagedWindow* m = Manage(mini);
  desktop.Minimise(mini);
  desktop.ClearCalls();
  EXPECT_TRUE(Fit(m));
  EXPECT_EQ(m->state, WindowState::kMinimised);
  EXPECT_EQ(desktop.CallCount("SetWindowPos") + desktop.CallCount("SetWindowRgn"), 0);
}

TEST_F(FitTest, NewWindowSlidesInWhileItSettles) {
  const Point inRight{700, 300};
  const WindowId w = Open({900, 300, 1200, 500});
  ManagedWindow* r = ManageWindow(ws, &inRight, w);
  desktop.tick += 800;
  Fit(r);
  EXPECT_EQ(desktop.RectOf(w), (Rect{700, 300, 1000, 500})) << "slid wholly inside";
  EXPECT_FALSE(desktop.HasRegion(w));
  EXPECT_NE(r->managedTick, 0u);

  desktop.tick += 1;  // past the settling period: nudged and clipped only
  desktop.MoveTo(w, {900, 300, 1200, 500});
  Fit(r);
  EXPECT_EQ(r->managedTick, 0u);
  EXPECT_EQ(desktop.RectOf(w), (Rect{900, 300, 1200, 500}));
  EXPECT_TRUE(desktop.HasRegion(w));

  // Back from minimised before its settling period was closed: slid in again.
  const WindowId late = Open({900, 600, 1200, 800});
  ManagedWindow* l = ManageWindow(ws, &inRight, late);
  desktop.Minimise(late);
  Fit(l);
  desktop.Restore(late);
  desktop.tick += 60000;
  Fit(l);
  EXPECT_EQ(desktop.RectOf(late), (Rect{700, 600, 1000, 800}));
}

TEST_F(FitTest, FramelessPopupOverItsOwnerIsNeitherSlidNorNudged) {
  const WindowId owner = Open({600, 150, 900, 500});
  Manage(owner);
  FakeWindowSystem::Spec menu;
  menu.rect = {850, 200, 1050, 400};
  menu.owner = owner;
  menu.style = FakeWindowSystem::kPopup;
  const WindowId popup = desktop.AddWindow(menu);
  ManagedWindow* r = ManageWindow(ws, nullptr, popup);
  ASSERT_EQ(r->frame, right);
  Fit(r);
  EXPECT_EQ(desktop.RectOf(popup), menu.rect);
  EXPECT_TRUE(desktop.RegionEquals(popup, {{0, 0, 150, 200}}));
}

TEST_F(FitTest, WindowBeingDraggedIsShownWhole) {
  const WindowId w = Open({600, 150, 1200, 500});
  ManagedWindow* r = Manage(w);
  Fit(r);
  r->inSizeMove = true;
  Fit(r);
  EXPECT_FALSE(desktop.HasRegion(w));
  EXPECT_EQ(r->state, WindowState::kMoving);
  EXPECT_FALSE(r->regionApplied);
}

TEST_F(FitTest, RefittingAWindowThatAgreesMovesAndClipsNothing) {
  const std::vector<Rect> rounded{{10, 0, 290, 10}, {0, 10, 300, 190}, {10, 190, 290, 200}};
  const WindowId clipped = Open({600, 150, 1200, 500});
  const WindowId shaped = Open({800, 300, 1100, 500});
  desktop.SetOwnRegion(shaped, rounded);
  const WindowId inside = Open({10, 200, 300, 400});
  const WindowId maximised = Open({10, 200, 300, 400});
  desktop.Maximise(maximised);
  const WindowId nudged = Open({312, 200, 512, 400});
  std::vector<ManagedWindow*> records{Manage(clipped), Manage(shaped), Manage(inside), Manage(maximised),
                                      PutIn(right, nudged)};
  for (ManagedWindow* r : records) Fit(r);

  desktop.ClearCalls();
  const int regions = desktop.LiveProgramRegions();
  for (ManagedWindow* r : records) EXPECT_TRUE(Fit(r));
  EXPECT_EQ(desktop.CallCount("SetWindowPos"), 0);
  EXPECT_EQ(desktop.CallCount("SetWindowRgn"), 0);
  EXPECT_EQ(desktop.LiveProgramRegions(), regions) << "temporaries freed";
  for (WindowId w : {clipped, shaped, inside, maximised, nudged}) UnmanageWindow(ws, w);
  EXPECT_EQ(desktop.LiveProgramRegions(), 0) << "every region kept by a record freed with it";
}

TEST_F(FitTest, NullRecordAndVanishedWindowFail) {
  EXPECT_FALSE(Fit(nullptr));
  const WindowId w = Open({600, 150, 900, 500});
  ManagedWindow* r = Manage(w);
  desktop.DestroyWindow(w);
  EXPECT_FALSE(Fit(r));
}

}  // namespace
}  // namespace tessel
