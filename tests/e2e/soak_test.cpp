// Long runs and faults against the real tessel.exe: bursts of windows, many splits and
// removals, applications that die or destroy windows while the program fits them, a
// program that hangs or is killed. The sizes below keep the suite short enough for every
// run; raise them for a longer soak. What the program holds after long runs (regions,
// GDI objects, windows, handles) is scripts/bench's to measure.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "harness/helper_app.h"
#include "harness/input.h"
#include "harness/program_fixture.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"
#include "shell/commands.h"

namespace tessel {
namespace {

// Each round splits this deep, opens a burst of windows and some that are destroyed
// while they are fitted, and removes every frame again.
constexpr std::size_t kSplitDepth = 5;
constexpr int kBursts[] = {20, 20, 40, 25, 35, 30, 20, 30};  // 220 windows in all
constexpr int kFleetingWindows = 14;
constexpr int kKilledDrags = 4;                          // helpers killed while dragging
constexpr int kResidents = 4;                            // open throughout a test
constexpr int kWindowWidth = 220, kWindowHeight = 160;
constexpr DWORD kPatience = 20000;  // the longest any one wait may take on a loaded machine
constexpr DWORD kHangMs = 2000;     // how long the program's main thread stays suspended

using e2e::BarRects;
using e2e::Bars;
using e2e::HelperApp;
using e2e::ReadSetting;
using e2e::RegionType;
using e2e::WaitFor;
using e2e::WorkArea;
using e2e::WriteSetting;
using testapp::WindowKind;
using Tessel = e2e::TesselProcess;

// Whether what shows of the window (its rectangle, cut to its region) lies within one
// frame: inside the work area and over no bar, since every bar runs the whole length of
// the frame it divided.
bool Fitted(HWND window) {
  RECT shown;
  if (!GetWindowRect(window, &shown)) return false;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int type = GetWindowRgn(window, region);
  RECT box;
  if (type == SIMPLEREGION || type == COMPLEXREGION) {
    GetRgnBox(region, &box);
    OffsetRect(&box, shown.left, shown.top);
    IntersectRect(&shown, &shown, &box);
  }
  DeleteObject(region);
  if (type == NULLREGION || IsRectEmpty(&shown)) return true;
  if (!e2e::Inside(shown, WorkArea())) return false;
  for (const RECT& bar : BarRects()) {
    RECT overlap;
    if (IntersectRect(&overlap, &shown, &bar)) return false;
  }
  return true;
}

bool AllFitted(const std::vector<HWND>& windows) {
  return WaitFor(
      [&] {
        for (HWND w : windows)
          if (!Fitted(w)) return false;
        return true;
      },
      kPatience);
}

// Rectangles across the bars, one bar after the other, spread along each bar by a
// fixed pseudo-random sequence so every run places the same windows.
class AcrossBars {
 public:
  RECT Next() {
    const std::vector<RECT> bars = BarRects();
    if (bars.empty()) return {100, 100, 100 + kWindowWidth, 100 + kWindowHeight};
    const RECT& bar = bars[count_++ % bars.size()];
    const int jitter = static_cast<int>(Random() % 120) - 60;
    if (bar.bottom - bar.top > bar.right - bar.left) {  // vertical
      const int x = bar.left - kWindowWidth / 2 + jitter;
      const int y = bar.top + static_cast<int>(Random() % (bar.bottom - bar.top - kWindowHeight));
      return {x, y, x + kWindowWidth, y + kWindowHeight};
    }
    const int x = bar.left + static_cast<int>(Random() % (bar.right - bar.left - kWindowWidth));
    const int y = bar.top - kWindowHeight / 2 + jitter;
    return {x, y, x + kWindowWidth, y + kWindowHeight};
  }

 private:
  unsigned Random() { return (seed_ = seed_ * 1103515245u + 12345u) >> 8; }
  unsigned seed_ = 20260;
  std::size_t count_ = 0;
};

class Soak : public e2e::ProgramFixture {
 protected:
  HWND Open(const RECT& r) { return ProgramFixture::Open(WindowKind::kPlain, r); }

  // Returns once the program has handled every event the helper caused before: a new
  // window shown across a bar is fitted only after the events queued ahead of its own.
  bool Settled() {
    HWND marker = Open(places.Next());
    return marker && AllFitted({marker}) && helper->Destroy(marker);
  }

  // Moves the window across a bar until the program clips it there rather than sliding
  // it in, as it does once the window's settling time is over.
  bool Clipped(HWND w) {
    return WaitFor([&] { return helper->Place(w, places.Next()) && AllFitted({w}) && RegionType(w) == SIMPLEREGION; },
                   kPatience);
  }

  // Ends the program as a user does, and checks it gave every window of the helper back
  // whole.
  void ExitCleanly(Tessel& tessel) {
    EXPECT_EQ(tessel.Exit(), 0);
    EXPECT_TRUE(Bars().empty());
    for (HWND w : opened) {
      if (!IsWindow(w)) continue;
      EXPECT_EQ(RegionType(w), ERROR) << "a window left clipped after the exit";
    }
  }

  AcrossBars places;
};

TEST_F(Soak, RoundsOfSplitsBurstsOfWindowsAndRemovalsLeaveNothingBehind) {
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  std::vector<HWND> residents;
  for (int i = 0; i < kResidents; ++i) {
    const int x = 100 + 150 * i, y = 80 + 120 * i;
    residents.push_back(Open({x, y, x + kWindowWidth, y + kWindowHeight}));
  }
  for (std::size_t round = 0; round < std::size(kBursts); ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    for (std::size_t depth = 1; depth <= kSplitDepth; ++depth)
      ASSERT_TRUE(e2e::CommandLeaves(depth % 2 ? IDM_SPLIT_V : IDM_SPLIT_H, depth, kPatience));
    std::vector<HWND> burst;
    for (int i = 0; i < kBursts[round]; ++i) burst.push_back(Open(places.Next()));
    EXPECT_TRUE(AllFitted(burst));
    EXPECT_TRUE(AllFitted(residents));
    for (HWND w : burst) EXPECT_TRUE(helper->Destroy(w));
    for (int i = 0; i < kFleetingWindows; ++i) {
      if (i % 2) {
        // Gone before its first event reaches the program.
        ASSERT_TRUE(helper->OpenAndDestroy(WindowKind::kPlain, places.Next()));
      } else {
        // Gone while the program is placing or clipping it.
        HWND w = helper->Open(WindowKind::kPlain, places.Next());
        ASSERT_TRUE(w && helper->Destroy(w));
      }
    }
    ASSERT_TRUE(Settled());
    for (std::size_t depth = kSplitDepth; depth-- > 0;)
      ASSERT_TRUE(e2e::CommandLeaves(IDM_REMOVE_FRAME, depth, kPatience));
    // Without frames every window is given back whole (its thread takes the change in
    // a moment later).
    for (HWND w : residents) EXPECT_TRUE(WaitFor([&] { return RegionType(w) == ERROR; }));
  }
  ExitCleanly(tessel);
}

TEST_F(Soak, AnApplicationKilledInTheMiddleOfADragLeavesTheProgramWorking) {
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_V, 1, kPatience));

  for (int round = 0; round < kKilledDrags; ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    {
      HelperApp victim(L"soak-victim");
      ASSERT_TRUE(victim.running());
      HWND dragged = victim.Open(WindowKind::kPlain, {100, 100, 400, 300});
      ASSERT_TRUE(AllFitted({dragged}));
      const LONG start = e2e::RectOf(dragged).left;
      e2e::MouseTo(250, 110);
      e2e::MouseDown();
      for (int i = 1; i <= 4; ++i) e2e::MouseTo(250 + i * 60, 110);
      ASSERT_TRUE(WaitFor([&] { return e2e::RectOf(dragged).left != start; }, kPatience))
          << "the window follows the mouse";
      ASSERT_TRUE(victim.Kill());
      for (int i = 5; i <= 8; ++i) e2e::MouseTo(250 + i * 60, 110);
      e2e::MouseUp();
    }

    // A window shown across the bar is fitted as before, and so is one moved across it.
    HWND moved = Open({100, 600, 100 + kWindowWidth, 600 + kWindowHeight});
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(Clipped(moved)) << "a moved window is fitted again";
    EXPECT_TRUE(helper->Destroy(moved));
    ASSERT_TRUE(Settled());
  }
  EXPECT_EQ(tessel.ExitCode(0), -1) << "still running";
  ExitCleanly(tessel);
}

TEST_F(Soak, ApplicationsGoOnWhileTheProgramHangsAndItCatchesUpAfterwards) {
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_EQ(GetWindowThreadProcessId(Tessel::MainWindow(), nullptr), tessel.threadId());
  ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_V, 1, kPatience));
  HWND moved = Open({100, 100, 100 + kWindowWidth, 100 + kWindowHeight});
  ASSERT_TRUE(AllFitted({moved}));

  const DWORD hungAt = GetTickCount();
  ASSERT_NE(SuspendThread(tessel.mainThread()), static_cast<DWORD>(-1));
  // Each request is answered only after the helper has acted on it, its reports to the
  // program included; the program cannot answer anything until it is resumed below.
  const RECT across = places.Next();
  const bool placed = helper->Place(moved, across);
  HWND shown = Open(places.Next());
  const bool minimised = helper->Show(shown, SW_MINIMIZE);
  const bool restored = helper->Show(shown, SW_RESTORE);
  const RECT r = e2e::RectOf(moved);
  const bool untouched = EqualRect(&r, &across) && RegionType(moved) == ERROR;
  const DWORD hungFor = GetTickCount() - hungAt;
  if (hungFor < kHangMs) Sleep(kHangMs - hungFor);
  EXPECT_EQ(ResumeThread(tessel.mainThread()), 1u) << "suspended until now";

  EXPECT_TRUE(placed && shown && minimised && restored) << "the helper answered while the program hung";
  EXPECT_TRUE(untouched) << "the program did nothing while it hung";
  EXPECT_TRUE(AllFitted({moved, shown})) << "and caught up afterwards";
  ExitCleanly(tessel);
}

TEST_F(Soak, AfterTheProgramIsKilledTheNextStartIgnoresTheLastLayout) {
  WriteSetting(L"LoadSession", 1);
  {
    Tessel first;
    ASSERT_TRUE(first.WaitForMainWindow());
    ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_V, 1, kPatience));
    ExitCleanly(first);
  }
  HWND w = Open(places.Next());
  HWND big = ProgramFixture::Open(WindowKind::kMaximised, {100, 100, 400, 300});
  RECT whole, r;
  ASSERT_TRUE(GetWindowRect(big, &whole));
  {
    Tessel restored;
    ASSERT_TRUE(restored.WaitForMainWindow());
    ASSERT_EQ(Bars().size(), 1u) << "the layout came back after the clean exit";
    // The killed program leaves its clip and its maximised window over a frame behind.
    ASSERT_TRUE(Clipped(w));
    ASSERT_TRUE(WaitFor([&] { return GetWindowRect(big, &r) && r.right == BarRects()[0].left; }));
    const e2e::HookHost host(restored);
    ASSERT_TRUE(restored.Kill());
    EXPECT_TRUE(host.Ended()) << "the hook host went with the program";
  }
  EXPECT_TRUE(WaitFor([] { return Bars().empty(); }, kPatience)) << "the bars went with the process";

  Tessel next;
  ASSERT_TRUE(next.WaitForMainWindow());
  EXPECT_TRUE(Bars().empty()) << "not restored after the kill";
  EXPECT_TRUE(WaitFor([&] { return GetWindowRect(big, &r) && EqualRect(&r, &whole); }))
      << "the maximised window lies over the whole work area again";
  DWORD clean = 1;
  EXPECT_FALSE(ReadSetting(L"CleanExit", &clean));
  ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_V, 1, kPatience));
  ASSERT_TRUE(helper->Place(w, places.Next()));
  EXPECT_TRUE(AllFitted({w})) << "and works as usual";
  ExitCleanly(next);
}

}  // namespace
}  // namespace tessel
