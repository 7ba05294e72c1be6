#include "desktop/placing.h"

#include "unit/workspace_test.h"
#include "desktop/fit.h"

namespace tessel {
namespace {

// L = (0, 0, 1000, 800), R = (1004, 0, 2004, 800).
class PlacingTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    desktop.workArea = {0, 0, 2004, 800};
    Frame* root = tree.SplitArea(desktop.workArea, true);
    left = root->first;
    right = root->second;
  }

  ManagedWindow* PlaceAt(Point p, WindowId w) { return ManageWindow(ws, &p, w); }

  Frame* left = nullptr;
  Frame* right = nullptr;
};

TEST_F(PlacingTest, FamilyThatTouchesGoesTogetherOthersByTheirTitleBar) {
  const WindowId main = Open({600, 100, 1000, 400});
  const WindowId abutting = OpenDialog({1000, 150, 1400, 300}, main);
  const WindowId apart = OpenDialog({1450, 150, 1800, 300}, main);
  const WindowId stranger = Open({1000, 150, 1400, 300});
  EXPECT_EQ(ManageWindow(ws, nullptr, main)->frame, left);
  EXPECT_EQ(ManageWindow(ws, nullptr, abutting)->frame, left) << "abuts its main window's right edge";
  EXPECT_EQ(ManageWindow(ws, nullptr, apart)->frame, right);
  EXPECT_EQ(ManageWindow(ws, nullptr, stranger)->frame, right) << "touching, but another family";
  EXPECT_EQ(WindowsOf(left), (std::vector<WindowId>{abutting, main}));

  // An explicit point wins over the family.
  EXPECT_EQ(PlaceAt({1500, 10}, abutting)->frame, right);
  EXPECT_EQ(WindowsOf(left), (std::vector<WindowId>{main}));
}

TEST_F(PlacingTest, ReferencePointsOfMinimisedMaximisedAndNormalWindows) {
  const WindowId offscreen = Open({-900, -700, -500, -400});
  desktop.Minimise(offscreen);
  EXPECT_EQ(ReferencePoint(desktop, offscreen).x, -30000);
  EXPECT_EQ(ManageWindow(ws, nullptr, offscreen), nullptr) << "placed nowhere";

  const WindowId minimised = Open({100, 50, 500, 400});
  desktop.Minimise(minimised);
  const Point p = ReferencePoint(desktop, minimised);
  EXPECT_EQ(p.x, 300);
  EXPECT_EQ(p.y, 55);

  FakeWindowSystem::Spec spec;
  spec.rect = {-8, -8, 1288, 1008};
  spec.clientInsets = {8, 31, 8, 8};  // client top 23
  const WindowId maximised = desktop.AddWindow(spec);
  const Point q = ReferencePoint(desktop, maximised);
  EXPECT_EQ(q.x, 640);
  EXPECT_EQ(q.y, 22);

  const WindowId aboveTop = Open({-300, -200, 100, 20});
  EXPECT_EQ(ReferencePoint(desktop, aboveTop).x, 0) << "negative middle replaced by 0";
  EXPECT_EQ(ReferencePoint(desktop, aboveTop).y, 0) << "title bar above the screen";
}

TEST_F(PlacingTest, NewRecordRemembersHowTheWindowWasFound) {
  const WindowId shaped = Open({10, 10, 310, 210});
  desktop.SetOwnRegion(shaped, {{0, 0, 300, 100}, {0, 100, 150, 200}});
  const WindowId zoomed = Open({10, 10, 310, 210});
  desktop.SetOwnRegion(zoomed, {{0, 0, 300, 100}, {0, 100, 150, 200}});
  desktop.Maximise(zoomed);
  const WindowId iconic = Open({10, 10, 310, 210});
  desktop.Minimise(iconic);

  desktop.tick = 4242;
  ManagedWindow* s = ManageWindow(ws, nullptr, shaped);
  EXPECT_EQ(s->state, WindowState::kNormal);
  EXPECT_EQ(s->regionType, kComplexRegion);
  EXPECT_EQ(s->managedTick, 4242u);
  EXPECT_EQ(s->lastRect, (Rect{10, 10, 310, 210}));
  EXPECT_EQ(s->frame, left);
  ManagedWindow* z = ManageWindow(ws, nullptr, zoomed);
  EXPECT_EQ(z->state, WindowState::kMaximised);
  EXPECT_EQ(z->regionType, 0) << "captured only from a normal window";
  EXPECT_EQ(ManageWindow(ws, nullptr, iconic)->state, WindowState::kMinimised);
  EXPECT_EQ(ManageWindow(ws, nullptr, WindowId{0x7777}), nullptr) << "not a window";
}

TEST_F(PlacingTest, MovingAWindowTakesTouchingOwnedWindowsAndFollowersOnly) {
  const WindowId main = Open({100, 100, 500, 400});
  const WindowId touching = OpenDialog({500, 100, 700, 300}, main);
  const WindowId apart = OpenDialog({800, 100, 900, 300}, main);
  const WindowId follower = OpenDialog({100, 500, 300, 600}, main);
  const WindowId followersOwn = OpenDialog({300, 500, 400, 600}, follower);  // touches the follower
  for (WindowId w : {main, touching, apart, follower, followersOwn}) ManageWindow(ws, nullptr, w);
  ManagedWindow* leader = ws.model.FindManagedWindow(main);
  ws.model.movingWindow = leader;
  ASSERT_TRUE(AttachFollower(ws, ws.model.FindManagedWindow(follower)));
  ws.model.movingWindow = nullptr;

  EXPECT_EQ(MoveWindowToFrame(ws, left, right, main, true, true), leader);
  EXPECT_EQ(WindowsOf(right), (std::vector<WindowId>{touching, follower, main}));
  EXPECT_EQ(WindowsOf(left), (std::vector<WindowId>{followersOwn, apart})) << "nested moves take nothing along";

  EXPECT_EQ(MoveWindowToFrame(ws, left, right, main, true, true), nullptr) << "not in the from frame";
  EXPECT_EQ(MoveWindowToFrame(ws, nullptr, right, main, false, false), nullptr);
  EXPECT_EQ(MoveWindowToFrame(ws, right, nullptr, main, false, false), nullptr);

  // From a frame to itself: the record stays, a follower elsewhere is pulled in.
  ManagedWindow* straying = ws.model.FindManagedWindow(follower);
  ASSERT_TRUE(MoveWindowToFrame(ws, right, left, follower, false, false));
  EXPECT_EQ(MoveWindowToFrame(ws, right, right, main, true, true), leader);
  EXPECT_EQ(straying->frame, right);
  EXPECT_EQ(WindowsOf(right).back(), main) << "the window itself did not move in its list";
}

TEST_F(PlacingTest, ReplacingAWindowBringsItsFollowersUnlessItStaysPut) {
  const WindowId main = Open({100, 100, 500, 400});
  const WindowId tool = OpenDialog({1200, 100, 1400, 300}, main);
  ManagedWindow* leader = ManageWindow(ws, nullptr, main);
  ManagedWindow* follower = ManageWindow(ws, nullptr, tool);
  ASSERT_EQ(follower->frame, right);
  ws.model.movingWindow = leader;
  EXPECT_TRUE(AttachFollower(ws, follower));
  EXPECT_EQ(follower->leader, leader);
  EXPECT_EQ(follower->frame, right) << "becoming a follower moves nothing";

  EXPECT_EQ(ManageWindow(ws, nullptr, main), leader);
  EXPECT_EQ(follower->frame, right) << "already in its leaf: followers are not visited";

  EXPECT_TRUE(AttachFollower(ws, follower)) << "a second call brings it to its leader";
  EXPECT_EQ(follower->frame, left);

  PlaceAt({1500, 10}, main);
  EXPECT_EQ(leader->frame, right);
  EXPECT_EQ(follower->frame, right) << "followers go wherever their leader goes";
}

TEST_F(PlacingTest, OnlyWindowsOwnedByTheDraggedOneBecomeFollowers) {
  const WindowId main = Open({100, 100, 500, 400});
  const WindowId owned = OpenDialog({150, 150, 300, 300}, main);
  const WindowId grandchild = OpenDialog({160, 160, 250, 250}, owned);
  const WindowId other = Open({600, 100, 900, 400});
  for (WindowId w : {main, owned, grandchild, other}) ManageWindow(ws, nullptr, w);
  ManagedWindow* leader = ws.model.FindManagedWindow(main);
  ManagedWindow* o = ws.model.FindManagedWindow(owned);

  EXPECT_FALSE(AttachFollower(ws, o)) << "nothing is being dragged";
  ws.model.movingWindow = leader;
  EXPECT_FALSE(AttachFollower(ws, ws.model.FindManagedWindow(other)));
  EXPECT_FALSE(AttachFollower(ws, leader));
  EXPECT_FALSE(AttachFollower(ws, nullptr));
  EXPECT_TRUE(AttachFollower(ws, ws.model.FindManagedWindow(grandchild))) << "owned indirectly";
  EXPECT_TRUE(AttachFollower(ws, o));
  EXPECT_TRUE(AttachFollower(ws, o)) << "already a follower";
  int links = 0;
  for (FollowerLink* l = leader->followers; l; l = l->next) ++links;
  EXPECT_EQ(links, 2);

  ws.model.movingWindow = o;  // a follower cannot lead
  EXPECT_FALSE(AttachFollower(ws, ws.model.FindManagedWindow(grandchild)));

  EXPECT_FALSE(DetachFollower(nullptr, o));
  EXPECT_TRUE(DetachFollower(leader, o));
  EXPECT_EQ(o->leader, nullptr);
  EXPECT_TRUE(DetachFollower(leader, o)) << "no link left: still fine";
}

TEST_F(PlacingTest, UnmanagingCutsEveryRelationAndReleasesTheWindow) {
  const WindowId main = Open({100, 100, 500, 400});
  FakeWindowSystem::Spec palette;  // an owned tool palette that sticks out of L
  palette.rect = {900, 150, 1100, 300};
  palette.owner = main;
  palette.style = FakeWindowSystem::kPopup | kWsCaption;
  const WindowId owned = desktop.AddWindow(palette);
  ManagedWindow* leader = ManageWindow(ws, nullptr, main);
  ManagedWindow* follower = ManageWindow(ws, nullptr, owned);
  ws.model.movingWindow = leader;
  AttachFollower(ws, follower);
  follower->managedTick = 0;
  FitWindow(ws, follower);
  ASSERT_TRUE(desktop.HasRegion(owned));

  EXPECT_TRUE(UnmanageWindow(ws, main));
  EXPECT_EQ(ws.model.FindManagedWindow(main), nullptr);
  EXPECT_EQ(follower->leader, nullptr);
  EXPECT_EQ(ws.model.movingWindow, nullptr) << "a drag never points at a freed record";

  ws.model.movingWindow = follower;
  EXPECT_TRUE(UnmanageWindow(ws, owned));
  EXPECT_FALSE(desktop.HasRegion(owned)) << "released whole";
  EXPECT_EQ(ws.model.movingWindow, nullptr);
  EXPECT_TRUE(UnmanageWindow(ws, owned)) << "not managed: nothing to do";
  EXPECT_EQ(desktop.LiveProgramRegions(), 0);
}

TEST_F(PlacingTest, MoveIntoFrameSlidesWithoutResizing) {
  const WindowId w = Open({900, 100, 1200, 300});
  ManagedWindow* r = PlaceAt({10, 10}, w);
  MoveIntoFrame(ws, r);
  EXPECT_EQ(desktop.RectOf(w), (Rect{700, 100, 1000, 300}));

  const WindowId wide = Open({-50, 700, 1150, 900});
  ManagedWindow* big = PlaceAt({10, 10}, wide);
  MoveIntoFrame(ws, big);
  EXPECT_EQ(desktop.RectOf(wide), (Rect{0, 600, 1200, 800})) << "left edge on the frame's";

  desktop.ClearCalls();
  MoveIntoFrame(ws, r);
  EXPECT_EQ(desktop.CallCount("SetWindowPos"), 0) << "already inside";
  EXPECT_FALSE(MoveIntoFrame(ws, nullptr));
}

}  // namespace
}  // namespace tessel
