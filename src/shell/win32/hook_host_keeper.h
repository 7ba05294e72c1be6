#pragma once

#include <windows.h>

#include "shell/win32/handles.h"

namespace tessel {

// Keeps the 32-bit hook host running beside the 64-bit program: starts it, starts it
// again when it dies, and ends it with the program. Without it the program goes on
// serving 64-bit applications; a 32-bit program has no other architecture to serve and
// starts nothing.
class HookHostKeeper {
 public:
  HookHostKeeper() = default;
  HookHostKeeper(const HookHostKeeper&) = delete;
  HookHostKeeper& operator=(const HookHostKeeper&) = delete;
  ~HookHostKeeper() { Stop(); }

  // Starts the host and returns once it has installed its hooks (or given up), then
  // watches it from a thread of its own.
  void Start();
  // Ends the host and the thread that watches it.
  void Stop();

 private:
  static DWORD WINAPI Run(LPVOID self);
  // Starts the host and waits until it takes messages, its hooks in place.
  bool Launch();
  // Waits until the host ends (true, with its exit code and how long it ran) or Stop is
  // called (false, and the host is ended).
  bool Watch(DWORD* exitCode, DWORD* ranMs);
  void EndHost();

  KernelHandle stop_;
  KernelHandle thread_;
  KernelHandle host_;            // the host's process
  KernelHandle hostMainThread_;  // and its first thread, which takes WM_QUIT
  DWORD hostMainThreadId_ = 0;
  DWORD started_ = 0;
};

}  // namespace tessel
