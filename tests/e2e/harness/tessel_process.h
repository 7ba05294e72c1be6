#pragma once

#include <windows.h>

#include <string>

namespace tessel::e2e {

// tessel.exe as built, beside the test programs' build folder.
std::wstring BuiltProgram();

// tessel.exe as a process of its own, started with `arguments`; asked to exit (and
// killed if it will not) when the test is done with it.
class TesselProcess {
 public:
  explicit TesselProcess(const std::wstring& arguments = L"", const std::wstring& exe = BuiltProgram());
  ~TesselProcess();
  TesselProcess(const TesselProcess&) = delete;
  TesselProcess& operator=(const TesselProcess&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  DWORD processId() const { return process_.dwProcessId; }
  // The thread that runs the main window and its message loop.
  DWORD threadId() const { return process_.dwThreadId; }
  HANDLE mainThread() const { return process_.hThread; }
  HANDLE process() const { return process_.hProcess; }

  static HWND MainWindow() { return FindWindowW(L"TesselClass", L"Tessel"); }
  // Until the program runs its message loop: its hooks and tray icon are in place then.
  // With 32-bit applications (X86Apps) the 64-bit program's hook host is also ended once,
  // so that each of those scenarios runs with the one the program started again.
  bool WaitForMainWindow();

  // The 64-bit program's 32-bit hook host; 0 while there is none.
  DWORD HookHostId() const;
  // Ends the hook host and waits until the program has started another with its hooks
  // in place; false if there was none or none came back.
  bool RestartHookHost();
  // The exit code once it has ended, or -1 if it is still running after the wait.
  long ExitCode(DWORD waitMs = 5000);
  // Asks the program to exit through its menu command; its exit code, or -1 as above.
  long Exit();
  // Ends the process at once, as a crash would; true once it is gone.
  bool Kill();

 private:
  PROCESS_INFORMATION process_{};
};

// The 64-bit program's 32-bit hook host as it runs now; none in the 32-bit build.
class HookHost {
 public:
  explicit HookHost(const TesselProcess& tessel);
  ~HookHost();
  HookHost(const HookHost&) = delete;
  HookHost& operator=(const HookHost&) = delete;
  bool running() const { return process_ != nullptr; }
  // Whether it has ended within a few seconds; true where there is none.
  bool Ended() const;

 private:
  HANDLE process_ = nullptr;
};

}  // namespace tessel::e2e
