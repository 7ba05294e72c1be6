#pragma once

#include <windows.h>

#include "hooklib/library_hooks.h"
#include "shell/win32/handles.h"

namespace tessel {

// The hook library's hooks, installed from a thread that does nothing but take its
// messages, at a high priority: it hears of every new thread with windows there and
// hooks it at once, whatever the main thread is doing.
class HookThread {
 public:
  HookThread() = default;
  HookThread(const HookThread&) = delete;
  HookThread& operator=(const HookThread&) = delete;
  ~HookThread() { Stop(); }

  // Loads `library` and installs its hooks from a new thread. Null once the hooks are in
  // place, else the fatal error's text.
  const wchar_t* Start(const wchar_t* library);
  // Removes the hooks and ends the thread.
  void Stop();

 private:
  static DWORD WINAPI Run(LPVOID self);

  const wchar_t* path_ = nullptr;
  KernelHandle thread_;
  KernelHandle ready_;
  DWORD threadId_ = 0;
  hooklib::LibraryHooks hooks_;
  hooklib::LibraryHooks::Outcome outcome_ = hooklib::LibraryHooks::Outcome::kNotLoaded;
};

}  // namespace tessel
