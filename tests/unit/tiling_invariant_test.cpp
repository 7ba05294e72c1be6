// Whatever the user splits and drags, leaves and bars tile the work area exactly, no
// leaf gets narrower than the minimum, and a line moves no further than asked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "layout/split_geometry.h"
#include "layout/split_line.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

// Where a finished drag leaves the bar: on the first child's far edge, across the frame.
Rect BarOf(const Frame& split) {
  const Rect &k = split.first->rect, &f = split.rect;
  return split.vertical ? Rect{k.right, f.top, k.right + kBarThickness, f.bottom}
                        : Rect{f.left, k.bottom, f.right, k.bottom + kBarThickness};
}

// What is wrong with the tiling, or nothing.
std::string Flaw(const FrameModel& model, const Rect& area) {
  std::vector<Rect> pieces;
  std::int64_t covered = 0;
  for (const Frame* f = model.frameList; f; f = f->next) {
    const Rect& r = f->isSplit ? f->splitter->bar : f->rect;
    if (f->isSplit && r != BarOf(*f)) return "a bar left its line";
    if (!f->isSplit && std::min(r.Width(), r.Height()) < kMinLeafExtent) return "a leaf too small";
    if (r.Intersect(area) != r) return "a piece outside";
    for (const Rect& p : pieces)
      if (!p.Intersect(r).IsEmpty()) return "pieces overlap";
    pieces.push_back(r);
    covered += std::int64_t{r.Width()} * r.Height();
  }
  return covered == std::int64_t{area.Width()} * area.Height() ? "" : "a gap";
}

// A leaf or a split frame, at random.
Frame* Any(const FrameModel& model, bool split, std::mt19937& random) {
  std::vector<Frame*> found;
  for (Frame* f = model.frameList; f; f = f->next)
    if (f->isSplit == split) found.push_back(f);
  return found[random() % found.size()];
}

TEST(TilingInvariant, HoldsAfterAnySequenceOfLineMoves) {
  for (const Rect& area :
       {Rect{0, 0, 1024, 768}, Rect{0, 40, 1920, 1080}, Rect{0, 0, 3840, 2120}, Rect{-1920, 0, 0, 1040}}) {
    const auto seed = static_cast<std::uint32_t>(area.Width() * 31 + area.left);
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    FrameModel model;
    FrameTree tree{model};
    std::mt19937 random(seed);
    tree.SplitArea(area, true);
    for (int i = 0; i < 14; ++i) {
      Frame* leaf = Any(model, false, random);
      const bool vertical = random() % 2 == 0;
      if (!TooSmallToSplit(leaf->rect, vertical)) tree.Split(leaf, vertical);
    }
    ASSERT_EQ(Flaw(model, area), "");
    std::uniform_int_distribution<std::int32_t> deltas(-500, 500);
    int cutShort = 0, refused = 0;
    for (int step = 0; step < 300; ++step) {
      Frame* parent = Any(model, true, random);
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
    // The sequence must have run into the minimum, or it proved little.
    EXPECT_GT(cutShort, 0);
    EXPECT_GT(refused, 0);
  }
}

}  // namespace
}  // namespace tessel
