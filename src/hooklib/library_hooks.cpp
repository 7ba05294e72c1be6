#include "hooklib/library_hooks.h"

#include "hooklib/hook_library.h"

namespace tessel::hooklib {
namespace {

template <typename Function>
Function* Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

LibraryHooks::Outcome LibraryHooks::Install(const wchar_t* path) {
  Remove();
  library_ = LoadLibraryW(path);
  if (!library_) return Outcome::kNotLoaded;
  auto callWndProc = Export<decltype(TSCallWndProc)>(library_, "TSCallWndProc");
  auto callWndProcRet = Export<decltype(TSCallWndProcRet)>(library_, "TSCallWndProcRet");
  auto setManaged = Export<decltype(SetManaged)>(library_, "SetManaged");
  if (GetProcAddress(library_, "TSGetMsgProc") && callWndProc && callWndProcRet && setManaged) {
    setManaged(0);
    // One hook only: in a process of the other architecture every hook call waits for a
    // round trip to the installing thread, for every message of every window.
    hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, callWndProcRet, library_, 0);
    if (hook_) return Outcome::kInstalled;
  }
  Remove();
  return Outcome::kInvalid;
}

void LibraryHooks::Remove() {
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  if (library_) FreeLibrary(library_);
  library_ = nullptr;
}

}  // namespace tessel::hooklib
