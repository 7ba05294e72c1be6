// hookhost32.exe: the 32-bit hook host of the 64-bit program. It loads the 32-bit hook
// library from beside itself and hooks the 32-bit processes' threads from its only
// thread, which does nothing else but take its messages at a high priority: it hears of
// each new thread with windows there.
#include <windows.h>

#include "hookhost/hook_host.h"
#include "hooklib/library_hooks.h"

namespace tessel::hookhost {
namespace {

// The program's process id from the command line: decimal digits and nothing else.
DWORD ProgramId(const wchar_t* text) {
  while (*text == L' ') ++text;
  unsigned long long id = 0;
  for (; *text >= L'0' && *text <= L'9'; ++text)
    if ((id = id * 10 + static_cast<unsigned>(*text - L'0')) > 0xFFFFFFFFull) return 0;
  while (*text == L' ') ++text;
  return *text ? 0 : static_cast<DWORD>(id);
}

bool LibraryPath(wchar_t* path, DWORD size) {
  DWORD n = GetModuleFileNameW(nullptr, path, size);
  if (!n || n >= size) return false;
  while (n && path[n - 1] != L'\\' && path[n - 1] != L'/') --n;
  return lstrcpynW(path + n, kLibraryFile, static_cast<int>(size - n)) && n + lstrlenW(kLibraryFile) < size;
}

// Takes messages, and so the news of new windows, until the program ends or the thread
// is told to quit.
void Serve(HANDLE program) {
  for (;;) {
    if (MsgWaitForMultipleObjectsEx(1, &program, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
        WAIT_OBJECT_0 + 1)
      return;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return;
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace
}  // namespace tessel::hookhost

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  using namespace tessel::hookhost;
  const DWORD programId = ProgramId(commandLine);
  HANDLE program = programId ? OpenProcess(SYNCHRONIZE, FALSE, programId) : nullptr;
  if (!program) return kExitRefused;
  wchar_t path[MAX_PATH];
  tessel::hooklib::LibraryHooks hooks;
  if (!LibraryPath(path, MAX_PATH) ||
      hooks.Install(path) != tessel::hooklib::LibraryHooks::Outcome::kInstalled) {
    CloseHandle(program);
    return kExitRefused;
  }
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  // Taking messages from here on tells the program (WaitForInputIdle) that the hooks are
  // in place.
  Serve(program);
  hooks.Remove();
  CloseHandle(program);
  return kExitDone;
}
