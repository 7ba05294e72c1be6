#pragma once

#include <windows.h>

#include "shell/win32/handles.h"

namespace tessel {

struct Program;

// The program's own low-level mouse and keyboard hooks, on the thread that installs
// them: they follow the modifiers and post commands to the main window, nothing more.
// One set at a time.
class InputHooks {
 public:
  InputHooks() = default;
  InputHooks(const InputHooks&) = delete;
  InputHooks& operator=(const InputHooks&) = delete;
  ~InputHooks() { Remove(); }

  // Both hooks, or neither: false when they cannot be had.
  bool Install(Program& p, HINSTANCE module);
  void Remove();

 private:
  HookHandle mouse_;
  HookHandle keyboard_;
};

}  // namespace tessel
