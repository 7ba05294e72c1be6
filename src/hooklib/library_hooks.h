#pragma once

// The hook library's hook as the program and the hook host install it: into each thread
// with top-level windows of every other process of the installer's own architecture.
// A hook for every process would reach the other architecture's processes too, and
// there every message of every window would cost the application a detour.
#include <windows.h>

#include <vector>

namespace tessel::hooklib {

class LibraryHooks {
 public:
  enum class Outcome { kNotLoaded, kInvalid, kInstalled };

  LibraryHooks() = default;
  LibraryHooks(const LibraryHooks&) = delete;
  LibraryHooks& operator=(const LibraryHooks&) = delete;
  ~LibraryHooks() { Remove(); }

  // Loads the library at `path`, checks it has every entry point, and hooks the threads
  // of the windows there are now and, as they make their first windows, of those to
  // come. The installing thread must take its messages: it hears of new windows there.
  Outcome Install(const wchar_t* path);
  void Remove();

 private:
  struct Thread {
    DWORD id;
    HANDLE handle;  // held, so that the id is not given to another thread meanwhile
    HHOOK hook;     // null for a thread this library does not serve
  };

  static BOOL CALLBACK OnWindow(HWND window, LPARAM self);
  static void CALLBACK OnCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD);
  // True when `window`'s thread was not known before and is now.
  bool Learn(HWND window);
  bool SameArchitecture(DWORD process) const;
  void ForgetEndedThreads();
  // Unhooks the thread and lets its handle go.
  static void Release(const Thread& thread);

  HMODULE library_ = nullptr;
  HOOKPROC proc_ = nullptr;
  HWINEVENTHOOK created_ = nullptr;
  BOOL wow64_ = FALSE;
  std::vector<Thread> threads_;
};

}  // namespace tessel::hooklib
