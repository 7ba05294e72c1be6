#include "shell/win32/hook_host_keeper.h"

#include <string>

#include "hookhost/hook_host.h"
#include "shell/hook_host_restart.h"
#include "shell/win32/program.h"

namespace tessel {

void HookHostKeeper::Start() {
  if (sizeof(void*) == 4 || stop_) return;
  stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (stop_ && Launch()) thread_.reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
}

void HookHostKeeper::Stop() {
  if (stop_) SetEvent(stop_.get());
  if (thread_) {
    WaitForSingleObject(thread_.get(), 10000);
    thread_.reset();
  }
  EndHost();  // when the thread never ran, or did not end in time
  stop_.reset();
}

DWORD WINAPI HookHostKeeper::Run(LPVOID self) {
  auto& keeper = *static_cast<HookHostKeeper*>(self);
  std::uint32_t delay = 0;
  DWORD exitCode = 0, ranMs = 0;
  while (keeper.Watch(&exitCode, &ranMs)) {
    const std::optional<std::uint32_t> next = HookHostRestartDelay(exitCode, ranMs, delay);
    if (!next || WaitForSingleObject(keeper.stop_.get(), *next) != WAIT_TIMEOUT || !keeper.Launch()) break;
    delay = *next;
  }
  return 0;
}

bool HookHostKeeper::Launch() {
  const std::wstring host = ProgramFolder() + hookhost::kHostFile;
  std::wstring commandLine = L"\"" + host + L"\" " + std::to_wstring(GetCurrentProcessId());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(host.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started))
    return false;
  host_.reset(started.hProcess);
  hostMainThread_.reset(started.hThread);
  hostMainThreadId_ = started.dwThreadId;
  started_ = GetTickCount();
  // The host first takes messages once its hooks are in place (or it has ended).
  WaitForInputIdle(host_.get(), 5000);
  return true;
}

bool HookHostKeeper::Watch(DWORD* exitCode, DWORD* ranMs) {
  const HANDLE waits[2] = {stop_.get(), host_.get()};
  if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
    EndHost();
    return false;
  }
  *ranMs = GetTickCount() - started_;
  GetExitCodeProcess(host_.get(), exitCode);
  hostMainThread_.reset();
  host_.reset();
  return true;
}

void HookHostKeeper::EndHost() {
  if (!host_) return;
  // Asked to end; a host that does not answer is ended all the same.
  PostThreadMessageW(hostMainThreadId_, WM_QUIT, 0, 0);
  if (WaitForSingleObject(host_.get(), 2000) != WAIT_OBJECT_0) TerminateProcess(host_.get(), 1);
  hostMainThread_.reset();
  host_.reset();
}

}  // namespace tessel
