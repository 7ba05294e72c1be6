// Fitting real windows of another process into frames, observed as a user would see
// them: where the window is, what its region hides, and whether it repaints.
#include <gtest/gtest.h>
#include <windows.h>

#include "desktop/placing.h"
#include "harness/settled_window_system.h"
#include "harness/helper_app.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/rect_win32.h"
#include "platform/win32/win32_window_system.h"
#include "desktop/fit.h"

namespace tessel {
namespace {

using e2e::HelperApp;
using testapp::WindowKind;

// The real system, counting the calls that make a window repaint.
class CountingWindowSystem : public e2e::SettledWindowSystem {
 public:
  bool SetWindowPos(WindowId window, WindowId after, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override {
    ++repaints;
    return SettledWindowSystem::SetWindowPos(window, after, x, y, cx, cy, flags);
  }
  int SetWindowRgn(WindowId window, RegionId region, bool redraw) override {
    ++repaints;
    return SettledWindowSystem::SetWindowRgn(window, region, redraw);
  }
  int repaints = 0;
};

class FitRealWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { helper = new HelperApp(L"fit-window-test"); }
  static void TearDownTestSuite() {
    delete helper;
    helper = nullptr;
  }

  // Two leaves side by side over the work area, as the first vertical split makes them.
  void SetUp() override {
    ASSERT_TRUE(helper->running());
    ASSERT_TRUE(system.GetWorkArea(&workArea));
    const std::int32_t half = (workArea.Width() - kBarThickness) / 2;
    left = AddLeaf({workArea.left, workArea.top, workArea.left + half, workArea.bottom});
    right = AddLeaf({workArea.left + half + kBarThickness, workArea.top, workArea.right, workArea.bottom});
  }

  void TearDown() override {
    for (HWND w : opened) {
      UnmanageWindow(ws, ToWindowId(w));
      PostMessageW(w, WM_CLOSE, 0, 0);
    }
  }

  Frame* AddLeaf(const Rect& rect) {
    Frame* leaf = CreateFrame();
    leaf->rect = rect;
    ws.model.AddFrame(leaf);
    return leaf;
  }

  HWND Open(WindowKind kind, const RECT& rect) {
    HWND w = helper->Open(kind, rect);
    opened.push_back(w);
    return w;
  }

  ManagedWindow* Manage(HWND w) {
    ManagedWindow* r = ManageWindow(ws, nullptr, ToWindowId(w));
    if (r) r->managedTick = 0;
    return r;
  }

  static Rect WindowRect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return FromRECT(r);
  }

  // The window's region box in window coordinates and its type (ERROR: none).
  static int RegionOf(HWND w, Rect* box) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int type = GetWindowRgn(w, region);
    RECT r{};
    GetRgnBox(region, &r);
    DeleteObject(region);
    *box = FromRECT(r);
    return type;
  }

  static HelperApp* helper;
  CountingWindowSystem system;
  Workspace ws{system};
  Rect workArea;
  Frame* left = nullptr;
  Frame* right = nullptr;
  std::vector<HWND> opened;
};

HelperApp* FitRealWindows::helper = nullptr;

TEST_F(FitRealWindows, WindowAcrossTheLineIsClippedWhereItLeavesItsFrame) {
  const Rect r = right->rect;
  HWND w = Open(WindowKind::kPlain, {r.left - 100, 100, r.left + 300, 400});
  ManagedWindow* record = Manage(w);
  ASSERT_NE(record, nullptr);
  ASSERT_EQ(record->frame, right);
  ASSERT_TRUE(FitWindow(ws, record));

  EXPECT_EQ(WindowRect(w), (Rect{r.left - 100, 100, r.left + 300, 400})) << "not moved, not resized";
  Rect box;
  EXPECT_EQ(RegionOf(w, &box), SIMPLEREGION);
  EXPECT_EQ(box, (Rect{100, 0, 400, 300}));

  // Moved wholly inside by the user: the clip goes.
  SetWindowPos(w, nullptr, r.left + 10, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(FitWindow(ws, record));
  EXPECT_EQ(RegionOf(w, &box), ERROR);
}

TEST_F(FitRealWindows, ShapedWindowKeepsItsShapeInsideTheClip) {
  const Rect r = right->rect;
  HWND w = Open(WindowKind::kShaped, {r.left - 100, 200, r.left + 300, 500});
  Rect own;
  ASSERT_EQ(RegionOf(w, &own), COMPLEXREGION);
  ManagedWindow* record = Manage(w);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->regionType, COMPLEXREGION);
  ASSERT_TRUE(FitWindow(ws, record));
  Rect box;
  EXPECT_EQ(RegionOf(w, &box), COMPLEXREGION) << "the ellipse, cut at the frame's edge";
  EXPECT_GE(box.left, 100);
  EXPECT_LE(box.right, 400);

  SetWindowPos(w, nullptr, r.left + 10, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(FitWindow(ws, record));
  EXPECT_EQ(RegionOf(w, &box), COMPLEXREGION);
  EXPECT_EQ(box, own) << "the whole ellipse back";
}

TEST_F(FitRealWindows, MaximisedWindowCoversItsFrameAndTheWorkAreaWhenReleased) {
  HWND w = Open(WindowKind::kMaximised, {100, 100, 500, 400});
  ManagedWindow* record = Manage(w);
  ASSERT_NE(record, nullptr);
  ASSERT_EQ(record->frame, left);
  const Rect before = WindowRect(w);
  ASSERT_TRUE(FitWindow(ws, record));
  EXPECT_EQ(WindowRect(w), left->rect);
  EXPECT_TRUE(IsZoomed(w)) << "still maximised, just over its frame";
  Rect box;
  EXPECT_EQ(RegionOf(w, &box), ERROR);

  UnmanageWindow(ws, ToWindowId(w));
  EXPECT_EQ(WindowRect(w), before) << "back where the system maximises it";
}

TEST_F(FitRealWindows, RefittingWindowsThatAgreeTouchesNothing) {
  const Rect r = right->rect;
  HWND clipped = Open(WindowKind::kPlain, {r.left - 100, 100, r.left + 300, 400});
  HWND shaped = Open(WindowKind::kShaped, {r.left - 100, 450, r.left + 300, 750});
  HWND inside = Open(WindowKind::kPlain, {r.left + 50, 450, r.left + 350, 650});
  HWND maximised = Open(WindowKind::kMaximised, {100, 100, 500, 400});
  std::vector<ManagedWindow*> records{Manage(clipped), Manage(shaped), Manage(inside), Manage(maximised)};
  for (ManagedWindow* record : records) ASSERT_TRUE(FitWindow(ws, record));
  ASSERT_GT(system.repaints, 0);

  // The regions read back from the system compare equal to the ones we would set.
  system.repaints = 0;
  for (ManagedWindow* record : records) FitWindow(ws, record);
  EXPECT_EQ(system.repaints, 0);
}

}  // namespace
}  // namespace tessel
