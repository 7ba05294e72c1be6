// Frames on the real desktop: bar windows, their patterns on the screen, dragging a bar
// with the mouse, and a taskbar that changes the work area.
#include <gtest/gtest.h>
#include <windows.h>

#include "desktop/placing.h"
#include "desktop/split.h"
#include "harness/helper_app.h"
#include "harness/input.h"
#include "harness/tessel_process.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/rect_win32.h"
#include "platform/win32/win32_window_system.h"
#include "desktop/composition.h"
#include "desktop/fit.h"
#include "desktop/apply_layout.h"
#include "desktop/win32/splitter_window.h"

namespace tessel {
namespace {

using e2e::HelperApp;
using e2e::Key;
using e2e::Press;
using e2e::WaitFor;
using testapp::WindowKind;

// Handles this thread's messages for a while: bars paint and drags run here.
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

// The colour on the screen at (x, y), as 0xRRGGBB.
std::uint32_t ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// The bar patterns as they must show, one letter a pixel, rows top first: W white,
// B blue, G green, L light blue, 3 2 1 three blues from light to dark.
struct Pattern {
  int width;
  const char* pixels;
  std::uint32_t At(int x, int y) const {
    switch (pixels[y * width + x]) {
      case 'W':
        return 0xFFFFFF;
      case 'B':
        return 0x3399CC;
      case 'G':
        return 0xB3FA6D;
      case 'L':
        return 0x43BDFA;
      case '3':
        return 0x0691D6;
      case '2':
        return 0x046A9D;
      default:
        return 0x034F75;
    }
  }
};
constexpr Pattern kPlainVertical{4, "BWWBBBWWBWWBWWBB"};  // rows 1-4; they repeat
constexpr Pattern kPlainHorizontal{12, "WBBBWBBBWBBBWWBWWWBWWWBWBWWWBWWWBWWWBBWBBBWBBBWB"};
constexpr Pattern kArrowLeft{4, "WGGLBG3LW23L123LW23LBG3LWGGLBGGWWGGBBGGWWGGBBGGW"};
constexpr Pattern kArrowRight{4, "WGGBBGGWWGGBBGGWWGGBLGGWL3GBL32WL321L32WL3GBLGGW"};
constexpr Pattern kArrowUp{12, "BWBWBWBW1WBWGGGGGGG222GGGGGGGG33333GWBWBWLLLLLLL"};

struct Drag {
  POINT from;
  POINT to;
};

DWORD WINAPI RunDrag(LPVOID param) {
  const Drag& d = *static_cast<const Drag*>(param);
  e2e::Drag(d.from, d.to);
  return 0;
}

// Presses the left button at `from`, moves to `to` in steps and lets go, with the pauses
// the system's move loop needs, from a thread of its own while this one pumps.
void DragWithMouse(const Drag& drag) {
  HANDLE thread = CreateThread(nullptr, 0, RunDrag, const_cast<Drag*>(&drag), 0, nullptr);
  while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) Pump(5);
  CloseHandle(thread);
  Pump(100);
}

class FramesOnTheDesktop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    helper = new HelperApp(L"splitter-window-test");
    program = LoadLibraryExW(e2e::BuiltProgram().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  static void TearDownTestSuite() {
    delete helper;
    helper = nullptr;
    if (program) FreeLibrary(program);
  }

  void SetUp() override {
    ASSERT_TRUE(helper->running());
    ASSERT_NE(program, nullptr);
    bars.LoadPatterns(program);  // the bar patterns of the program file
    ws.splitters = &bars;
    QueryOsVersion(ws);
    ASSERT_TRUE(system.GetWorkArea(&workArea));
  }

  void TearDown() override {
    RemoveAllFrames(ws);
    for (HWND w : opened) PostMessageW(w, WM_CLOSE, 0, 0);
    Pump(50);
  }

  HWND Open(const RECT& rect) {
    HWND w = helper->Open(WindowKind::kPlain, rect);
    opened.push_back(w);
    return w;
  }

  Frame* Root() const {
    for (Frame* f = ws.model.frameList; f; f = f->next)
      if (!f->parent) return f;
    return nullptr;
  }

  static Rect WindowRect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return FromRECT(r);
  }

  static HelperApp* helper;
  static inline HMODULE program = nullptr;
  Win32WindowSystem system;
  Workspace ws{system};
  Win32SplitterWindows bars{ws};
  Rect workArea;
  std::vector<HWND> opened;
};

HelperApp* FramesOnTheDesktop::helper = nullptr;

TEST_F(FramesOnTheDesktop, BarsAreTaggedToolWindowsBetweenTheFrames) {
  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  Frame* root = Root();
  Frame* right = root->second;
  ASSERT_TRUE(SplitFrame(ws, right, false));
  for (Frame* split : {root, right->parent}) {
    HWND bar = ToHwnd(split->splitter->hwnd);
    ASSERT_TRUE(IsWindow(bar));
    wchar_t text[64];
    GetClassNameW(bar, text, 64);
    EXPECT_STREQ(text, L"TesselSplitterClass");
    GetWindowTextW(bar, text, 64);
    EXPECT_STREQ(text, L"TesselSplitter");
    EXPECT_EQ(GetWindowLongW(bar, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), static_cast<LONG>(WS_POPUP));
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindowLongPtrW(bar, GWLP_USERDATA), 0x6E577374);
    EXPECT_NE(GetWindow(bar, GW_OWNER), nullptr);
    EXPECT_EQ(WindowRect(bar), split->splitter->bar);
  }
  const std::int32_t x = workArea.left + (workArea.Width() - 4) / 2;
  EXPECT_EQ(root->splitter->bar, (Rect{x, workArea.top, x + 4, workArea.bottom}));
}

TEST_F(FramesOnTheDesktop, BarsShowThePlainAndTheArrowPatterns) {
  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  Frame* root = Root();
  Frame* left = root->first;
  Frame* topRight = root->second;
  ASSERT_TRUE(SplitFrame(ws, topRight, false));
  Frame* rightSplit = topRight->parent;
  SetActiveFrame(ws, left);
  Pump(200);

  const Rect& v = root->splitter->bar;
  const Rect& h = rightSplit->splitter->bar;
  for (int y = 300; y < 324; ++y)
    for (int x = 0; x < 4; ++x)
      ASSERT_EQ(ScreenPixel(v.left + x, y), kArrowLeft.At(x, (y - v.top) % 12)) << x << "," << y;
  for (int y = 0; y < 4; ++y)
    for (int x = 100; x < 124; ++x)
      ASSERT_EQ(ScreenPixel(h.left + x, h.top + y), kPlainHorizontal.At(x % 12, y)) << x << "," << y;

  // The top-right leaf active: its bar below points up, and the vertical bar points
  // right only along that leaf (and 4 pixels past its bottom).
  SetActiveFrame(ws, topRight);
  Pump(200);
  for (int x = 100; x < 124; ++x) ASSERT_EQ(ScreenPixel(h.left + x, h.top), kArrowUp.At(x % 12, 0)) << x;
  const int edge = topRight->rect.bottom + 4 - v.top;
  for (int y = edge - 12; y < edge + 12; ++y) {
    const Pattern& expected = y < edge ? kArrowRight : kPlainVertical;
    ASSERT_EQ(ScreenPixel(v.left + 1, v.top + y), expected.At(1, y % (y < edge ? 12 : 4))) << y;
  }
  EXPECT_EQ(rightSplit->splitter->highlight, (Rect{-4, 0, topRight->rect.Width() + 4, 4}));
}

TEST_F(FramesOnTheDesktop, DraggingABarMovesTheLineAndRefitsTheWindowsAlongIt) {
  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  Frame* root = Root();
  Frame* left = root->first;
  Frame* right = root->second;
  const std::int32_t line = left->rect.right;
  HWND w = Open({line - 40, 200, line + 260, 400});
  const Point inRight{right->rect.left + 10, 300};
  ManagedWindow* r = ManageWindow(ws, &inRight, ToWindowId(w));
  ASSERT_NE(r, nullptr);
  r->managedTick = 0;
  FitWindow(ws, r);
  SetForegroundWindow(w);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == w; }));

  DragWithMouse({{line + 2, 600}, {line + 102, 640}});
  EXPECT_EQ(left->rect.right, line + 100);
  EXPECT_EQ(right->rect.left, line + 104);
  EXPECT_EQ(WindowRect(ToHwnd(root->splitter->hwnd)), (Rect{line + 100, workArea.top, line + 104, workArea.bottom}))
      << "moved along its axis only";
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  RECT box{};
  EXPECT_EQ(GetWindowRgn(w, region), SIMPLEREGION);
  GetRgnBox(region, &box);
  DeleteObject(region);
  EXPECT_EQ(box.left, 144) << "clipped at the line's new place";
  EXPECT_EQ(GetForegroundWindow(), w) << "the foreground came back after the drag";

  DragWithMouse({{line + 102, 600}, {workArea.right - 5, 600}});
  EXPECT_EQ(right->rect.Width(), 50) << "stopped where the right side keeps 50 pixels";
}

TEST_F(FramesOnTheDesktop, FramesFollowTheTaskbar) {
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr);
  RECT before;
  GetWindowRect(taskbar, &before);
  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  Frame* root = Root();

  // The taskbar grows by 30 pixels upwards, moved by another program. Wine brings the
  // running processes' view of the monitors up to date only when a program starts, so
  // one is started.
  ASSERT_TRUE(helper->Place(taskbar, {before.left, before.top - 30, before.right, before.bottom}));
  { HelperApp nudge(L"work-area-nudge"); }
  // Wine brings a process's view of the work area up to date through its messages.
  Rect now;
  ASSERT_TRUE(WaitFor([&] {
    Pump(0);
    return system.GetWorkArea(&now) && now.bottom == workArea.bottom - 30;
  }));
  AdaptToWorkArea(ws);
  EXPECT_EQ(root->rect.bottom, workArea.bottom - 30);
  EXPECT_EQ(root->first->rect.bottom, workArea.bottom - 30);
  EXPECT_EQ(WindowRect(ToHwnd(root->splitter->hwnd)).bottom, workArea.bottom - 30);

  ASSERT_TRUE(helper->Place(taskbar, before));
  { HelperApp nudge(L"work-area-nudge"); }
  ASSERT_TRUE(WaitFor([&] {
    Pump(0);
    return system.GetWorkArea(&now) && now.bottom == workArea.bottom;
  }));
  AdaptToWorkArea(ws);
  EXPECT_EQ(root->rect.bottom, workArea.bottom);
}

}  // namespace
}  // namespace tessel
