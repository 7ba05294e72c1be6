#include "desktop/layout_files.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "desktop/split.h"
#include "unit/layout_invariants.h"
#include "unit/workspace_test.h"

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Words = std::vector<std::int64_t>;

constexpr std::int64_t kMagic = 0x53465354;  // "TSFS" read as a little-endian word

Bytes ToBytes(const Words& words) {
  Bytes b;
  for (std::int64_t w : words)
    for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<std::uint8_t>(w >> shift));
  return b;
}

Words Join(std::initializer_list<Words> parts) {
  Words all;
  for (const Words& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// A frame record: rectangle, windows, next, isSplit, vertical, first, second, splitter, parent.
Words Leaf(Rect r, std::int64_t parent) {
  return {r.left, r.top, r.right, r.bottom, 0, 0, 0, 0, 0, 0, 0, parent};
}
Words Split(Rect r, bool vertical, std::int64_t first, std::int64_t second, std::int64_t parent, Rect bar) {
  return {r.left, r.top, r.right,  r.bottom, 0,         0,          1, vertical, first, second, 0, parent,
          0,      4,     bar.left, bar.top,  bar.right, bar.bottom, 0, 0,        0,     0,      0};
}

// The work area 1000 x 800 split side by side: the list holds the left leaf, the right
// leaf and the root; the left leaf is active.
const Words kSingleSplit = Join({{kMagic, 1, 3},
                                 Leaf({0, 0, 498, 800}, 2),
                                 Leaf({502, 0, 1000, 800}, 2),
                                 Split({0, 0, 1000, 800}, true, 0, 1, 3, {498, 0, 502, 800}),
                                 {0}});

// Then the right leaf split stacked: bottom right, the right split, left, top right
// (active), root.
const Words kNested = Join({{kMagic, 1, 5},
                            Leaf({502, 402, 1000, 800}, 1),
                            Split({502, 0, 1000, 800}, false, 3, 0, 4, {502, 398, 1000, 402}),
                            Leaf({0, 0, 498, 800}, 4),
                            Leaf({502, 0, 1000, 398}, 1),
                            Split({0, 0, 1000, 800}, true, 2, 1, 5, {498, 0, 502, 800}),
                            {3}});

// Word positions in kNested: entry i's record starts at these, fields follow in order.
constexpr int kRightSplit = 15, kLeft = 38, kTopRight = 50, kRoot = 62, kActive = 85;
constexpr int kRectRight = 2, kFirst = 8, kSecond = 9, kParent = 11, kBarThicknessWord = 13;

class FramesFileTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    desktop.workArea = {0, 0, 1000, 800};
    ws.files = &files;
    files.folders.insert(L"C:\\layouts");
  }

  // The layout of kNested, made by splitting.
  void SplitNested() {
    ASSERT_TRUE(SplitFrame(ws, nullptr, true));
    ASSERT_TRUE(SplitFrame(ws, ws.model.frameList->next, false));
  }

  bool Load(const Bytes& bytes) {
    files.files[kPath] = bytes;
    return LoadFrames(ws, kPath);
  }

  Bytes Saved() const {
    const auto it = files.files.find(kPath);
    return it == files.files.end() ? Bytes{} : it->second;
  }

  std::vector<Frame*> List() const {
    std::vector<Frame*> list;
    for (Frame* f = ws.model.frameList; f; f = f->next) list.push_back(f);
    return list;
  }

  static constexpr const wchar_t* kPath = L"C:\\layouts\\saved.tsf";
  FakeFileSystem files;
};

TEST_F(FramesFileTest, LayoutsSaveByteForByte) {
  ASSERT_TRUE(SaveFrames(ws, kPath));
  EXPECT_EQ(Saved(), ToBytes({kMagic, 1, 0, -1})) << "no frames: 16 bytes";

  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  ASSERT_TRUE(SaveFrames(ws, kPath));
  EXPECT_EQ(Saved().size(), 204u);
  EXPECT_EQ(Saved(), ToBytes(kSingleSplit));

  ASSERT_TRUE(SplitFrame(ws, ws.model.frameList->next, false));
  ASSERT_TRUE(SaveFrames(ws, kPath));
  EXPECT_EQ(Saved(), ToBytes(kNested));
  EXPECT_EQ(files.files.size(), 1u) << "no temporary file left";
}

TEST_F(FramesFileTest, LoadedLayoutIsTheSavedOneInListOrder) {
  const WindowId window = Open({600, 500, 800, 700});
  ASSERT_TRUE(Load(ToBytes(kNested)));
  const std::vector<Frame*> list = List();
  ASSERT_EQ(list.size(), 5u);
  Frame* root = list[4];
  EXPECT_EQ(root->parent, nullptr);
  EXPECT_EQ(root->first, list[2]);
  EXPECT_EQ(root->second, list[1]);
  EXPECT_EQ(list[1]->first, list[3]);
  EXPECT_EQ(list[1]->vertical, 0u);
  EXPECT_EQ(list[0]->rect, (Rect{502, 402, 1000, 800}));
  EXPECT_EQ(ws.model.activeFrame, list[3]);
  EXPECT_NE(root->splitter->hwnd, kNoWindow) << "new bar windows";
  EXPECT_EQ(ws.model.FindManagedWindow(window)->frame, list[0]);
  EXPECT_TRUE(ModelIsSound(ws.model));
  EXPECT_TRUE(TilesExactly(ws.model, desktop.workArea));

  ASSERT_TRUE(SaveFrames(ws, kPath));
  EXPECT_EQ(Saved(), ToBytes(kNested)) << "saved again unchanged";

  ASSERT_TRUE(Load(ToBytes({kMagic, 1, 0, -1})));
  EXPECT_EQ(ws.model.frameList, nullptr) << "an empty layout removes every frame";
}

TEST_F(FramesFileTest, ActiveIndexOutsideTheEntriesLoadsWithNoActiveFrame) {
  for (std::int64_t active : {-1, 5, 0x7FFFFFFF}) {
    SCOPED_TRACE(active);
    Words words = kNested;
    words[kActive] = active;
    ASSERT_TRUE(Load(ToBytes(words)));
    EXPECT_EQ(ws.model.activeFrame, nullptr);
  }
}

TEST_F(FramesFileTest, DamagedFilesAreRefusedAndTheLayoutStays) {
  struct Damage {
    const char* what;
    int word;
    std::int64_t value;
  };
  const Damage damages[] = {
      {"wrong magic", 0, 0x58465354},
      {"version 2", 1, 2},
      {"negative count", 2, -1},
      {"huge count", 2, 0x7FFFFFFF},
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
      {"bar of another thickness", kRightSplit + kBarThicknessWord, 5},
      {"gap between the children", kLeft + kRectRight, 497},
  };
  SplitNested();
  const std::vector<Frame*> before = List();
  Frame* const active = ws.model.activeFrame;
  const WindowId bar = before.back()->splitter->hwnd;

  auto refusedUntouched = [&](const Bytes& bytes) {
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(List(), before);
    EXPECT_EQ(ws.model.activeFrame, active);
    EXPECT_TRUE(desktop.IsWindow(bar));
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    Words words = kNested;
    words[d.word] = d.value;
    refusedUntouched(ToBytes(words));
  }
  const Bytes whole = ToBytes(kNested);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE("cut at " + std::to_string(size));
    refusedUntouched(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
  }
  {
    SCOPED_TRACE("a lone leaf");
    refusedUntouched(ToBytes(Join({{kMagic, 1, 1}, Leaf({0, 0, 1000, 800}, 1), {0}})));
  }
  {
    SCOPED_TRACE("coordinates past the limit");
    Words far = kSingleSplit;
    for (int i : {3, 5, 15, 17, 27, 29}) far[i] += std::int64_t{1} << 30;  // every frame's left and right
    refusedUntouched(ToBytes(far));
  }
  EXPECT_FALSE(LoadFrames(ws, nullptr));
  EXPECT_FALSE(LoadFrames(ws, L"C:\\layouts\\missing.tsf"));
}

TEST_F(FramesFileTest, FailedSaveKeepsTheOldFileAndLeavesNothingBehind) {
  const Bytes old = ToBytes({kMagic, 1, 0, -1});
  files.files[kPath] = old;
  SplitNested();

  const std::wstring temporary = std::wstring(kPath) + L".tmp";
  files.failWrites.insert(temporary);
  EXPECT_FALSE(SaveFrames(ws, kPath));
  EXPECT_EQ(Saved(), old);
  EXPECT_EQ(files.files.count(temporary), 0u) << "the half-written file is gone";
  files.failWrites.clear();

  files.failMoves = true;
  EXPECT_FALSE(SaveFrames(ws, kPath));
  EXPECT_EQ(Saved(), old);
  EXPECT_EQ(files.files.size(), 1u);
  files.failMoves = false;

  EXPECT_FALSE(SaveFrames(ws, L"C:\\missing\\saved.tsf"));
  EXPECT_FALSE(SaveFrames(ws, nullptr));
  EXPECT_EQ(files.files.size(), 1u);

  // A broken model is not written over a good file.
  Frame* root = List().back();
  root->splitter->thickness = 3;
  EXPECT_FALSE(SaveFrames(ws, kPath));
  EXPECT_EQ(Saved(), old);
  root->splitter->thickness = kBarThickness;
  EXPECT_TRUE(SaveFrames(ws, kPath));
}

}  // namespace
}  // namespace tessel
