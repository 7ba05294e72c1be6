// Two monitors, (0,0)-(1280,1024) and (1280,0)-(2304,768), each with frames of its own or
// none. Run by scripts/test in a session with two monitors; skipped on one.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "harness/input.h"
#include "harness/program_fixture.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"
#include "platform/win32/win32_file_system.h"
#include "shell/commands.h"
#include "storage/frames_format.h"
#include "storage/settings_store.h"

namespace tessel {
namespace {

using e2e::RectOf;
using e2e::RegionType;
using e2e::WaitFor;
using testapp::WindowKind;

class Monitors : public e2e::ProgramFixture {
 protected:
  void SetUp() override {
    if (GetSystemMetrics(SM_CMONITORS) < 2) GTEST_SKIP() << "one monitor only";
    ProgramFixture::SetUp();
    e2e::WriteSetting(L"LoadSession", 1);
  }

  // The trees of the layout saved at the last exit.
  static std::vector<MonitorTree> LastFrames() {
    Win32FileSystem files;
    std::wstring path;
    std::vector<std::uint8_t> bytes;
    std::vector<MonitorTree> trees;
    if (!LastFramesPath(files, &path) || !files.ReadWholeFile(path, 1 << 16, &bytes) ||
        !DecodeMonitorTrees(bytes.data(), bytes.size(), &trees))
      trees.clear();
    return trees;
  }
};

TEST_F(Monitors, EachHasFramesOfItsOwnOrNoneAndTheLayoutKeepsThemAll) {
  HWND primary = Open(WindowKind::kPlain, {900, 100, 1200, 300});
  HWND second = Open(WindowKind::kPlain, {1600, 100, 1900, 300});
  HWND dropped = Open(WindowKind::kPlain, {2000, 400, 2250, 600});
  HWND moved = Open(WindowKind::kPlain, {1900, 650, 2200, 750});
  e2e::TesselProcess tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_TRUE(e2e::Foreground(second));

  // The first split acts on the foreground window's monitor and takes its windows in.
  ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_V, 1));
  const RECT right = RectOf(e2e::Bars()[0]);
  EXPECT_EQ(right.left, 1280 + (1024 - 4) / 2);
  EXPECT_EQ(right.bottom, 768);
  EXPECT_TRUE(WaitFor([&] { return RectOf(second).right <= right.left; })) << "slid into its frame";
  EXPECT_EQ(RectOf(primary).left, 900) << "a monitor without frames is left alone";

  // Dropped on the primary, or moved there by its program: let go of where it lands.
  ASSERT_TRUE(CaughtUp(right));
  e2e::Drag({2100, 410}, {700, 610});
  const RECT movedTo{300, 700, 600, 800};
  ASSERT_TRUE(helper->Place(moved, movedTo));
  ASSERT_TRUE(CaughtUp(right));
  const RECT movedNow = RectOf(moved);
  EXPECT_TRUE(RectOf(dropped).left == 600 && RegionType(dropped) == ERROR) << "left where it was dropped";
  EXPECT_TRUE(EqualRect(&movedNow, &movedTo) && RegionType(moved) == ERROR) << "left where its program put it";

  // A magic click on the primary, which has none, makes it the one the next split acts on.
  // (On a window there: with no desktop window under it, a click on the bare X screen
  // never reaches Wine.)
  e2e::CtrlClickAt(1050, 250);
  Sleep(500);  // for the click's news to reach the program
  ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_H, 2));
  const RECT across = e2e::HorizontalBar();
  EXPECT_TRUE(across.left == 0 && across.right == 1280) << "the primary's work area split";

  // Saved at exit with both monitors and their trees, and restored as they were.
  ASSERT_EQ(tessel.Exit(), 0);
  std::vector<MonitorTree> saved = LastFrames();
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[0].device.rfind(L"\\\\.\\DISPLAY", 0), 0u);
  for (const MonitorTree& tree : saved) {
    EXPECT_EQ(tree.layout.frames.size(), 3u);
    EXPECT_EQ(tree.monitor.left == 0 ? tree.monitor.right : tree.monitor.left, 1280);
  }
  e2e::TesselProcess restored;
  ASSERT_TRUE(restored.WaitForMainWindow());
  ASSERT_TRUE(WaitFor([] { return e2e::Bars().size() == 2; }));
  for (const RECT& bar : e2e::BarRects())
    EXPECT_TRUE(EqualRect(&bar, &across) || EqualRect(&bar, &right)) << bar.left << "," << bar.top;

  // Dropped from a frame of the primary on the other monitor's right frame: slid into it.
  e2e::Drag({450, 710}, {2000, 300});
  EXPECT_TRUE(WaitFor([&] {
    const RECT r = RectOf(moved);
    return r.left >= right.right && r.right <= 2304 && RegionType(moved) == ERROR;
  })) << RectOf(moved).left;

  // No neighbour to the right on the primary: the window crosses to the next monitor.
  ASSERT_TRUE(e2e::Foreground(primary));
  ASSERT_TRUE(CaughtUp(right));  // the news of the activation taken before the command
  PostMessageW(e2e::TesselProcess::MainWindow(), WM_COMMAND, IDM_MOVE_RIGHT, 0);
  EXPECT_TRUE(WaitFor([&] { return RectOf(primary).left == 1280; })) << "at the near edge of its left frame";

  // The second monitor's last two frames go; the primary keeps its own, saved as version 1.
  const RECT home = RectOf(second);
  e2e::CtrlClickAt((home.left + home.right) / 2, (home.top + home.bottom) / 2);
  Sleep(500);
  ASSERT_TRUE(e2e::CommandLeaves(IDM_REMOVE_FRAME, 1));
  EXPECT_EQ(RectOf(e2e::Bars()[0]).right, 1280);
  EXPECT_EQ(RegionType(primary), ERROR);
  EXPECT_EQ(RectOf(primary).left, 1280) << "released where it was";
  ASSERT_EQ(restored.Exit(), 0);
  saved = LastFrames();
  EXPECT_TRUE(saved.size() == 1 && saved[0].device.empty()) << "version 1";
}

}  // namespace
}  // namespace tessel
