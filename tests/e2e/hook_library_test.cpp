// hmg.dll in real processes: this test plays the program's main window, loads the
// library from beside itself and installs its hooks for every process, as the program
// does, then watches what the helper application's windows report.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "harness/helper_app.h"
#include "hooklib/hook_library.h"

namespace tessel {
namespace {

using e2e::HelperApp;
using e2e::WaitFor;
using testapp::WindowKind;

struct Event {
  HWND to;  // the main window that received it
  HWND window;
  UINT message;
  UINT extra;
};

UINT manageMessage = 0;
std::vector<Event> received;

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == manageMessage) {
    received.push_back({hwnd, reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)});
    return 1;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A main window as the program makes it: hidden, found by class and title, tagged.
HWND CreateMainWindow() {
  HWND w = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_POPUP | WS_CLIPSIBLINGS, 0,
                           0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(w, GWLP_USERDATA, kWindowTag);
  return w;
}

// Dispatches what waits for this thread, so that posted events reach `received`.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

std::vector<Event> EventsFor(HWND window) {
  Pump();
  std::vector<Event> events;
  for (const Event& e : received)
    if (e.window == window) events.push_back(e);
  return events;
}

// True when `events` hold `message`: a position change with all the flags in `extra`,
// any other message with exactly `extra` in the high word.
bool Has(const std::vector<Event>& events, UINT message, UINT extra = 0) {
  for (const Event& e : events) {
    if (e.message != message) continue;
    if (message == WM_WINDOWPOSCHANGED ? (e.extra & extra) == extra : e.extra == extra) return true;
  }
  return false;
}

// Waits, taking posted events, until `window` has reported `message` as Has() reads it.
bool AwaitEvent(HWND window, UINT message, UINT extra = 0) {
  return WaitFor([&] { return Has(EventsFor(window), message, extra); }, 2000);
}

class HookLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    manageMessage = RegisterWindowMessageW(kManageMessage);
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kMainWindowClass;
    RegisterClassW(&wc);
    mainWindow = CreateMainWindow();

    library = LoadLibraryW(e2e::BesideExecutable(L"hmg.dll").c_str());
    if (!library) return;
    auto setManaged = Export<decltype(&SetManaged)>("SetManaged");
    auto before = Export<HOOKPROC>("TSCallWndProc");
    auto after = Export<HOOKPROC>("TSCallWndProcRet");
    if (!setManaged || !before || !after) return;
    setManaged(0);
    hooks[0] = SetWindowsHookExW(WH_CALLWNDPROC, before, library, 0);
    hooks[1] = SetWindowsHookExW(WH_CALLWNDPROCRET, after, library, 0);
    helper = new HelperApp(L"hook-library-test");
  }

  static void TearDownTestSuite() {
    delete helper;
    helper = nullptr;
    for (HHOOK& hook : hooks) {
      if (hook) UnhookWindowsHookEx(hook);
      hook = nullptr;
    }
    if (library) FreeLibrary(library);
    library = nullptr;
    DestroyWindow(mainWindow);
    UnregisterClassW(kMainWindowClass, GetModuleHandleW(nullptr));
  }

  void SetUp() override {
    ASSERT_NE(library, nullptr) << "hmg.dll did not load from beside the test";
    ASSERT_TRUE(hooks[0] && hooks[1]) << "the hooks were not installed";
    ASSERT_TRUE(helper && helper->running());
    Pump();
    received.clear();
  }

  void TearDown() override {
    for (HWND w : opened) helper->Destroy(w);
    opened.clear();
  }

  template <typename Function>
  static Function Export(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  }

  HWND Open(WindowKind kind, const RECT& rect, HWND owner = nullptr) {
    HWND w = helper->Open(kind, rect, owner);
    if (w && kind != WindowKind::kChild) opened.push_back(w);
    return w;
  }

  static HMODULE library;
  static HHOOK hooks[2];
  static HWND mainWindow;
  static HelperApp* helper;
  std::vector<HWND> opened;
};

HMODULE HookLibrary::library = nullptr;
HHOOK HookLibrary::hooks[2] = {};
HWND HookLibrary::mainWindow = nullptr;
HelperApp* HookLibrary::helper = nullptr;

TEST_F(HookLibrary, ReportsAWindowOfAnotherProcessFromShowToDestroy) {
  for (const char* name : {"TSGetMsgProc", "TSCallWndProc", "TSCallWndProcRet", "SetManaged"})
    EXPECT_NE(GetProcAddress(library, name), nullptr) << "exported by plain name: " << name;
  HWND w = Open(WindowKind::kPlain, {100, 100, 500, 400});
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(AwaitEvent(w, WM_WINDOWPOSCHANGED, SWP_SHOWWINDOW)) << "shown";
  EXPECT_TRUE(Has(EventsFor(w), WM_SHOWWINDOW));

  // Moved and sized by the application: the position change that did it arrives after
  // the moves and sizes the window made of it, each once.
  received.clear();
  ASSERT_TRUE(helper->Place(w, {150, 120, 650, 520}));
  std::vector<Event> events = EventsFor(w);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().message, UINT{WM_WINDOWPOSCHANGED});
  EXPECT_EQ(events.back().extra & (SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE),
            UINT{SWP_NOZORDER | SWP_NOACTIVATE});
  int moves = 0, sizes = 0, changes = 0;
  for (const Event& e : events) {
    moves += e.message == WM_MOVE;
    sizes += e.message == WM_SIZE && e.extra == SIZE_RESTORED;
    changes += e.message == WM_WINDOWPOSCHANGED;
  }
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(sizes, 1);
  EXPECT_EQ(changes, 1);

  // Minimised: the size type in the high word.
  received.clear();
  ASSERT_TRUE(helper->Show(w, SW_MINIMIZE));
  EXPECT_TRUE(AwaitEvent(w, WM_SIZE, SIZE_MINIMIZED));

  received.clear();
  ASSERT_TRUE(helper->Show(w, SW_HIDE));
  EXPECT_TRUE(AwaitEvent(w, WM_WINDOWPOSCHANGED, SWP_HIDEWINDOW)) << "hidden";
  ASSERT_TRUE(helper->Destroy(w));
  EXPECT_TRUE(AwaitEvent(w, WM_DESTROY));

  // Only the position change and the size carry anything in the high word: the main
  // window takes the others only when lParam is the bare message.
  for (const Event& e : received) {
    if (e.window == w && e.message != WM_WINDOWPOSCHANGED && e.message != WM_SIZE) {
      EXPECT_EQ(e.extra, 0u) << "message 0x" << std::hex << e.message;
    }
  }
}

TEST_F(HookLibrary, ReportsTopLevelWindowsOnlyAndNeverTheProgramsOwn) {
  HWND owner = Open(WindowKind::kPlain, {100, 100, 500, 400});
  HWND child = Open(WindowKind::kChild, {10, 10, 110, 60}, owner);
  HWND tagged = Open(WindowKind::kTagged, {120, 120, 400, 300});
  HWND mainClass = Open(WindowKind::kTesselMainClass, {140, 140, 400, 300});
  HWND barClass = Open(WindowKind::kTesselBarClass, {160, 160, 400, 300});
  HWND owned = Open(WindowKind::kOwnedDialog, {180, 180, 400, 300}, owner);
  HWND tooltip = Open(WindowKind::kTooltip, {200, 200, 300, 230});  // comes and goes with every hover
  ASSERT_TRUE(owner && child && tagged && mainClass && barClass && owned && tooltip);
  // A window of this process, which told the library that its windows are not managed.
  HWND own = CreateWindowExW(0, L"STATIC", L"own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);

  SetWindowPos(own, nullptr, 30, 40, 200, 100, SWP_NOZORDER);
  DestroyWindow(own);
  for (HWND w : {child, tagged, mainClass, barClass, tooltip}) helper->Place(w, {40, 50, 300, 200});
  // Events arrive in the order they happened: once the owned dialog's move is in,
  // anything the others reported would be too.
  ASSERT_TRUE(helper->Place(owned, {40, 50, 300, 200}));
  ASSERT_TRUE(AwaitEvent(owned, WM_WINDOWPOSCHANGED)) << "an owned pop-up is a top-level window";

  EXPECT_TRUE(EventsFor(child).empty()) << "child window";
  EXPECT_TRUE(EventsFor(tagged).empty()) << "tagged window";
  EXPECT_TRUE(EventsFor(mainClass).empty()) << "main window class";
  EXPECT_TRUE(EventsFor(barClass).empty()) << "bar class";
  EXPECT_TRUE(EventsFor(tooltip).empty()) << "tooltip";
  EXPECT_TRUE(EventsFor(own).empty()) << "window of the program's process";
}

}  // namespace
}  // namespace tessel
