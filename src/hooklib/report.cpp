#include "hooklib/report.h"

#include <atomic>

#include "hooklib/hook_library.h"

namespace tessel::hooklib {
namespace {

// Each process that loads the library keeps its own copy of these; nothing is shared
// between processes. Constant-initialised: the library has no start-up code to run
// constructors.
constinit std::atomic<HWND> mainWindow{nullptr};
constinit std::atomic<UINT> manageMessage{0};
constinit std::atomic<bool> thisProcessReported{true};

bool SameText(const wchar_t* a, const wchar_t* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

// The program's own windows, and the menus, drop-down lists and tooltips that come and
// go with every click and hover in every application: the program never manages them,
// so they need not wake it.
bool NeverManaged(HWND window) {
  if (GetWindowLongPtrW(window, GWLP_USERDATA) == kWindowTag) return true;
  // The tag is set after creation; the class names cover the moments before.
  wchar_t name[32];
  if (!GetClassNameW(window, name, 32)) return false;
  for (const wchar_t* never : {kMainWindowClass, kSplitterClass, L"#32768", L"ComboLBox", L"tooltips_class32"})
    if (SameText(name, never)) return true;
  return false;
}

}  // namespace

bool Reportable(HWND window) {
  if (!thisProcessReported.load(std::memory_order_relaxed)) return false;
  // Hooks run on the thread that owns the window. A call made for any other thread (as
  // 64-bit Windows does for processes this 32-bit library cannot enter) carries message
  // pointers that are not valid here: leave it alone.
  if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return false;
  if (GetAncestor(window, GA_PARENT) != GetDesktopWindow()) return false;
  return !NeverManaged(window);
}

void Report(HWND window, UINT message, UINT extra) {
  UINT id = manageMessage.load(std::memory_order_relaxed);
  if (!id) {
    id = RegisterWindowMessageW(kManageMessage);
    if (!id) return;
    manageMessage.store(id, std::memory_order_relaxed);
  }
  const WPARAM w = reinterpret_cast<WPARAM>(window);
  const LPARAM l = static_cast<LPARAM>((message & 0xFFFF) | ((extra & 0xFFFF) << 16));
  // Posted, never sent: the application must not wait for a busy or hung main window.
  HWND main = mainWindow.load(std::memory_order_relaxed);
  if (main && PostMessageW(main, id, w, l)) return;
  // Not looked up yet, or gone since (the post fails then): look once more. Without a
  // main window the event is dropped.
  HWND found = FindWindowW(kMainWindowClass, kMainWindowTitle);
  mainWindow.store(found, std::memory_order_relaxed);
  if (found && found != main) PostMessageW(found, id, w, l);
}

}  // namespace tessel::hooklib

extern "C" void WINAPI SetManaged(UINT32 managed) {
  tessel::hooklib::thisProcessReported.store(managed != 0, std::memory_order_relaxed);
}
