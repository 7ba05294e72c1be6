// What users of ordinary applications run into (real menus and drop-down lists are
// Notepad's, in wine_apps_test): dialogs wider than their frame, programs that hide
// their windows or stop answering, focus after a window closes, shaped windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "harness/input.h"
#include "harness/program_fixture.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"
#include "shell/commands.h"

namespace tessel {
namespace {

using e2e::Bars;
using e2e::RectOf;
using e2e::RegionType;
using e2e::WaitFor;
using testapp::WindowKind;
using Tessel = e2e::TesselProcess;

class Applications : public e2e::ProgramFixture {
 protected:
  // Starts the program and splits the screen side by side; the bar's rectangle.
  RECT StartSplit(Tessel& tessel) {
    const bool split = tessel.WaitForMainWindow() && e2e::CommandLeaves(IDM_SPLIT_V, 1);
    return split ? RectOf(Bars()[0]) : RECT{};
  }
};

TEST_F(Applications, ADialogWiderThanItsFrameIsShownWholeCoveringTheFrame) {
  Tessel tessel;
  const RECT bar = StartSplit(tessel);
  const RECT work = e2e::WorkArea();
  HWND owner = Open(WindowKind::kPlain, {bar.right + 20, 100, bar.right + 400, 400});
  ASSERT_TRUE(WaitFor([&] { return RectOf(owner).left >= bar.right; }));
  const int width = (work.right - bar.right) + 250;  // wider than the right frame
  HWND dialog = helper->Open(WindowKind::kOwnedDialog, {bar.right + 30, 150, bar.right + 30 + width, 450}, owner);
  opened.push_back(dialog);
  ASSERT_TRUE(CaughtUp(bar));
  RECT r;
  // Sent there without waiting on the helper: it may arrive a moment later.
  EXPECT_TRUE(WaitFor([&] { return (r = RectOf(dialog)).left <= bar.right && r.right == work.right; }))
      << "it covers the whole frame and spills onto the screen, not off it";
  EXPECT_EQ(RegionType(dialog), ERROR) << "never clipped";
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_GE(r.top, work.top);
}

TEST_F(Applications, AHungApplicationNeverStallsTheProgram) {
  Tessel tessel;
  const RECT bar = StartSplit(tessel);
  HWND big = Open(WindowKind::kMaximised, {100, 100, 400, 300});
  HWND wide = Open(WindowKind::kPlain, {20, 380, 920, 560});  // wider than its frame: clipped
  ASSERT_TRUE(WaitFor([&] { return RectOf(big).left == 0 && RectOf(big).right == bar.left; }));
  ASSERT_TRUE(WaitFor([&] { return RegionType(wide) == SIMPLEREGION; }));
  ASSERT_TRUE(helper->BeBusy(12000));
  Sleep(200);

  // The bar is dragged 100 px right: the line moves and the next command is taken at once.
  const DWORD start = GetTickCount();
  e2e::Drag({bar.left + 2, 600}, {bar.left + 102, 600});
  RECT moved{};
  EXPECT_TRUE(WaitFor([&] { return (moved = RectOf(Bars()[0])).left == bar.left + 100; }, 2000));
  EXPECT_TRUE(e2e::CommandLeaves(IDM_SPLIT_H, 2, 2000)) << "a split while the application is busy";
  EXPECT_LT(GetTickCount() - start, 4000u);
  // The busy window's new clip waits for it; another application's is set at once.
  e2e::HelperApp other(L"other-application");
  HWND across = other.Open(WindowKind::kPlain, {moved.right + 20, 650, moved.right + 920, 800});
  EXPECT_TRUE(WaitFor([&] { return RegionType(across) == SIMPLEREGION; }, 5000));

  // Once it answers again, the window lies on its frame (the left half of the left frame's
  // split, which is the active frame's).
  EXPECT_TRUE(WaitFor([&] { return RectOf(big).right == moved.left; }, 16000)) << "brought in line";
}

TEST_F(Applications, AWindowHiddenByItsProgramComesBackToItsFrameAsItWas) {
  Tessel tessel;
  const RECT bar = StartSplit(tessel);
  const RECT work = e2e::WorkArea();
  HWND w = Open(WindowKind::kPlain, {bar.right + 50, 100, bar.right + 350, 400});
  ASSERT_TRUE(CaughtUp(bar));  // taken into the right frame
  ASSERT_TRUE(helper->Show(w, SW_MAXIMIZE));
  ASSERT_TRUE(WaitFor([&] { return RectOf(w).left == bar.right && RectOf(w).right == work.right; }));
  // As Task Manager does: minimised, it hides; restored, it shows again maximised.
  ASSERT_TRUE(helper->Show(w, SW_MINIMIZE));
  ASSERT_TRUE(helper->Show(w, SW_HIDE));
  ASSERT_TRUE(CaughtUp(bar));
  ASSERT_TRUE(helper->Show(w, SW_RESTORE));
  EXPECT_TRUE(WaitFor([&] {
    const RECT r = RectOf(w);
    return IsWindowVisible(w) && IsZoomed(w) && r.left == bar.right && r.right == work.right;
  })) << "maximised on the right frame again";
}

TEST_F(Applications, ClosingTheActiveWindowNeverGivesTheKeyboardToABar) {
  Tessel tessel;
  Open(WindowKind::kPlain, {50, 100, 350, 400});  // another program's window, below the bar
  const RECT bar = StartSplit(tessel);
  for (int round = 0; round < 3; ++round) {
    HWND w = Open(WindowKind::kPlain, {bar.right + 50, 100, bar.right + 350, 400});
    SetForegroundWindow(w);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == w; }));
    PostMessageW(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(w); }));
    // Wine may activate a bar next; the bar hands the activation on at once.
    wchar_t cls[64] = {};
    EXPECT_TRUE(WaitFor([&] {
      GetClassNameW(GetForegroundWindow(), cls, 64);
      return wcscmp(cls, L"TesselSplitterClass") != 0;
    }, 1000)) << "round " << round;
  }
  EXPECT_NE(GetWindowLongPtrW(Bars()[0], GWL_EXSTYLE) & WS_EX_NOACTIVATE, 0);
}

TEST_F(Applications, AShapedWindowIsClippedToItsShapeAndGetsItBack) {
  HWND shaped = Open(WindowKind::kShaped, {100, 300, 400, 500});  // an ellipse of its own
  HRGN own = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(shaped, own), COMPLEXREGION);
  Tessel tessel;
  const RECT bar = StartSplit(tessel);
  Sleep(1000);  // settled in its frame: from now on it is clipped there, not slid in
  ASSERT_TRUE(helper->Place(shaped, {bar.left - 200, 300, bar.left + 100, 500}));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  RECT box{};
  const auto clipped = [&] {
    return GetWindowRgn(shaped, region) == COMPLEXREGION && GetRgnBox(region, &box) &&
           RectOf(shaped).left + box.right <= bar.left;
  };
  EXPECT_TRUE(WaitFor(clipped)) << "only the part of the ellipse in its frame shows";
  EXPECT_GT(box.bottom - box.top, 150) << "the ellipse's part, not a rectangle";

  // Maximised on its frame it has no shape; restored, the shape is back.
  ASSERT_TRUE(helper->Show(shaped, SW_MAXIMIZE));
  EXPECT_TRUE(WaitFor([&] { return RectOf(shaped).right == bar.left && RegionType(shaped) == ERROR; }));
  ASSERT_TRUE(helper->Show(shaped, SW_RESTORE));
  EXPECT_TRUE(WaitFor(clipped)) << "clipped to the ellipse's part again";

  EXPECT_EQ(tessel.Exit(), 0);
  EXPECT_EQ(GetWindowRgn(shaped, region), COMPLEXREGION);
  EXPECT_TRUE(EqualRgn(region, own)) << "its own ellipse back after exit";
  DeleteObject(own);
  DeleteObject(region);
}

}  // namespace
}  // namespace tessel
