#include "harness/tessel_process.h"

#include "harness/helper_app.h"
#include "shell/commands.h"

namespace tessel::e2e {

std::wstring BuiltProgram() { return BesideExecutable(L"..\\..\\src\\tessel.exe"); }

TesselProcess::TesselProcess(const std::wstring& arguments, const std::wstring& exe) {
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process_))
    process_ = {};
}

TesselProcess::~TesselProcess() {
  if (!process_.hProcess) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    if (HWND main = MainWindow()) PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 9);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool TesselProcess::WaitForMainWindow() {
  DWORD_PTR result = 0;
  return WaitFor([] { return MainWindow() != nullptr; }, 10000) &&
         SendMessageTimeoutW(MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
}

long TesselProcess::Exit() {
  if (HWND main = MainWindow()) PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
  return ExitCode();
}

bool TesselProcess::Kill() {
  return process_.hProcess && TerminateProcess(process_.hProcess, 9) &&
         WaitForSingleObject(process_.hProcess, 5000) == WAIT_OBJECT_0;
}

long TesselProcess::ExitCode(DWORD waitMs) {
  if (!process_.hProcess || WaitForSingleObject(process_.hProcess, waitMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<long>(code);
}

}  // namespace tessel::e2e
