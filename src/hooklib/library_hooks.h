#pragma once

// The hook library's two hooks as the program and the hook host install them: for every
// process, with the installing process itself left unreported.
#include <windows.h>

namespace tessel::hooklib {

class LibraryHooks {
 public:
  enum class Outcome { kNotLoaded, kInvalid, kInstalled };

  LibraryHooks() = default;
  LibraryHooks(const LibraryHooks&) = delete;
  LibraryHooks& operator=(const LibraryHooks&) = delete;
  ~LibraryHooks() { Remove(); }

  // Loads the library at `path` and installs both hooks, or neither.
  Outcome Install(const wchar_t* path);
  void Remove();

 private:
  HMODULE library_ = nullptr;
  HHOOK hooks_[2] = {};  // call-window, call-window-return
};

}  // namespace tessel::hooklib
