// Whatever sequence of split-line moves the user drags, the leaves and bars must keep
// tiling the work area exactly, and no leaf may get narrower than the minimum.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "layout/split_line.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

std::vector<Frame*> Frames(const FrameModel& model, bool split) {
  std::vector<Frame*> out;
  for (Frame* f = model.frameList; f; f = f->next)
    if (f->isSplit == split) out.push_back(f);
  return out;
}

// The bar where a finished drag leaves it: on the first child's far edge, across the frame.
Rect BarFromFirstChild(const Frame& split) {
  const Rect& k = split.first->rect;
  const Rect& f = split.rect;
  return split.vertical ? Rect{k.right, f.top, k.right + kBarThickness, f.bottom}
                        : Rect{f.left, k.bottom, f.right, k.bottom + kBarThickness};
}

// Every bar on its first child's far edge, no leaf below the minimum, and leaves and
// bars covering the work area exactly, without overlap.
::testing::AssertionResult TilesExactly(const FrameModel& model, const Rect& area) {
  std::vector<Rect> pieces;
  for (const Frame* f = model.frameList; f; f = f->next) {
    if (f->isSplit && f->splitter->bar != BarFromFirstChild(*f))
      return ::testing::AssertionFailure() << "a bar left its line";
    if (!f->isSplit && (f->rect.Width() < kMinLeafExtent || f->rect.Height() < kMinLeafExtent))
      return ::testing::AssertionFailure() << "a leaf is below the minimum extent";
    pieces.push_back(f->isSplit ? f->splitter->bar : f->rect);
  }
  std::int64_t covered = 0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].Intersect(area) != pieces[i])
      return ::testing::AssertionFailure() << "a piece lies outside";
    for (std::size_t j = i + 1; j < pieces.size(); ++j)
      if (!pieces[i].Intersect(pieces[j]).IsEmpty()) return ::testing::AssertionFailure() << "pieces overlap";
    covered += std::int64_t{pieces[i].Width()} * pieces[i].Height();
  }
  if (covered != std::int64_t{area.Width()} * area.Height()) return ::testing::AssertionFailure() << "a gap";
  return ::testing::AssertionSuccess();
}

TEST(TilingInvariant, HoldsAfterAnySequenceOfLineMoves) {
  const Rect workAreas[] = {
      {0, 0, 1024, 768}, {0, 0, 1280, 1024}, {0, 40, 1920, 1080}, {0, 0, 3840, 2120}, {-1920, 0, 0, 1040}};
  for (const Rect& area : workAreas) {
    SCOPED_TRACE(::testing::Message() << "work area " << area.Width() << "x" << area.Height() << " at "
                                      << area.left << "," << area.top);
    FrameModel model;
    FrameTree tree{model};
    std::mt19937 random(static_cast<std::uint32_t>(area.Width() * 31 + area.left));

    tree.SplitArea(area, true);
    for (int i = 0; i < 14; ++i) {
      const std::vector<Frame*> leaves = Frames(model, false);
      Frame* leaf = leaves[random() % leaves.size()];
      const bool vertical = random() % 2 == 0;
      const std::int32_t extent = vertical ? leaf->rect.Width() : leaf->rect.Height();
      if ((extent - 5) / 2 >= kMinLeafExtent) tree.Split(leaf, vertical);
    }
    ASSERT_TRUE(TilesExactly(model, area));

    std::uniform_int_distribution<std::int32_t> deltas(-500, 500);
    int cutShort = 0;
    int refused = 0;
    for (int step = 0; step < 300; ++step) {
      const std::vector<Frame*> splits = Frames(model, true);
      Frame* parent = splits[random() % splits.size()];
      Frame* moved = random() % 2 == 0 ? parent->first : parent->second;
      const std::int32_t delta = deltas(random);
      if (delta == 0) continue;  // absorb mode belongs to frame removal, not to a drag
      const Rect& k = parent->first->rect;
      const std::int32_t lineBefore = parent->vertical ? k.right : k.bottom;

      const std::int32_t applied = MoveSplitLine(moved, delta);
      parent->splitter->bar = BarFromFirstChild(*parent);  // as the dragged bar does

      SCOPED_TRACE(::testing::Message() << "step " << step << ", delta " << delta);
      EXPECT_TRUE(applied == 0 || (applied > 0) == (delta > 0));
      EXPECT_LE(std::abs(applied), std::abs(delta));
      const std::int32_t lineAfter = parent->vertical ? k.right : k.bottom;
      EXPECT_EQ(lineAfter - lineBefore, moved == parent->first ? applied : -applied);
      ASSERT_TRUE(TilesExactly(model, area));
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
