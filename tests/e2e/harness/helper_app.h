#pragma once

#include <windows.h>

#include <string>

#include "apps/window_app_protocol.h"

namespace tessel::e2e {

// Whether the helper applications of this run are 32-bit ones beside a 64-bit test
// build (TESSEL_APPS=x86): window_app32.exe, and Wine's 32-bit Notepad.
bool X86Apps();

// window_app.exe running in its own process: started on construction, asked to quit
// (and killed if it will not) on destruction. `exe` beside the tests, by default the
// helper of this run's architecture.
class HelperApp {
 public:
  explicit HelperApp(const std::wstring& name, const wchar_t* exe = nullptr);
  ~HelperApp();
  HelperApp(const HelperApp&) = delete;
  HelperApp& operator=(const HelperApp&) = delete;

  bool running() const { return control_ != nullptr; }
  DWORD processId() const { return process_.dwProcessId; }

  // Ends the helper at once, as a crash would: its windows vanish without a message.
  bool Kill();

  // Opens a window in the helper; null on failure.
  HWND Open(testapp::WindowKind kind, RECT rect, HWND owner = nullptr);

  // Opens a window and destroys it again within the one request; false on failure.
  bool OpenAndDestroy(testapp::WindowKind kind, RECT rect);

  // Destroys a window the helper opened; false if it was not one of them.
  bool Destroy(HWND window);

  // Moves and sizes any window from the helper's process.
  bool Place(HWND window, const RECT& rect);

  // ShowWindow with `command` (SW_ value) from the helper's process.
  bool Show(HWND window, int command);

  // Keeps the helper's thread busy for `ms` from now on, answering nothing meanwhile.
  bool BeBusy(DWORD ms);

 private:
  DWORD_PTR Send(ULONG_PTR what, testapp::Request request);

  PROCESS_INFORMATION process_{};
  HWND control_ = nullptr;
};

// Polls `done` every 10 ms for up to `timeoutMs`; true as soon as it holds.
template <typename Condition>
bool WaitFor(Condition done, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

// A file beside the running test executable.
std::wstring BesideExecutable(const wchar_t* fileName);

}  // namespace tessel::e2e
