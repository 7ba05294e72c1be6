#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/load_layout_input.h"
#include "storage/frames_format.h"
#include "storage/layout_fit.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

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
  const std::int64_t r = x + kBarThickness, b = y + kBarThickness;  // the right half's left, the bottom's top
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
  // A file's active index may be anything; one outside the entries names no frame.
  for (std::int32_t index : {-1, 5, INT_MAX, INT_MIN}) EXPECT_EQ(FrameAtIndex(model.frameList, index), nullptr);
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
  const Words lone{kMagic, 1, 1, 0, 0, 1000, 800, 0, 0, 0, 0, 0, 0, 0, 1, 0};
  EXPECT_FALSE(Taken(ToBytes(lone), &layout)) << "a lone leaf";
  Words far = kNested;
  for (int entry : {3, kRightSplit, kLeft, kTopRight, kRoot})
    for (int edge : {0, kRight}) far[entry + edge] += std::int64_t{1} << 30;
  EXPECT_FALSE(Taken(ToBytes(far), &layout)) << "every frame moved past the coordinate limit";
}

TEST(LayoutFit, SplitLinesKeepTheirProportionInTheNewWorkArea) {
  const struct Row {
    const char* name;
    Words saved;
    Rect area;
    std::int32_t leftWidth, topHeight;  // fitted
    std::int32_t rootHeight = 0;        // 0: the area's
  } rows[] = {
      {"1280x1004 onto 1920x1040 by a taskbar", Nested(1280, 1004, 956, 500), {60, 0, 1980, 1040}, 1435, 518},
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
