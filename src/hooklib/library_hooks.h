#pragma once

// The hook library's hook as the program and the hook host install it: for every
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

  // Loads the library at `path`, checks it has every entry point, and installs its
  // call-window-return hook.
  Outcome Install(const wchar_t* path);
  void Remove();

 private:
  HMODULE library_ = nullptr;
  HHOOK hook_ = nullptr;
};

}  // namespace tessel::hooklib
