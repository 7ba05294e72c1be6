#include "harness/tessel_process.h"

#include <tlhelp32.h>

#include <cwchar>

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
  const bool running = WaitFor([] { return MainWindow() != nullptr; }, 10000) &&
                       SendMessageTimeoutW(MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
  if (running && X86Apps()) RestartHookHost();
  return running;
}

DWORD TesselProcess::HookHostId() const {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD host = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !host; more = Process32NextW(snapshot, &entry))
    if (entry.th32ParentProcessID == process_.dwProcessId && !_wcsicmp(entry.szExeFile, L"hookhost32.exe"))
      host = entry.th32ProcessID;
  CloseHandle(snapshot);
  return host;
}

bool TesselProcess::RestartHookHost() {
  const DWORD old = HookHostId();
  HANDLE host = old ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, old) : nullptr;
  if (!host) return false;
  TerminateProcess(host, 9);
  WaitForSingleObject(host, 5000);
  CloseHandle(host);
  DWORD id = 0;
  if (!WaitFor([&] { return (id = HookHostId()) != 0 && id != old; })) return false;
  host = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id);
  if (!host) return false;
  const bool ready = WaitForInputIdle(host, 5000) == 0;
  CloseHandle(host);
  return ready;
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

HookHost::HookHost(const TesselProcess& tessel) {
  if (const DWORD id = tessel.HookHostId()) process_ = OpenProcess(SYNCHRONIZE, FALSE, id);
}

HookHost::~HookHost() {
  if (process_) CloseHandle(process_);
}

bool HookHost::Ended() const { return !process_ || WaitForSingleObject(process_, 5000) == WAIT_OBJECT_0; }

}  // namespace tessel::e2e
