#include "handle_count.h"

#include <winternl.h>

#include <utility>
#include <vector>

#include "harness/helper_app.h"

namespace tessel::e2e {
namespace {

// The process's top-level windows and their children (32-bit callbacks are stdcall:
// no lambdas here).
using Walk = std::pair<DWORD, long>;

BOOL CALLBACK CountChild(HWND, LPARAM walk) {
  ++reinterpret_cast<Walk*>(walk)->second;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM walk) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != reinterpret_cast<Walk*>(walk)->first) return TRUE;
  CountChild(window, walk);
  EnumChildWindows(window, CountChild, walk);
  return TRUE;
}

long CountWindows(DWORD processId) {
  Walk walk{processId, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&walk));
  return walk.second;
}

template <typename F>
F Export(HMODULE library, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The system-wide handle table (information class 16), which Windows and Wine both
// answer; GetProcessHandleCount answers 0 under Wine.
long CountKernelHandles(DWORD processId) {
  struct Entry {
    ULONG processId;
    BYTE type, flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
  };
  struct Table {
    ULONG count;
    Entry entries[1];
  };
  constexpr NTSTATUS kTooSmall = static_cast<NTSTATUS>(0xC0000004L);
  std::vector<BYTE> buffer(1 << 18);
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                            static_cast<ULONG>(buffer.size()), nullptr)) == kTooSmall)
    buffer.resize(buffer.size() * 2);
  if (status != 0) return -1;
  const auto* table = reinterpret_cast<const Table*>(buffer.data());
  long count = 0;
  for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].processId == processId;
  return count;
}

void CountGdi(DWORD threadId, HandleCounts* counts) {
  HMODULE probe = LoadLibraryW(BesideExecutable(L"handle_probe.dll").c_str());
  if (!probe) return;
  auto hook = Export<HOOKPROC>(probe, "ProbeGetMsgProc");
  auto request = Export<LONG(WINAPI*)()>(probe, "ProbeRequest");
  auto read = Export<BOOL(WINAPI*)(LONG, LONG*, LONG*)>(probe, "ProbeRead");
  if (HHOOK hooked = hook && request && read ? SetWindowsHookExW(WH_GETMESSAGE, hook, probe, threadId) : nullptr) {
    const LONG number = request();
    LONG regions = -1, gdiObjects = -1;
    // A message of our own brings the thread to its hook.
    PostThreadMessageW(threadId, WM_NULL, 0, 0);
    if (WaitFor([&] { return read(number, &regions, &gdiObjects) != FALSE; }, 10000)) {
      counts->regions = regions;
      counts->gdiObjects = gdiObjects;
    }
    UnhookWindowsHookEx(hooked);
  }
  FreeLibrary(probe);
}

}  // namespace

HandleCounts CountHandles(DWORD processId, DWORD threadId) {
  HandleCounts counts;
  CountGdi(threadId, &counts);
  counts.windows = CountWindows(processId);
  counts.kernelHandles = CountKernelHandles(processId);
  return counts;
}

}  // namespace tessel::e2e
