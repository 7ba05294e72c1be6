#include "storage/frames_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

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

// A frame record (rectangle, windows, next, isSplit, vertical, first, second, splitter,
// parent), and after a split frame's its bar record (window, thickness, bar, highlight, frame).
void Leaf(Words& w, Rect r, std::int64_t parent) {
  w.insert(w.end(), {r.left, r.top, r.right, r.bottom, 0, 0, 0, 0, 0, 0, 0, parent});
}
void Split(Words& w, Rect r, bool vertical, std::int64_t first, std::int64_t second, std::int64_t parent,
           Rect bar) {
  w.insert(w.end(),
           {r.left, r.top, r.right,  r.bottom, 0,         0,          1, vertical, first, second, 0, parent,
            0,      4,     bar.left, bar.top,  bar.right, bar.bottom, 0, 0,        0,     0,      0});
}

constexpr std::int64_t kMagic = 0x53465354;  // "TSFS" as a little-endian word

// 1000 x 800 split side by side, then the right half stacked; the top right is active.
// List order: bottom right, the right split, left, top right, root.
Words Nested() {
  Words w{kMagic, 1, 5};
  Leaf(w, {502, 402, 1000, 800}, 1);
  Split(w, {502, 0, 1000, 800}, false, 3, 0, 4, {502, 398, 1000, 402});
  Leaf(w, {0, 0, 498, 800}, 4);
  Leaf(w, {502, 0, 1000, 398}, 1);
  Split(w, {0, 0, 1000, 800}, true, 2, 1, 5, {498, 0, 502, 800});
  w.push_back(3);
  return w;
}
// Where fields of Nested() lie: entry starts, then offsets within a record.
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
  ASSERT_EQ(EncodeLayout(entries), ToBytes(Nested()));

  LayoutEntries loaded;
  ASSERT_TRUE(Taken(ToBytes(Nested()), &loaded));
  FrameModel back;
  back.frameList = BuildChain(loaded);
  back.activeFrame = FrameAtIndex(back.frameList, loaded.active);
  ASSERT_TRUE(EntriesFromModel(back, &entries));
  EXPECT_EQ(EncodeLayout(entries), ToBytes(Nested())) << "links, bars and the active frame as saved";

  // A file's active index may be anything; one outside the entries names no frame.
  for (std::int32_t index : {-1, 5, INT_MAX, INT_MIN})
    EXPECT_EQ(FrameAtIndex(back.frameList, index), nullptr);
  EXPECT_EQ(FrameAtIndex(back.frameList, 4)->parent, nullptr) << "the last entry, the root";
}

TEST(FramesFormat, DamagedFilesAreRefused) {
  const struct {
    const char* what;
    int word;
    std::int64_t value;
  } rows[] = {
      {"wrong magic", 0, 0x58465354},
      {"version 2", 1, 2},
      {"negative count", 2, -1},
      {"a count no file of this size can hold", 2, 0x7FFFFFFF},
      {"count beyond the entries", 2, 6},
      {"count short of the entries", 2, 4},
      {"child index N", kRoot + kFirst, 5},
      {"negative child index", kRoot + kSecond, -1},
      {"parent above N", kLeft + kParent, 6},
      {"two roots", kLeft + kParent, 5},
      {"child naming another parent", kTopRight + kParent, 4},
      {"split frame its own parent", kRightSplit + kParent, 1},
      {"both children the same", kRightSplit + kSecond, 3},
      {"child that is the root", kRightSplit + kFirst, 4},
      {"bar of another thickness", kRightSplit + kThickness, 5},
      {"gap between the children", kLeft + kRight, 497},
  };
  LayoutEntries layout;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Words words = Nested();
    words[row.word] = row.value;
    EXPECT_FALSE(Taken(ToBytes(words), &layout));
  }
  const std::vector<std::uint8_t> whole = ToBytes(Nested());
  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE("cut at " + std::to_string(size));
    EXPECT_FALSE(Taken({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)}, &layout));
  }
  Words lone{kMagic, 1, 1};
  Leaf(lone, {0, 0, 1000, 800}, 1);
  lone.push_back(0);
  EXPECT_FALSE(Taken(ToBytes(lone), &layout)) << "a lone leaf";
  Words far = Nested();
  for (int entry : {3, kRightSplit, kLeft, kTopRight, kRoot})
    for (int edge : {0, kRight}) far[entry + edge] += std::int64_t{1} << 30;
  EXPECT_FALSE(Taken(ToBytes(far), &layout)) << "every frame moved past the coordinate limit";
  EXPECT_TRUE(Taken(ToBytes(Nested()), &layout));
}

}  // namespace
}  // namespace tessel
