#include "storage/layout_fit.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

// A layout as saved: the root split side by side, the right side split stacked. Entries
// root, left, right split, top right, bottom right.
LayoutEntries Saved(const Rect& root, std::int32_t leftWidth, std::int32_t topHeight) {
  const std::int32_t x = root.left + leftWidth, y = root.top + topHeight, t = kBarThickness;
  LayoutEntries layout;
  layout.frames = {{root, 1, 1, 1, 2, 5, t, {}, {}},
                   {{root.left, root.top, x, root.bottom}, 0, 0, 0, 0, 0, 0, {}, {}},
                   {{x + t, root.top, root.right, root.bottom}, 1, 0, 3, 4, 0, t, {}, {}},
                   {{x + t, root.top, root.right, y}, 0, 0, 0, 0, 2, 0, {}, {}},
                   {{x + t, y + t, root.right, root.bottom}, 0, 0, 0, 0, 2, 0, {}, {}}};
  layout.active = 3;
  return layout;
}

TEST(LayoutFit, SplitLinesKeepTheirProportionInTheNewWorkArea) {
  struct Row {
    const char* name;
    LayoutEntries saved;
    Rect area;
    std::int32_t leftWidth, topHeight;  // fitted
    std::int32_t rootHeight = 0;        // 0: the area's
  };
  const Row rows[] = {
      {"the same work area: unchanged", Saved({0, 0, 1000, 800}, 498, 398), {0, 0, 1000, 800}, 498, 398},
      {"1920 x 1040 onto 1280 x 1004", Saved({0, 0, 1920, 1040}, 1436, 518), {0, 0, 1280, 1004}, 956, 500},
      {"and back, within a pixel", Saved({0, 0, 1280, 1004}, 956, 500), {0, 0, 1920, 1040}, 1435, 518},
      {"the taskbar moved to the left", Saved({0, 0, 1000, 800}, 498, 398), {60, 0, 1060, 800}, 498, 398},
      {"the narrow side keeps 50 pixels", Saved({0, 0, 1000, 800}, 900, 398), {0, 0, 500, 800}, 446, 398},
      {"a leaf saved below 50 keeps its size", Saved({0, 0, 1000, 800}, 30, 398), {0, 0, 500, 400}, 30, 198},
      {"too low for the leaves: root grows",
       Saved({0, 0, 1000, 800}, 498, 398),
       {0, 0, 120, 90},
       58,
       50,
       104},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LayoutEntries layout = row.saved;
    FitLayoutToArea(&layout, row.area);
    const std::vector<FrameEntry>& f = layout.frames;
    Rect root = row.area;
    if (row.rootHeight) root.bottom = root.top + row.rootHeight;
    const std::int32_t line = root.left + row.leftWidth;
    EXPECT_EQ(f[0].rect, root);
    EXPECT_EQ(f[1].rect, (Rect{root.left, root.top, line, root.bottom}));
    EXPECT_EQ(f[0].bar, (Rect{line, root.top, line + kBarThickness, root.bottom}));
    EXPECT_EQ(f[3].rect, (Rect{line + kBarThickness, root.top, root.right, root.top + row.topHeight}));
    EXPECT_EQ(f[2].bar.top, f[3].rect.bottom);
    EXPECT_TRUE(IsSoundLayout(layout)) << "children still tile their frames";
    EXPECT_EQ(layout.active, 3);
  }
}

TEST(LayoutFit, NoFramesOrNoAreaChangeNothing) {
  LayoutEntries empty;
  FitLayoutToArea(&empty, {0, 0, 1000, 800});
  EXPECT_TRUE(empty.frames.empty());
  LayoutEntries layout = Saved({0, 0, 1000, 800}, 498, 398);
  FitLayoutToArea(&layout, {});
  EXPECT_EQ(layout.frames[1].rect, (Rect{0, 0, 498, 800}));
}

}  // namespace
}  // namespace tessel
