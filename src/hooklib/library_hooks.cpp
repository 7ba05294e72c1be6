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
    hooks_[0] = SetWindowsHookExW(WH_CALLWNDPROC, callWndProc, library_, 0);
    hooks_[1] = hooks_[0] ? SetWindowsHookExW(WH_CALLWNDPROCRET, callWndProcRet, library_, 0) : nullptr;
    if (hooks_[1]) return Outcome::kInstalled;
  }
  Remove();
  return Outcome::kInvalid;
}

void LibraryHooks::Remove() {
  for (HHOOK& hook : hooks_) {
    if (hook) UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
  if (library_) FreeLibrary(library_);
  library_ = nullptr;
}

}  // namespace tessel::hooklib
