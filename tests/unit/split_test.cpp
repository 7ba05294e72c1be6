#include "desktop/split.h"
#include "layout/split_geometry.h"

#include <random>

#include "unit/layout_invariants.h"
#include "unit/workspace_test.h"
#include "desktop/fit.h"

namespace tessel {
namespace {

class SplitTest : public WorkspaceTest {
 protected:
  Frame* Root() const {
    for (Frame* f = ws.model.frameList; f; f = f->next)
      if (!f->parent) return f;
    return nullptr;
  }

  std::vector<Frame*> List() const {
    std::vector<Frame*> list;
    for (Frame* f = ws.model.frameList; f; f = f->next) list.push_back(f);
    return list;
  }

  // The first split of the work area; returns the root.
  Frame* SplitArea(const Rect& area, bool vertical) {
    desktop.workArea = area;
    EXPECT_TRUE(SplitFrame(ws, nullptr, vertical));
    return Root();
  }
};

TEST_F(SplitTest, FirstSplitHalvesTheWorkAreaAndTakesTheOpenWindows) {
  const WindowId a = Open({10, 10, 300, 300});
  const WindowId b = Open({600, 10, 900, 300});
  desktop.foreground = b;
  Frame* root = SplitArea({0, 0, 1000, 800}, true);
  ASSERT_NE(root, nullptr);
  Frame* f = root->first;
  Frame* q = root->second;
  EXPECT_EQ(List(), (std::vector<Frame*>{f, q, root}));
  EXPECT_EQ(f->rect, (Rect{0, 0, 498, 800}));
  EXPECT_EQ(q->rect, (Rect{502, 0, 1000, 800}));
  EXPECT_EQ(root->splitter->bar, (Rect{498, 0, 502, 800}));
  EXPECT_EQ(desktop.RectOf(root->splitter->hwnd), (Rect{498, 0, 502, 800}));
  EXPECT_EQ(WindowsOf(f), (std::vector<WindowId>{a}));
  EXPECT_EQ(WindowsOf(q), (std::vector<WindowId>{b}));
  EXPECT_EQ(ws.model.activeFrame, q) << "the foreground window's frame";
  EXPECT_EQ(ws.model.activeBars[kBarLeft], root->splitter->hwnd);

  Frame* n = (SplitFrame(ws, f, false), f->parent);
  EXPECT_EQ(List(), (std::vector<Frame*>{n->second, n, f, q, root}));
  EXPECT_EQ(ws.model.activeFrame, q) << "still the foreground window's";
  EXPECT_TRUE(ModelIsSound(ws.model));
}

TEST_F(SplitTest, SplitNeedsAHundredAndFivePixels) {
  Frame* root = SplitArea({0, 0, 214, 800}, true);  // halves of 105
  Frame* left = root->first;
  ASSERT_EQ(left->rect.Width(), 105);
  ASSERT_TRUE(SplitFrame(ws, left, true));
  EXPECT_EQ(left->rect.Width(), 50);
  EXPECT_EQ(left->parent->second->rect.Width(), 51);
  EXPECT_FALSE(SplitFrame(ws, left, true)) << "50 pixels across";
  EXPECT_FALSE(SplitFrame(ws, left->parent, false)) << "a split frame";
  EXPECT_EQ(bars.created, 2);

  RemoveAllFrames(ws);
  root = SplitArea({0, 0, 212, 800}, true);  // halves of 104
  EXPECT_FALSE(SplitFrame(ws, root->first, true));
  EXPECT_TRUE(SplitFrame(ws, root->first, false));

  RemoveAllFrames(ws);
  root = SplitArea({0, 0, 1001, 800}, true);
  EXPECT_EQ(root->first->rect.Width(), 498);
  EXPECT_EQ(root->second->rect, (Rect{502, 0, 1001, 800})) << "the odd pixel goes right";
}

TEST_F(SplitTest, WindowsGoToTheHalfThatHoldsMoreOfThem) {
  const WindowId stays = Open({198, 10, 802, 300});   // 300 px left of the new line, 300 right
  const WindowId goes = Open({198, 310, 803, 600});   // 300 and 301
  Frame* root = SplitArea({0, 0, 2004, 1000}, true);  // left leaf (0, 0, 1000, 1000)
  Frame* f = root->first;
  ASSERT_TRUE(SplitFrame(ws, f, true));
  EXPECT_EQ(ws.model.FindManagedWindow(stays)->frame, f);
  EXPECT_EQ(ws.model.FindManagedWindow(goes)->frame, f->parent->second);

  // Stacked: the second half starts at 502; a top at 503 stays, at 504 goes.
  RemoveAllFrames(ws);
  const WindowId high = Open({10, 503, 300, 700});
  const WindowId low = Open({400, 504, 700, 700});
  root = SplitArea({0, 0, 2004, 1000}, true);
  f = root->first;
  ASSERT_TRUE(SplitFrame(ws, f, false));
  ASSERT_EQ(f->parent->second->rect.top, 502);
  EXPECT_EQ(ws.model.FindManagedWindow(high)->frame, f);
  EXPECT_EQ(ws.model.FindManagedWindow(low)->frame, f->parent->second);
}

TEST_F(SplitTest, OwnedWindowsAndFollowersStayWithTheirs) {
  const WindowId main = Open({600, 100, 900, 400});
  const WindowId dialog = OpenDialog({450, 150, 600, 300}, main);  // abuts main, left of the line
  const WindowId tool = OpenDialog({10, 600, 200, 700}, main);     // far away, a follower
  Frame* left = SplitArea({0, 0, 2004, 1000}, true)->first;
  ManagedWindow* leader = ws.model.FindManagedWindow(main);
  ws.model.movingWindow = leader;
  ASSERT_TRUE(AttachFollower(ws, ws.model.FindManagedWindow(tool)));
  ws.model.movingWindow = nullptr;
  ASSERT_TRUE(SplitFrame(ws, left, true));
  Frame* right = left->parent->second;
  EXPECT_EQ(leader->frame, right);
  EXPECT_EQ(ws.model.FindManagedWindow(dialog)->frame, right) << "with its owner's family";
  EXPECT_EQ(ws.model.FindManagedWindow(tool)->frame, right) << "with its leader";
  EXPECT_TRUE(ModelIsSound(ws.model));
}

TEST_F(SplitTest, RemovingOneOfTheLastTwoReleasesEverything) {
  desktop.version = {6, 1};
  ws.osVersion = desktop.version;
  const WindowId w = Open({300, 100, 800, 400});
  Frame* root = SplitArea({0, 0, 1000, 800}, true);
  const WindowId bar = root->splitter->hwnd;
  ManagedWindow* r = ws.model.FindManagedWindow(w);
  r->managedTick = 0;
  desktop.MoveTo(w, {300, 100, 800, 400});
  FitWindow(ws, r);
  ASSERT_TRUE(desktop.HasRegion(w));
  EXPECT_EQ(desktop.composition.enableCalls, (std::vector<std::uint32_t>{0}));

  EXPECT_TRUE(RemoveFrame(ws, root->second));
  EXPECT_EQ(ws.model.frameList, nullptr);
  EXPECT_EQ(ws.model.activeFrame, nullptr);
  EXPECT_FALSE(desktop.HasRegion(w));
  EXPECT_FALSE(desktop.IsWindow(bar)) << "the bar is closed";
  EXPECT_EQ(desktop.LiveProgramRegions(), 0);
  EXPECT_EQ(desktop.composition.enableCalls, (std::vector<std::uint32_t>{0, 1}));
}

TEST_F(SplitTest, RemovalActivatesTheNeighbouringLeafOfTheSiblingSide) {
  Frame* root = SplitArea({0, 0, 1000, 800}, true);
  Frame* right = root->second;
  ASSERT_TRUE(SplitFrame(ws, right, false));
  Frame* rightSplit = right->parent;
  const WindowId rootBar = root->splitter->hwnd;
  EXPECT_TRUE(RemoveFrame(ws, root->first));
  EXPECT_EQ(ws.model.activeFrame, right) << "the top-right leaf";
  EXPECT_EQ(Root(), rightSplit);
  EXPECT_EQ(right->rect, (Rect{0, 0, 1000, 398}));
  EXPECT_EQ(rightSplit->splitter->bar, (Rect{0, 398, 1000, 402}));
  EXPECT_EQ(desktop.RectOf(rightSplit->splitter->hwnd), (Rect{0, 398, 1000, 402})) << "the bar window followed";
  EXPECT_FALSE(desktop.IsWindow(rootBar));
  EXPECT_TRUE(ModelIsSound(ws.model));
  EXPECT_TRUE(TilesExactly(ws.model, desktop.workArea));

  RemoveAllFrames(ws);
  root = SplitArea({0, 0, 1000, 800}, true);
  Frame* left = root->first;
  ASSERT_TRUE(SplitFrame(ws, left, false));
  Frame* bottomLeft = left->parent->second;
  EXPECT_TRUE(RemoveFrame(ws, root->second));
  EXPECT_EQ(ws.model.activeFrame, bottomLeft);

  EXPECT_FALSE(RemoveFrame(ws, nullptr));
  EXPECT_FALSE(RemoveFrame(ws, Root())) << "split frames are not removed";
}

// Top (0, 0, 1000, 398) over a bottom split side by side: B1 (0, 402, 498, 800) | B2,
// with B2 stacked: B2a (502, 402, 1000, 599) over B2b (502, 603, 1000, 800).
class RehomeTest : public SplitTest {
 protected:
  void SetUp() override {
    Frame* root = SplitArea({0, 0, 1000, 800}, false);
    b1 = root->second;
    ASSERT_TRUE(SplitFrame(ws, b1, true));
    b2a = b1->parent->second;
    ASSERT_TRUE(SplitFrame(ws, b2a, false));
    b2b = b2a->parent->second;
    ASSERT_EQ(b2a->rect, (Rect{502, 402, 1000, 599}));
  }

  ManagedWindow* InB1(const Rect& rect) {
    const Point p{100, 500};
    return ManageWindow(ws, &p, Open(rect));
  }

  Frame* b1 = nullptr;
  Frame* b2a = nullptr;
  Frame* b2b = nullptr;
};

TEST_F(RehomeTest, WindowsGoWhereTheirTitleBarLies) {
  ManagedWindow* above = InB1({10, 300, 200, 500});    // title line 326, above B1
  ManagedWindow* upper = InB1({10, 480, 200, 560});    // 506: nearest top above is B2a's
  ManagedWindow* lower = InB1({10, 630, 200, 700});    // 656: B2b's
  ManagedWindow* below = InB1({10, 850, 200, 950});    // 876, below B1

  ASSERT_TRUE(RemoveFrame(ws, b1));
  EXPECT_EQ(above->frame, b2a);
  EXPECT_EQ(upper->frame, b2a);
  EXPECT_EQ(lower->frame, b2b);
  EXPECT_EQ(below->frame, b2b);
  EXPECT_EQ(b2a->rect, (Rect{0, 402, 1000, 599})) << "stretched over the removed leaf";
  EXPECT_TRUE(ModelIsSound(ws.model));
}

TEST_F(RehomeTest, FollowersEndWithTheirLeader) {
  ManagedWindow* leader = InB1({10, 630, 200, 700});
  const Point p{100, 500};
  ManagedWindow* follower = ManageWindow(ws, &p, OpenDialog({10, 420, 100, 470}, leader->hwnd));
  ws.model.movingWindow = leader;
  ASSERT_TRUE(AttachFollower(ws, follower));
  ws.model.movingWindow = nullptr;

  ASSERT_TRUE(RemoveFrame(ws, b1));
  EXPECT_EQ(leader->frame, b2b);
  EXPECT_EQ(follower->frame, b2b);
  EXPECT_EQ(follower->leader, leader);
  EXPECT_TRUE(ModelIsSound(ws.model));
}

TEST_F(SplitTest, AWindowNoFrameTakesIsLetGoAndItsFollowerPlacedAnew) {
  // The work area starts at x = 60, so the corner (1, 1) lies in no frame either.
  Frame* root = SplitArea({60, 0, 1060, 800}, false);
  Frame* bottom = root->second;
  Frame* topLeft = root->first;
  ASSERT_TRUE(SplitFrame(ws, topLeft, true));
  const Point inBottom{500, 600};
  ManagedWindow* offscreen = ManageWindow(ws, &inBottom, Open({-500, 500, -300, 600}));
  ManagedWindow* follower = ManageWindow(ws, &inBottom, OpenDialog({300, 500, 400, 550}, offscreen->hwnd));
  const WindowId offscreenId = offscreen->hwnd;
  ws.model.movingWindow = offscreen;
  ASSERT_TRUE(AttachFollower(ws, follower));
  ws.model.movingWindow = nullptr;

  ASSERT_TRUE(RemoveFrame(ws, bottom));
  EXPECT_EQ(ws.model.FindManagedWindow(offscreenId), nullptr) << "released, not linked into a dead frame";
  EXPECT_EQ(follower->leader, nullptr);
  EXPECT_EQ(follower->frame, topLeft) << "placed by its own position";
  EXPECT_TRUE(ModelIsSound(ws.model));
}

// The removed leaf is still listed, collapsed on its far edge, while its windows are
// placed anew: a window whose fallback point lies on that edge must still end in a
// live frame.
TEST_F(SplitTest, AWindowPlacedAnewNeverLandsInTheRemovedLeaf) {
  struct Row {
    const char* name;
    bool verticalFirst;  // then the second half is split the other way
    Rect window;         // in the first half, which is removed
    std::uint32_t keepVisible;
  };
  const Row rows[] = {
      {"title-bar line on the top edge, placed at (0, 0)", true, {-300, -26, 300, 400}, 1},
      {"right of the screen, placed at (1, 1)", false, {1100, 100, 1400, 300}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RemoveAllFrames(ws);
    ws.settings.KeepWndVisible = row.keepVisible;
    Frame* root = SplitArea({0, 0, 1000, 800}, row.verticalFirst);
    Frame* removed = root->first;
    Frame* corner = root->second;  // keeps the top-left quarter of the second half
    ASSERT_TRUE(SplitFrame(ws, corner, !row.verticalFirst));
    const Point inRemoved{removed->rect.left + 10, removed->rect.top + 10};
    const WindowId w = Open(row.window);
    ASSERT_EQ(ManageWindow(ws, &inRemoved, w)->frame, removed);

    ASSERT_TRUE(RemoveFrame(ws, removed));
    ManagedWindow* r = ws.model.FindManagedWindow(w);
    ASSERT_NE(r, nullptr) << "linked into the deleted leaf";
    EXPECT_EQ(r->frame, corner) << "the leaf now over the top-left corner";
    EXPECT_TRUE(ModelIsSound(ws.model));
  }
}

TEST_F(RehomeTest, SideBySideCandidatesGoByHorizontalOverlap) {
  RemoveAllFrames(ws);
  // Top (0, 0, 1000, 398) split side by side into T1 | T2; bottom (0, 402, 1000, 800).
  Frame* root = SplitArea({0, 0, 1000, 800}, false);
  Frame* bottom = root->second;
  Frame* t1 = root->first;
  ASSERT_TRUE(SplitFrame(ws, t1, true));
  Frame* t2 = t1->parent->second;
  const Point p{500, 600};
  ManagedWindow* held = ManageWindow(ws, &p, Open({100, 500, 400, 700}));
  ManagedWindow* more = ManageWindow(ws, &p, Open({400, 500, 700, 700}));
  ASSERT_TRUE(RemoveFrame(ws, bottom));
  EXPECT_EQ(held->frame, t1);
  EXPECT_EQ(more->frame, t2);
  EXPECT_EQ(t1->rect.bottom, 800);
}

TEST_F(SplitTest, CollectLineFramesWalksInPreOrder) {
  Frame* root = SplitArea({0, 0, 1000, 800}, true);
  Frame* left = root->first;
  Frame* right = root->second;
  ASSERT_TRUE(SplitFrame(ws, right, false));
  Frame* rightSplit = right->parent;
  ASSERT_TRUE(SplitFrame(ws, left, true));
  Frame* leftSplit = left->parent;
  // The root's line touches the left split and its second leaf, the right split and both its leaves.
  EXPECT_EQ(CollectLineFrames(root), (std::vector<Frame*>{leftSplit, leftSplit->second, rightSplit,
                                                          rightSplit->first, rightSplit->second}));
  EXPECT_EQ(CollectLineFrames(right), (std::vector<Frame*>{right, rightSplit->second})) << "a leaf: its parent's line";
  EXPECT_TRUE(CollectLineFrames(nullptr).empty());
}

TEST_F(SplitTest, CompositionIsOffExactlyWhileFramesExist) {
  desktop.version = {6, 1};
  ws.osVersion = desktop.version;
  desktop.composition.hasEnable = false;
  EXPECT_FALSE(SplitFrame(ws, nullptr, true));
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, L"Failed to disable aero effect.");
  EXPECT_EQ(desktop.messageBoxes[0].caption, L"Error");
  EXPECT_EQ(desktop.messageBoxes[0].type, 0x10u);
  EXPECT_EQ(desktop.messageBoxes[0].owner, kNoWindow);
  EXPECT_EQ(ws.model.frameList, nullptr);

  // No bar window to be had: the split is abandoned and composition comes back on.
  desktop.composition.hasEnable = true;
  bars.failAfter = 0;
  EXPECT_FALSE(SplitFrame(ws, nullptr, true));
  EXPECT_EQ(ws.model.frameList, nullptr);
  EXPECT_TRUE(desktop.composition.enabled);
  EXPECT_EQ(desktop.LiveProgramRegions(), 0);
}

TEST_F(SplitTest, SplitWithoutAnActiveFrameKeepsOneTree) {
  const WindowId w = Open({600, 100, 900, 400});
  Frame* root = SplitArea({0, 0, 1000, 800}, true);
  ws.model.SetActiveFrame(nullptr);  // as a loaded layout without an active frame leaves it
  desktop.foreground = w;
  EXPECT_TRUE(SplitFrame(ws, nullptr, false));
  EXPECT_EQ(Root(), root);
  EXPECT_TRUE(root->second->isSplit) << "the foreground window's leaf was split";
  EXPECT_TRUE(ModelIsSound(ws.model));
}

TEST(SplitSweep, RandomSplitsRemovalsAndMovesKeepTheModelSound) {
  const Rect workAreas[] = {{0, 0, 1024, 768}, {0, 0, 1280, 1024}, {0, 40, 1920, 1080}, {0, 0, 3840, 2120}};
  for (const Rect& area : workAreas) {
    SCOPED_TRACE(::testing::Message() << "work area " << area.Width() << "x" << area.Height());
    FakeWindowSystem desktop;
    FakeSplitterWindows bars{desktop};
    Workspace ws{desktop, &bars};
    desktop.workArea = area;
    std::mt19937 random(static_cast<std::uint32_t>(area.Width()));
    std::uniform_int_distribution<std::int32_t> x(area.left, area.right - 100), y(area.top, area.bottom - 100);
    for (int i = 0; i < 40; ++i) {
      FakeWindowSystem::Spec spec;
      const std::int32_t l = x(random), t = y(random);
      spec.rect = {l, t, l + 300, t + 200};
      desktop.AddWindow(spec);
    }
    for (int step = 0; step < 300; ++step) {
      SCOPED_TRACE(::testing::Message() << "step " << step);
      const std::vector<Frame*> leaves = Frames(ws.model, false);
      const int op = static_cast<int>(random() % 4);
      if (leaves.empty() || op == 0) {
        SplitFrame(ws, leaves.empty() ? nullptr : leaves[random() % leaves.size()], random() % 2 == 0);
      } else if (op == 1) {
        RemoveFrame(ws, leaves[random() % leaves.size()]);
      } else if (op == 2) {
        const std::vector<Frame*> splits = Frames(ws.model, true);
        Frame* p = splits[random() % splits.size()];
        Rect proposed = p->splitter->bar;
        const std::int32_t d = static_cast<std::int32_t>(random() % 400) - 200;
        proposed = proposed.Offset(p->vertical ? d : 0, p->vertical ? 0 : d);
        ConstrainBarDrag(ws, p, &proposed);
        RelayoutSplitLine(ws, p);
      } else {
        SplitFrame(ws, leaves[random() % leaves.size()], random() % 2 == 0);
      }
      ASSERT_TRUE(ModelIsSound(ws.model));
      if (ws.model.frameList) {
        ASSERT_TRUE(TilesExactly(ws.model, area));
      }
      int barsAlive = 0;
      for (Frame* f : Frames(ws.model, true)) barsAlive += desktop.IsWindow(f->splitter->hwnd);
      ASSERT_EQ(barsAlive, static_cast<int>(Frames(ws.model, true).size()));
    }
    RemoveAllFrames(ws);
    EXPECT_EQ(desktop.LiveProgramRegions(), 0);
    EXPECT_TRUE(desktop.misuse().empty());
  }
}

}  // namespace
}  // namespace tessel
