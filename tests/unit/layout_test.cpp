#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "layout/neighbour_choice.h"
#include "layout/split_geometry.h"
#include "layout/split_line.h"
#include "layout/window_position.h"
#include "storage/frames_format.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

TEST(FrameModel, TheLeafAtAPointTheLeafAcrossABarAndTheActiveFramesBars) {
  // L (-1000, 0, -502, 800) | T1 (-498, 0, -251, 398), T2 (-247, 0, 0, 398) over
  // B (-498, 402, 0, 800); listed T2, B, L, T1.
  FrameModel model;
  FrameTree tree{model};
  Frame* l = tree.SplitArea({-1000, 0, 0, 800}, true)->first;
  Frame* b = tree.Split(model.frameList->next, false)->second;
  Frame* t1 = tree.Split(b->parent->first, true)->first;
  Frame* t2 = model.frameList;
  EXPECT_EQ(model.FrameAtPoint(-500, 10, true), l) << "in the bar right of L";
  EXPECT_EQ(model.FrameAtPoint(-500, 10, false), nullptr) << "the same without bars";
  EXPECT_EQ(model.FrameAtPoint(-498, 10, true), l) << "L's strip and T1's edge: L is listed first";
  EXPECT_EQ(model.FrameAtPoint(2, 804, true), b) << "B's strips, outside the work area too";
  EXPECT_EQ(model.FrameAtPoint(5, 10, true), nullptr) << "right of every strip";

  // Sideways a window goes to the leaf whose top lies nearest above its title bar's last
  // line (a 23-pixel caption); up or down, to the one holding its width or overlapping it most.
  EXPECT_EQ(ChooseNeighbour(model, l, {-900, 450, -700, 600}, 23, kRight), b) << "title line 472";
  EXPECT_EQ(ChooseNeighbour(model, l, {-900, 380, -700, 500}, 23, kRight), t1) << "title line 402";
  EXPECT_EQ(ChooseNeighbour(model, l, {-900, 100, -700, 300}, 23, kLeft), nullptr) << "at the edge";
  EXPECT_EQ(ChooseNeighbour(model, t1, {-400, 50, 200, 300}, 23, kLeft), l);
  EXPECT_EQ(ChooseNeighbour(model, b, {-450, 500, -300, 700}, 23, kUp), t1) << "held whole by T1";
  EXPECT_EQ(ChooseNeighbour(model, b, {-350, 500, -50, 700}, 23, kUp), t2) << "99 pixels over T1, 197 over T2";
  EXPECT_EQ(ChooseNeighbour(model, t1, {-450, 198, -300, 398}, 23, kDown), b);
  // It lands against the near edge.
  EXPECT_EQ(AtNearEdge({-900, 450, -700, 600}, b->rect, kRight), (Rect{-498, 450, -298, 600}));
  EXPECT_EQ(AtNearEdge({-400, 50, 200, 300}, l->rect, kLeft), (Rect{-1102, 50, -502, 300})) << "wider than L";
  EXPECT_EQ(AtNearEdge({-450, 500, -300, 700}, t1->rect, kUp), (Rect{-450, 198, -300, 398})) << "bottoms meet";
  EXPECT_EQ(AtNearEdge({-200, 402, -50, 902}, t2->rect, kUp), (Rect{-200, 0, -50, 500})) << "taller: top";
  EXPECT_EQ(AtNearEdge({-450, 198, -300, 398}, b->rect, kDown), (Rect{-450, 402, -300, 602})) << "tops meet";

  // The active frame's bars, across its ancestors: 1 the root's, 2 below T, 3 between T1 and T2.
  std::uintptr_t id = 1;
  for (Frame* split : {l->parent, b->parent, t1->parent}) split->splitter->hwnd = WindowId{id++};
  const struct {
    Frame* active;
    std::uintptr_t bars[4];  // left, top, right, bottom
  } rows[] = {{t1, {1, 0, 3, 2}}, {b, {1, 2, 0, 0}}, {nullptr, {}}};
  for (const auto& row : rows) {
    ASSERT_TRUE(model.SetActiveFrame(row.active));
    for (int side = 0; side < 4; ++side) EXPECT_EQ(model.activeBars[side], WindowId{row.bars[side]}) << side;
  }
  Frame loose;
  EXPECT_FALSE(model.SetActiveFrame(&loose)) << "a frame not listed";

  MoveSplitLine(l, 0);  // removal collapses L on its left edge while its windows are placed anew
  EXPECT_EQ(model.FrameAtPoint(-1000, 10, false), t1) << "a collapsed leaf holds no point";
  t1->rect.right = INT_MAX;  // a strip past the coordinate limit must not wrap around
  EXPECT_EQ(model.FrameAtPoint(INT_MAX, 10, true), t1);
}

TEST(FrameModel, ANewWindowJoinsAShownRelativeItTouchesAndAChangedFrameLeavesAWindowThatStillFitsAlone) {
  FrameModel model;
  Frame* root = FrameTree{model}.SplitArea({0, 0, 1000, 800}, true);
  auto record = [](Frame* leaf, std::uintptr_t id, std::uintptr_t family, const Rect& rect, bool hidden) {
    auto* r = new ManagedWindow{};  // freed with the model
    r->hwnd = WindowId{id};
    r->rootOwner = WindowId{family};
    r->lastRect = rect;
    r->hidden = hidden;
    LinkWindowAtHead(leaf, r);
    return r;
  };
  ManagedWindow* owner = record(root->second, 7, 7, {600, 100, 900, 400}, false);  // family 7's, right
  ManagedWindow* hidden = record(root->first, 9, 8, {100, 100, 400, 400}, true);   // by its program
  const WindowId dialog{10}, family{7};
  EXPECT_EQ(model.TouchingFamilyLeaf(dialog, family, {400, 150, 600, 300}), root->second) << "touching";
  EXPECT_EQ(model.TouchingFamilyLeaf(dialog, family, {300, 150, 599, 300}), nullptr) << "one pixel short";
  EXPECT_EQ(model.TouchingFamilyLeaf(dialog, WindowId{12}, {400, 150, 600, 300}), nullptr)
      << "another family";
  EXPECT_EQ(model.TouchingFamilyLeaf(family, family, {600, 100, 900, 400}), nullptr) << "the owner itself";
  EXPECT_EQ(model.TouchingFamilyLeaf(dialog, WindowId{8}, {350, 150, 500, 300}), nullptr) << "hidden";

  EXPECT_TRUE(StillFitsIn(*owner, {600, 100, 900, 400})) << "on the new edges";
  EXPECT_FALSE(StillFitsIn(*owner, {601, 0, 1000, 800})) << "past a new edge";
  EXPECT_FALSE(StillFitsIn(*hidden, root->first->rect)) << "hidden by its program";
  EXPECT_FALSE(StillFitsIn(ManagedWindow{}, root->first->rect)) << "never read";
  owner->regionApplied = true;
  EXPECT_FALSE(StillFitsIn(*owner, root->second->rect)) << "clipped before";
  owner->regionApplied = false;
  owner->state = WindowState::kMaximised;
  EXPECT_FALSE(StillFitsIn(*owner, root->second->rect));
}

// How far a line goes exactly; the invariant sweep proves the rest of a drag.
TEST(SplitLine, TheLineMovesAsFarAsTheShrinkingSideKeepsFiftyPixelsAndAbsorbModeCollapsesAFrame) {
  FrameModel model;
  Frame* root = FrameTree{model}.SplitArea({0, 0, 1000, 800}, true);
  const struct {
    const char* what;
    bool fromSecond;                    // for which a positive delta grows the second child
    std::int32_t delta, applied, line;  // line: the first child's right edge afterwards
  } rows[] = {
      {"exactly 50 pixels left on the right", false, 500, 448, 946},
      {"the right is at the minimum", false, 1, 0, 946},
      {"the left down to 50", false, -1000, -896, 50},
      {"the right cannot grow past it", true, 5, 0, 50},
      {"the right gives room back", true, -448, -448, 498},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(MoveSplitLine(row.fromSecond ? root->second : root->first, row.delta), row.applied);
    EXPECT_EQ(root->first->rect.right, row.line);
    EXPECT_EQ(root->second->rect.left, row.line + kBarThickness);
  }
  // Absorb mode, as frame removal uses it: the frame collapses at its far edge and its
  // sibling, here split in turn, takes the area.
  Frame* right = FrameTree{model}.Split(root->second, false);
  EXPECT_EQ(MoveSplitLine(root->first, 0), 0);
  EXPECT_EQ(root->first->rect, (Rect{0, 0, 0, 800}));
  EXPECT_EQ(right->splitter->bar, (Rect{0, 398, 1000, 402})) << "the inner bar spans the stretched frame";
  EXPECT_EQ(MoveSplitLine(right->second, 0), 0);
  EXPECT_EQ(right->first->rect, (Rect{0, 0, 1000, 800}));
  EXPECT_EQ(right->second->rect, (Rect{0, 800, 1000, 800}));
  for (Frame* f : {static_cast<Frame*>(nullptr), root}) EXPECT_EQ(MoveSplitLine(f, 10), 0) << "no line";
}

TEST(SplitGeometry, HalvesKeepAFourPixelBarAndAWindowGoesWhereMostOfItOrItsTitleBarLies) {
  Rect first, second;
  SplitHalves({0, 0, 1001, 800}, true, &first, &second);
  EXPECT_EQ(first, (Rect{0, 0, 498, 800}));
  EXPECT_EQ(second, (Rect{502, 0, 1001, 800})) << "the odd pixel goes right";
  EXPECT_FALSE(TooSmallToSplit({0, 0, 105, 800}, true)) << "the smallest split: two leaves of 50";
  EXPECT_TRUE(TooSmallToSplit({0, 0, 104, 800}, true));
  EXPECT_TRUE(TooSmallToSplit({0, 0, 800, 5}, false));

  const Rect left{0, 0, 498, 800}, right{502, 0, 1000, 800};
  const Rect top{0, 0, 1000, 398}, bottom{0, 402, 1000, 800};
  EXPECT_FALSE(GoesToSecondHalf({100, 50, 500, 300}, left, right, true)) << "mostly left";
  EXPECT_TRUE(GoesToSecondHalf({400, 50, 800, 300}, left, right, true)) << "mostly right";
  EXPECT_FALSE(GoesToSecondHalf({100, 300, 500, 700}, top, bottom, false)) << "top above the second half";
  EXPECT_TRUE(GoesToSecondHalf({100, 404, 500, 700}, top, bottom, false)) << "top inside the second half";
}

TEST(WindowPosition, KeptVisibleLeavesFiftyPixelsAndTheCaptionInsideAndDialogsLieWhole) {
  const Rect f{500, 100, 1000, 900}, area{0, 0, 1280, 1000};  // caption 27 px
  EXPECT_EQ(KeptVisible({300, 200, 600, 400}, f, 27), (Rect{300, 200, 600, 400})) << "over 50 px in";
  EXPECT_EQ(KeptVisible({200, 200, 510, 400}, f, 27), (Rect{240, 200, 550, 400})) << "10 px inside: to 50";
  EXPECT_EQ(KeptVisible({980, 200, 1280, 400}, f, 27), (Rect{950, 200, 1250, 400})) << "20 px inside: to 50";
  EXPECT_EQ(KeptVisible({600, 50, 900, 250}, f, 27), (Rect{600, 100, 900, 300})) << "above: down to the top";
  EXPECT_EQ(KeptVisible({600, 890, 900, 1100}, f, 27), (Rect{600, 873, 900, 1083})) << "caption below: up";
  EXPECT_EQ(PlacedDialog({900, 850, 1100, 950}, f, area), (Rect{800, 800, 1000, 900})) << "fits: wholly in";
  EXPECT_EQ(PlacedDialog({300, 200, 865, 500}, f, area), (Rect{435, 200, 1000, 500})) << "wider: covers it";
  EXPECT_EQ(PlacedDialog({700, 200, 1265, 500}, f, area), (Rect{500, 200, 1065, 500})) << "from the right";
  EXPECT_EQ(PlacedDialog({600, 50, 800, 950}, f, area), (Rect{600, 100, 800, 1000})) << "taller: caption in";
  // A frame at the screen's right edge: what lies outside it spills onto the screen, not off it.
  EXPECT_EQ(PlacedDialog({1000, 100, 1565, 500}, {980, 0, 1280, 1000}, area), (Rect{715, 100, 1280, 500}));
  EXPECT_EQ(SlidInto({400, 50, 1100, 150}, f), (Rect{500, 100, 1200, 200})) << "too wide: left edges meet";
}

// Where a finished drag leaves the bar: on the first child's far edge, across the frame.
Rect BarOf(const Frame& split) {
  const Rect &k = split.first->rect, &f = split.rect;
  return split.vertical ? Rect{k.right, f.top, k.right + kBarThickness, f.bottom}
                        : Rect{f.left, k.bottom, f.right, k.bottom + kBarThickness};
}

// What is wrong with the tiling, or nothing; children tile each split one bar apart as
// in a sound saved layout.
std::string Flaw(const FrameModel& model, const Rect& area) {
  LayoutEntries saved;
  if (!EntriesFromModel(model, &saved) || !IsSoundLayout(saved)) return "children no longer tile a split";
  for (const Frame* f = model.frameList; f; f = f->next) {
    if (!f->parent && f->rect != area) return "the root left the work area";
    if (f->isSplit && f->splitter->bar != BarOf(*f)) return "a bar left its line";
    if (!f->isSplit && std::min(f->rect.Width(), f->rect.Height()) < kMinLeafExtent) return "a leaf too small";
  }
  return "";
}

// Whatever the user splits and drags, leaves and bars tile the work area exactly, no
// leaf gets narrower than the minimum, and a line moves no further than asked.
TEST(TilingInvariant, HoldsAfterAnySequenceOfLineMoves) {
  for (const Rect& area :
       {Rect{0, 0, 1024, 768}, Rect{0, 40, 1920, 1080}, Rect{0, 0, 3840, 2120}, Rect{-1920, 0, 0, 1040}}) {
    const auto seed = static_cast<std::uint32_t>(area.Width() * 31 + area.left);
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    FrameModel model;
    FrameTree tree{model};
    std::vector<Frame*> splits{tree.SplitArea(area, true)};
    for (int i = 0; i < 24; ++i) {
      Frame* parent = splits[random() % splits.size()];
      Frame* leaf = random() % 2 == 0 ? parent->first : parent->second;
      const bool vertical = random() % 2 == 0;
      if (!leaf->isSplit && !TooSmallToSplit(leaf->rect, vertical)) splits.push_back(tree.Split(leaf, vertical));
    }
    ASSERT_GT(splits.size(), 8u);
    ASSERT_EQ(Flaw(model, area), "");
    std::uniform_int_distribution<std::int32_t> deltas(-500, 500);
    int cutShort = 0, refused = 0;
    for (int step = 0; step < 300; ++step) {
      Frame* parent = splits[random() % splits.size()];
      Frame* moved = random() % 2 == 0 ? parent->first : parent->second;
      const std::int32_t delta = deltas(random);
      if (delta == 0) continue;  // absorb mode belongs to frame removal, not to a drag
      const Rect& k = parent->first->rect;
      const std::int32_t before = parent->vertical ? k.right : k.bottom;
      const std::int32_t applied = MoveSplitLine(moved, delta);
      parent->splitter->bar = BarOf(*parent);  // as the dragged bar does
      SCOPED_TRACE(::testing::Message() << "step " << step << ", delta " << delta);
      EXPECT_TRUE(applied == 0 || (applied > 0) == (delta > 0));
      EXPECT_LE(std::abs(applied), std::abs(delta));
      EXPECT_EQ((parent->vertical ? k.right : k.bottom) - before,
                moved == parent->first ? applied : -applied);
      ASSERT_EQ(Flaw(model, area), "");
      cutShort += applied != 0 && applied != delta;
      refused += applied == 0;
    }
    EXPECT_GT(cutShort, 0) << "the moves must run into the minimum, or they prove little";
    EXPECT_GT(refused, 0);
  }
}

}  // namespace
}  // namespace tessel
