#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "desktop/monitors.h"
#include "fuzz/load_layout_input.h"
#include "layout/neighbour_choice.h"
#include "layout/split_geometry.h"
#include "layout/split_line.h"
#include "layout/window_position.h"
#include "storage/frames_format.h"
#include "storage/layout_fit.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

TEST(FrameModel, TheLeafAtAPointTheLeafAcrossABarTheActiveFramesBarsAndRemovalsCollapse) {
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

  // Sideways a window goes to the leaf whose top is nearest above its title bar's last line (23-pixel
  // caption), up or down to the one holding its width or overlapping it most; it lands at the near edge.
  EXPECT_EQ(ChooseNeighbour(model, l, {-900, 450, -700, 600}, 23, kRight), b) << "title line 472";
  EXPECT_EQ(ChooseNeighbour(model, l, {-900, 380, -700, 500}, 23, kRight), t1) << "title line 402";
  EXPECT_EQ(ChooseNeighbour(model, l, {-900, 100, -700, 300}, 23, kLeft), nullptr) << "at the edge";
  EXPECT_EQ(ChooseNeighbour(model, t1, {-400, 50, 200, 300}, 23, kLeft), l);
  EXPECT_EQ(ChooseNeighbour(model, b, {-450, 500, -300, 700}, 23, kUp), t1) << "held whole by T1";
  EXPECT_EQ(ChooseNeighbour(model, b, {-350, 500, -50, 700}, 23, kUp), t2) << "99 px over T1, 197 over T2";
  EXPECT_EQ(ChooseNeighbour(model, t1, {-450, 198, -300, 398}, 23, kDown), b);
  EXPECT_EQ(AtNearEdge({-900, 450, -700, 600}, b->rect, kRight), (Rect{-498, 450, -298, 600}));
  EXPECT_EQ(AtNearEdge({-400, 50, 200, 300}, l->rect, kLeft), (Rect{-1102, 50, -502, 300})) << "wider than L";
  EXPECT_EQ(AtNearEdge({-450, 500, -300, 700}, t1->rect, kUp), (Rect{-450, 198, -300, 398})) << "bottom edge";
  EXPECT_EQ(AtNearEdge({-200, 402, -50, 902}, t2->rect, kUp), (Rect{-200, 0, -50, 500})) << "taller: top";
  EXPECT_EQ(AtNearEdge({-450, 198, -300, 398}, b->rect, kDown), (Rect{-450, 402, -300, 602})) << "top edge";

  // A tree on the monitor to the right: at the edge a window crosses to a leaf against it.
  Frame* top2 = tree.SplitArea({0, 0, 1024, 768}, false)->first;
  EXPECT_EQ(ChooseNeighbour(model, t2, {-200, 50, -50, 300}, 23, kRight), top2);
  EXPECT_EQ(ChooseNeighbour(model, top2, {100, 50, 300, 300}, 23, kLeft), t2) << "T2's top is nearest above";
  EXPECT_EQ(model.RootOn({0, 0, 1280, 1024}), top2->parent);
  EXPECT_EQ(model.RootOn({1024, 0, 2048, 768}), nullptr) << "a monitor without frames";

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
  // Removal collapses a frame at its far edge; its sibling takes the area, bars and all.
  EXPECT_EQ(MoveSplitLine(l, 0), 0);
  EXPECT_EQ(MoveSplitLine(b, 0), 0);
  EXPECT_EQ(l->rect, (Rect{-1000, 0, -1000, 800}));
  EXPECT_EQ(b->rect, (Rect{-1000, 800, 0, 800}));
  EXPECT_EQ(t1->rect, (Rect{-1000, 0, -251, 800}));
  EXPECT_EQ(t1->parent->splitter->bar, (Rect{-251, 0, -247, 800}));
  EXPECT_EQ(model.FrameAtPoint(-1000, 10, false), t1) << "a collapsed leaf holds no point";
  t1->rect.right = INT_MAX;  // a strip past the coordinate limit must not wrap around
  EXPECT_EQ(model.FrameAtPoint(INT_MAX, 10, true), t1);
}

TEST(FrameModel, ANewWindowJoinsAShownRelativeItTouchesAndAChangedFrameLeavesAWindowThatStillFitsAlone) {
  FrameModel model;
  Frame* root = FrameTree{model}.SplitArea({0, 0, 1000, 800}, true);
  const WindowId dialog{10}, family{7};
  auto* owner = new ManagedWindow{};  // family 7's, right; freed with the model
  owner->hwnd = owner->rootOwner = family;
  owner->lastRect = {600, 100, 900, 400};
  LinkWindowAtHead(root->second, owner);
  auto* hidden = new ManagedWindow{};  // family 8's, left, hidden by its program
  hidden->rootOwner = WindowId{8};
  hidden->lastRect = {100, 100, 400, 400};
  hidden->hidden = true;
  LinkWindowAtHead(root->first, hidden);
  EXPECT_EQ(model.TouchingFamilyLeaf(dialog, family, {400, 150, 600, 300}), root->second) << "touching";
  EXPECT_EQ(model.TouchingFamilyLeaf(dialog, family, {300, 150, 599, 300}), nullptr) << "one pixel short";
  EXPECT_EQ(model.TouchingFamilyLeaf(dialog, WindowId{12}, {400, 150, 600, 300}), nullptr) << "not kin";
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
TEST(Monitors, ATreeIsSetAsideWhenItsMonitorGoesAndComesBackOnOneOfTheSameNameAndSize) {
  const MonitorArea one{L"\\\\.\\DISPLAY1", {0, 0, 1280, 1024}, {0, 0, 1280, 1004}, true};
  const MonitorArea two{L"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, {1280, 0, 2304, 768}, false};
  MonitorArea moved = two, resized = one, renamed = two;
  moved.monitor = moved.work = {-1024, 0, 0, 768};
  resized.monitor = {0, 0, 1920, 1080};
  renamed.device = L"\\\\.\\DISPLAY3";
  using Fates = std::vector<MonitorFate>;
  constexpr MonitorFate kKept = MonitorFate::kKept, kChanged = MonitorFate::kChanged, kGone = MonitorFate::kGone;
  EXPECT_EQ(FatesOfMonitors({one, two}, {two, one}), (Fates{kKept, kKept})) << "listed in another order";
  EXPECT_EQ(FatesOfMonitors({one, two}, {one}), (Fates{kKept, kGone}));
  EXPECT_EQ(FatesOfMonitors({one, two}, {resized, moved}), (Fates{kChanged, kChanged}));
  EXPECT_EQ(FatesOfMonitors({one, two}, {one, renamed}), (Fates{kKept, kGone}));
  const std::vector<MonitorArea> back{one, moved};
  EXPECT_EQ(MonitorToReturnTo(back, two.device, two.monitor), &back[1]) << "the same size elsewhere";
  EXPECT_EQ(MonitorToReturnTo({resized}, one.device, one.monitor), nullptr);
  EXPECT_EQ(MonitorToReturnTo({renamed}, two.device, two.monitor), nullptr);
}

TEST(SplitLine, TheLineMovesAsFarAsTheShrinkingSideKeepsFiftyPixels) {
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
  const Rect top{0, 0, 1000, 398}, bottom{0, 402, 1000, 800};
  EXPECT_FALSE(GoesToSecondHalf({100, 50, 500, 300}, first, second, true)) << "mostly left";
  EXPECT_TRUE(GoesToSecondHalf({400, 50, 800, 300}, first, second, true)) << "mostly right";
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
    if (!f->isSplit && std::min(f->rect.Width(), f->rect.Height()) < kMinLeafExtent) return "a leaf below 50";
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
      Frame* k = random() % 2 == 0 ? parent->first : parent->second;
      const bool vertical = random() % 2 == 0;
      if (!k->isSplit && !TooSmallToSplit(k->rect, vertical)) splits.push_back(tree.Split(k, vertical));
    }
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

using Words = std::vector<std::int64_t>;

std::vector<std::uint8_t> ToBytes(const Words& words) {
  std::vector<std::uint8_t> b;
  for (std::int64_t w : words)
    for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<std::uint8_t>(w >> shift));
  return b;
}

constexpr std::int64_t kMagic = 0x53465354;  // "TSFS" as a little-endian word

// w x h split side by side at x, then the right half stacked at y; the top right is active.
// A frame record: rectangle, windows, next, isSplit, vertical, first, second, splitter,
// parent; a split frame's is followed by its bar's: window, thickness, bar, highlight, frame.
Words Nested(std::int64_t w, std::int64_t h, std::int64_t x, std::int64_t y) {
  const std::int64_t r = x + kBarThickness, b = y + kBarThickness;  // right of the bars
  return {kMagic, 1, 5,                                                          // magic, version, count
          r, b, w, h, 0, 0, 0, 0, 0, 0, 0, 1,                                    // bottom right
          r, 0, w, h, 0, 0, 1, 0, 3, 0, 0, 4, 0, 4, r, y, w, b, 0, 0, 0, 0, 0,  // right split
          0, 0, x, h, 0, 0, 0, 0, 0, 0, 0, 4,                                    // left
          r, 0, w, y, 0, 0, 0, 0, 0, 0, 0, 1,                                    // top right
          0, 0, w, h, 0, 0, 1, 1, 2, 1, 0, 5, 0, 4, x, 0, r, h, 0, 0, 0, 0, 0,  // root
          3};                                                                    // active
}
const Words kNested = Nested(1000, 800, 498, 398);
// Where fields of kNested lie: entry starts, then offsets within a record.
constexpr int kRightSplit = 15, kLeft = 38, kTopRight = 50, kRoot = 62;
constexpr int kRight = 2, kFirst = 8, kSecond = 9, kParent = 11, kThickness = 13;

bool Taken(const std::vector<std::uint8_t>& bytes, LayoutEntries* layout) {
  return DecodeLayout(bytes.data(), bytes.size(), layout) && IsSoundLayout(*layout);
}

TEST(FramesFormat, TheSplitCommandsLayoutSavesByteForByteAndBuildsBackTheSameFrames) {
  FrameModel model;
  LayoutEntries entries;
  ASSERT_TRUE(EntriesFromModel(model, &entries));
  EXPECT_EQ(EncodeLayout(entries), ToBytes({kMagic, 1, 0, -1})) << "no frames: 16 bytes";
  FrameTree tree{model};
  model.activeFrame = tree.Split(tree.SplitArea({0, 0, 1000, 800}, true)->second, false)->first;
  ASSERT_TRUE(EntriesFromModel(model, &entries));
  const std::vector<std::uint8_t> bytes = EncodeLayout(entries);
  ASSERT_EQ(bytes, ToBytes(kNested));
  ASSERT_TRUE(Taken(bytes, &entries));
  LoadLayoutInput(bytes.data(), bytes.size());  // aborts unless its frames save the same layout
  for (std::int32_t i : {-1, 5, INT_MAX, INT_MIN}) EXPECT_EQ(FrameAtIndex(model.frameList, i), nullptr) << i;

  // With a second monitor's tree, the first monitor's layout is saved as it was alone.
  tree.SplitArea({1000, 0, 2024, 768}, true);
  const Rect first{0, 0, 1000, 800}, second{1000, 0, 2024, 768}, none{2024, 0, 3048, 768};
  ASSERT_TRUE(EntriesFromModel(model, &entries, &first));
  EXPECT_EQ(EncodeLayout(entries), bytes);
  ASSERT_TRUE(EntriesFromModel(model, &entries, &second));
  EXPECT_EQ(entries.frames.size(), 3u);
  EXPECT_EQ(entries.active, -1) << "the active frame is on the other monitor";
  ASSERT_TRUE(EntriesFromModel(model, &entries, &none));
  EXPECT_TRUE(entries.frames.empty());
}

TEST(FramesFormat, DamagedFilesAreRefused) {
  const struct {
    const char* what;
    int word;
    std::int64_t value;
  } rows[] = {{"wrong magic", 0, 0x58465354}, {"version 2", 1, 2}, {"negative count", 2, -1},
              {"a count no file of this size can hold", 2, 0x7FFFFFFF},
              {"child index N", kRoot + kFirst, 5}, {"negative child index", kRoot + kSecond, -1},
              {"parent above N", kLeft + kParent, 6}, {"two roots", kLeft + kParent, 5},
              {"child naming another parent", kTopRight + kParent, 4},
              {"both children the same", kRightSplit + kSecond, 3},
              {"bar of another thickness", kRightSplit + kThickness, 5},
              {"gap between the children", kLeft + kRight, 497}};
  LayoutEntries layout;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Words words = kNested;
    words[row.word] = row.value;
    EXPECT_FALSE(Taken(ToBytes(words), &layout));
  }
  const std::vector<std::uint8_t> whole = ToBytes(kNested);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE("cut at " + std::to_string(size));
    EXPECT_FALSE(Taken({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)}, &layout));
  }
  EXPECT_FALSE(Taken(ToBytes({kMagic, 1, 1, 0, 0, 9, 9, 0, 0, 0, 0, 0, 0, 0, 1, 0}), &layout)) << "lone leaf";
  Words far = kNested;
  for (int entry : {3, kRightSplit, kLeft, kTopRight, kRoot})
    for (int edge : {0, kRight}) far[entry + edge] += std::int64_t{1} << 30;
  EXPECT_FALSE(Taken(ToBytes(far), &layout)) << "every frame moved past the coordinate limit";
}

// Version 2 with kNested's tree on each of two monitors, named as the system names them,
// the second's (at 1000, 0) without an active frame. Each monitor's part starts with its
// name: 32 UTF-16 units, two to a word.
Words TwoMonitors(const char* second = "\\\\.\\DISPLAY2", std::int64_t secondActive = -1) {
  Words w{kMagic, 2, 2};
  const struct {
    std::string name;
    std::int64_t left, active;
  } monitors[] = {{"\\\\.\\DISPLAY1", 0, 3}, {second, 1000, secondActive}};
  for (auto [name, left, active] : monitors) {
    name.resize(32);
    for (int i = 0; i < 32; i += 2) w.push_back(name[i] | name[i + 1] << 16);
    w.insert(w.end(), {left, 0, left + 1000, 800});
    w.insert(w.end(), kNested.begin() + 2, kNested.end() - 1);
    w.push_back(active);
  }
  return w;
}

TEST(FramesFormat, TwoMonitorsReadBackAsTwoTreesAndDamagedOnesAreRefused) {
  const std::vector<std::uint8_t> bytes = ToBytes(TwoMonitors());
  std::vector<MonitorTree> trees;
  ASSERT_TRUE(DecodeMonitorTrees(bytes.data(), bytes.size(), &trees));
  ASSERT_EQ(trees.size(), 2u);
  EXPECT_EQ(trees[1].device, L"\\\\.\\DISPLAY2");
  EXPECT_EQ(trees[1].monitor, (Rect{1000, 0, 2000, 800}));
  EXPECT_EQ(EncodeMonitorTrees(trees), bytes) << "saved again byte for byte";
  LoadLayoutInput(bytes.data(), bytes.size());
  LayoutEntries all;
  for (const MonitorTree& t : trees) AppendTree(&all, t.layout);
  EXPECT_EQ(all.active, 3);
  FrameModel model;
  model.frameList = BuildChain(all);
  EXPECT_EQ(FrameAtIndex(model.frameList, 9)->first, FrameAtIndex(model.frameList, 7)) << "indices moved by 5";

  const struct {
    const char* what;
    Words words;
  } rows[] = {{"no monitors", {kMagic, 2, 0}}, {"17 monitors", {kMagic, 2, 17}},
              {"the same monitor twice", TwoMonitors("\\\\.\\DISPLAY1")},
              {"a name without its end", TwoMonitors("\\\\.\\DISPLAY2-and-more-than-thirty-two")},
              {"a name that is empty", TwoMonitors("")}, {"two active frames", TwoMonitors("\\\\.\\DISPLAY2", 0)}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::vector<std::uint8_t> damaged = ToBytes(row.words);
    EXPECT_FALSE(DecodeMonitorTrees(damaged.data(), damaged.size(), &trees));
  }
  Words words = TwoMonitors();
  const std::size_t secondTree = 3 + 20 + (kNested.size() - 2) + 20;  // its entry count
  words[secondTree + kRightSplit - 2 + kThickness] = 5;
  const std::vector<std::uint8_t> unsound = ToBytes(words);
  EXPECT_FALSE(DecodeMonitorTrees(unsound.data(), unsound.size(), &trees)) << "a bar of another thickness";
  for (std::size_t size = 0; size < bytes.size(); size += 4)
    EXPECT_FALSE(DecodeMonitorTrees(bytes.data(), size, &trees)) << "cut at " << size;
}

TEST(LayoutFit, SplitLinesKeepTheirProportionInTheNewWorkArea) {
  const struct Row {
    const char* name;
    Words saved;
    Rect area;
    std::int32_t leftWidth, topHeight;  // fitted
    std::int32_t rootHeight = 0;        // 0: the area's
  } rows[] = {
      {"1280x1004 onto 1920x1040 by a taskbar", Nested(1280, 1004, 955, 500), {60, 0, 1980, 1040}, 1434, 518},
      {"the narrow side keeps 50 pixels", Nested(1000, 800, 900, 398), {0, 0, 500, 800}, 446, 398},
      {"a leaf saved below 50 keeps its size", Nested(1000, 800, 30, 398), {0, 0, 500, 400}, 30, 198},
      {"too low: the root grows", kNested, {0, 0, 120, 90}, 58, 50, 104},
  };
  LayoutEntries layout;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(Taken(ToBytes(row.saved), &layout));
    FitLayoutToArea(&layout, row.area);
    const std::vector<FrameEntry>& f = layout.frames;  // 4 the root, 1 the right split, 3 the top right
    Rect root = row.area;
    if (row.rootHeight) root.bottom = root.top + row.rootHeight;
    const std::int32_t line = root.left + row.leftWidth;
    EXPECT_EQ(f[4].rect, root);
    EXPECT_EQ(f[4].bar, (Rect{line, root.top, line + kBarThickness, root.bottom}));
    EXPECT_EQ(f[3].rect, (Rect{line + kBarThickness, root.top, root.right, root.top + row.topHeight}));
    EXPECT_EQ(f[1].bar.top, f[3].rect.bottom);
    EXPECT_TRUE(IsSoundLayout(layout)) << "children still tile their frames, so the left one ends at the bar";
  }
  LayoutEntries empty;
  ASSERT_TRUE(Taken(ToBytes(kNested), &layout));
  FitLayoutToArea(&layout, {});
  EXPECT_EQ(layout.frames[2].rect, (Rect{0, 0, 498, 800})) << "no work area: nothing changes";
  FitLayoutToArea(&empty, {0, 0, 1000, 800});
  EXPECT_TRUE(empty.frames.empty());
}

TEST(LayoutFit, EachTreeGoesToItsMonitorByNameElseByRectangleAndWaitsWhenItIsNotThere) {
  const std::vector<std::uint8_t> file = ToBytes(TwoMonitors());
  std::vector<MonitorTree> trees;
  ASSERT_TRUE(DecodeMonitorTrees(file.data(), file.size(), &trees));
  const MonitorArea one{L"\\\\.\\DISPLAY1", {0, 0, 1280, 1024}, {0, 0, 1280, 1004}, true};
  const MonitorArea two{L"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, {1280, 0, 2304, 768}, false};
  const MonitorArea sameRectangle{L"\\\\.\\DISPLAY7", {1000, 0, 2000, 800}, {1000, 0, 2000, 770}, false};
  const MonitorArea other{L"\\\\.\\DISPLAY8", {-800, 0, 0, 600}, {-800, 0, 0, 600}, false};
  const struct {
    const char* what;
    std::vector<MonitorArea> monitors;
    std::vector<Rect> roots;  // in file order
    std::size_t absent;
  } rows[] = {{"both there", {two, one}, {one.work, two.work}, 0},
              {"the second missing", {one, other}, {one.work}, 1},
              {"the second renamed", {one, sameRectangle}, {one.work, sameRectangle.work}, 0},
              {"none of them there", {other}, {}, 2}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    LayoutEntries layout;
    std::vector<MonitorTree> absent;
    ASSERT_EQ(FitTreesToMonitors(trees, row.monitors, &layout, &absent), !row.roots.empty());
    if (row.roots.empty()) continue;
    std::vector<Rect> roots;
    for (const FrameEntry& e : layout.frames)
      if (e.parent == -1) roots.push_back(e.rect);
    EXPECT_EQ(roots, row.roots);
    ASSERT_EQ(absent.size(), row.absent);
    for (const MonitorTree& t : absent) EXPECT_EQ(t.layout.frames[4].rect, (Rect{0, 0, 1000, 800})) << "as saved";
  }
}

#ifdef TESSEL_FUZZ_REGRESSIONS  // native builds: under the sanitizers
TEST(FramesFormat, InputsTheFuzzTargetOnceFailedOnLoadSafely) {
  for (const auto& entry : std::filesystem::directory_iterator(TESSEL_FUZZ_REGRESSIONS)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    LoadLayoutInput(bytes.data(), bytes.size());
  }
}
#endif

}  // namespace
}  // namespace tessel
