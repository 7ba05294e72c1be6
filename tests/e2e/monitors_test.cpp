// Two monitors, frames on the primary one: the other monitor's windows are left alone,
// and a window that goes there, dropped or moved by its program, is released. Run by
// scripts/test in a session with two monitors; skipped on one.
#include <gtest/gtest.h>
#include <windows.h>

#include "harness/input.h"
#include "harness/program_fixture.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"
#include "shell/commands.h"

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
  }

  // Once a window shown across the bar is fitted, the program has taken every event
  // before it.
  bool CaughtUp(const RECT& bar) {
    HWND probe = Open(WindowKind::kPlain, {bar.left - 200, 700, bar.left + 60, 900});
    return WaitFor([&] { return RegionType(probe) == SIMPLEREGION || RectOf(probe).right <= bar.left; });
  }
};

TEST_F(Monitors, WindowsOnTheMonitorWithoutFramesAreLeftAloneAndOnesGoingThereReleased) {
  e2e::TesselProcess tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_V, 1));
  const RECT bar = RectOf(e2e::Bars()[0]);
  ASSERT_LT(bar.right, 1280) << "the frames cover the primary monitor";

  // Across the second monitor's edge and over its bottom: no frame's business.
  const RECT there{2000, 500, 2500, 800};
  HWND other = Open(WindowKind::kPlain, there);
  // Dragged by its title bar from the left frame onto the second monitor.
  HWND dropped = Open(WindowKind::kPlain, {100, 100, 500, 300});
  ASSERT_TRUE(CaughtUp(bar));
  e2e::Drag({300, 110}, {1700, 210});
  // Moved there by its program, from the right frame, across the monitors' edge.
  HWND moved = Open(WindowKind::kPlain, {bar.right + 20, 400, bar.right + 420, 600});
  ASSERT_TRUE(CaughtUp(bar));
  const RECT movedTo{1200, 300, 1600, 500};
  ASSERT_TRUE(helper->Place(moved, movedTo));
  ASSERT_TRUE(CaughtUp(bar));

  const RECT otherNow = RectOf(other), movedNow = RectOf(moved);
  EXPECT_TRUE(EqualRect(&otherNow, &there) && RegionType(other) == ERROR) << "left where it was shown";
  EXPECT_EQ(RectOf(dropped).left, 1500) << "left where it was dropped";
  EXPECT_EQ(RegionType(dropped), ERROR);
  EXPECT_TRUE(EqualRect(&movedNow, &movedTo) && RegionType(moved) == ERROR) << "left where its program put it";
}

}  // namespace
}  // namespace tessel

