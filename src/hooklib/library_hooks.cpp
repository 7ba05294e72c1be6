#include "hooklib/library_hooks.h"

#include <algorithm>

#include "hooklib/hook_library.h"

namespace tessel::hooklib {
namespace {

// Window-event callbacks carry no context; one instance installs per process.
LibraryHooks* installed = nullptr;

template <typename Function>
Function* Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool TopLevel(HWND window) { return GetAncestor(window, GA_PARENT) == GetDesktopWindow(); }

// Windows a thread made and showed before its hook was in place went unreported: Wine's
// threads learn of a new hook only when they next take a message. The main window is
// told of them as their show would have told it.
BOOL CALLBACK ReportIfShown(HWND window, LPARAM) {
  static const UINT message = RegisterWindowMessageW(kManageMessage);
  HWND main = FindWindowW(kMainWindowClass, kMainWindowTitle);
  if (main && message && IsWindowVisible(window))
    PostMessageW(main, message, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(WM_WINDOWPOSCHANGED, SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE));
  return TRUE;
}

void CALLBACK ReportThreadsWindows(HWND window, UINT, ULONG_PTR, LRESULT) {
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), ReportIfShown, 0);
}

}  // namespace

LibraryHooks::Outcome LibraryHooks::Install(const wchar_t* path) {
  Remove();
  library_ = LoadLibraryW(path);
  if (!library_) return Outcome::kNotLoaded;
  proc_ = Export<decltype(TSCallWndProcRet)>(library_, "TSCallWndProcRet");
  auto setManaged = Export<decltype(SetManaged)>(library_, "SetManaged");
  if (!GetProcAddress(library_, "TSGetMsgProc") || !GetProcAddress(library_, "TSCallWndProc") || !proc_ ||
      !setManaged) {
    Remove();
    return Outcome::kInvalid;
  }
  setManaged(0);
  IsWow64Process(GetCurrentProcess(), &wow64_);
  installed = this;
  // Out of context: the event is posted here, and the application does not wait for it.
  created_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnCreated, 0, 0,
                             WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (!created_) {
    Remove();
    return Outcome::kInvalid;
  }
  EnumWindows(OnWindow, reinterpret_cast<LPARAM>(this));
  return Outcome::kInstalled;
}

void LibraryHooks::Remove() {
  if (created_) UnhookWinEvent(created_);
  created_ = nullptr;
  for (const Thread& t : threads_) Release(t);
  threads_.clear();
  if (installed == this) installed = nullptr;
  if (library_) FreeLibrary(library_);
  library_ = nullptr;
  proc_ = nullptr;
}

void LibraryHooks::Release(const Thread& thread) {
  if (thread.hook) UnhookWindowsHookEx(thread.hook);
  CloseHandle(thread.handle);
}

BOOL CALLBACK LibraryHooks::OnWindow(HWND window, LPARAM self) {
  reinterpret_cast<LibraryHooks*>(self)->Learn(window);
  return TRUE;
}

void CALLBACK LibraryHooks::OnCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (!installed || object != OBJID_WINDOW || child != CHILDID_SELF || !window || !TopLevel(window)) return;
  // Once the thread has answered a message, it is done with the one it was taking when
  // the hook came, and its hook is called from then on.
  if (installed->Learn(window) && !SendMessageCallbackW(window, WM_NULL, 0, 0, ReportThreadsWindows, 0))
    ReportThreadsWindows(window, WM_NULL, 0, 0);
}

bool LibraryHooks::Learn(HWND window) {
  DWORD process = 0;
  const DWORD id = GetWindowThreadProcessId(window, &process);
  if (!id || process == GetCurrentProcessId()) return false;
  if (std::any_of(threads_.begin(), threads_.end(), [&](const Thread& t) { return t.id == id; })) return false;
  HANDLE handle = OpenThread(SYNCHRONIZE, FALSE, id);
  if (!handle) return false;  // a thread of a process above ours: no hook reaches it either
  ForgetEndedThreads();
  HHOOK hook = SameArchitecture(process) ? SetWindowsHookExW(WH_CALLWNDPROCRET, proc_, library_, id) : nullptr;
  threads_.push_back({id, handle, hook});
  return hook != nullptr;
}

bool LibraryHooks::SameArchitecture(DWORD process) const {
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (!handle) return false;
  BOOL wow64 = FALSE;
  const bool same = IsWow64Process(handle, &wow64) && wow64 == wow64_;
  CloseHandle(handle);
  return same;
}

// Each thread's hook goes with the thread; its entry goes here, once a new thread is seen.
void LibraryHooks::ForgetEndedThreads() {
  const auto ended = std::remove_if(threads_.begin(), threads_.end(), [](const Thread& t) {
    if (WaitForSingleObject(t.handle, 0) != WAIT_OBJECT_0) return false;
    Release(t);
    return true;
  });
  threads_.erase(ended, threads_.end());
}

}  // namespace tessel::hooklib
