// Counts the GDI objects of the process it is loaded into, on request from another
// process: hooked into one thread of the process under test, it answers when that
// thread next takes a message. Requests and answers sit in a section every process that
// loads this library shares.
//
// Wine has no per-process GDI count (GetGuiResources answers 0), but its handle table
// takes a handle's index alone, so the table can be walked by index and each object's
// type read. On Windows the walk finds nothing and the total comes from
// GetGuiResources; regions are then not counted.
#include <windows.h>

namespace {

struct Shared {
  LONG requested;
  LONG answered;
  LONG regions;
  LONG gdiObjects;
};

__attribute__((section(".shared"), shared)) Shared shared = {};

void Count() {
  LONG regions = 0, total = 0;
  for (UINT index = 1; index <= 0xFFFF; ++index) {
    const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(index)));
    if (!type) continue;
    ++total;
    if (type == OBJ_REGION) ++regions;
  }
  if (total == 0) {
    total = static_cast<LONG>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    regions = -1;
  }
  shared.regions = regions;
  shared.gdiObjects = total;
}

}  // namespace

extern "C" LRESULT CALLBACK ProbeGetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  const LONG requested = shared.requested;
  if (code == HC_ACTION && shared.answered != requested) {
    Count();
    InterlockedExchange(&shared.answered, requested);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A new request; its number comes back from ProbeRead once it is answered.
extern "C" LONG WINAPI ProbeRequest() { return InterlockedIncrement(&shared.requested); }

// FALSE until `request` has been answered.
extern "C" BOOL WINAPI ProbeRead(LONG request, LONG* regions, LONG* gdiObjects) {
  if (InterlockedCompareExchange(&shared.answered, 0, 0) != request) return FALSE;
  *regions = shared.regions;
  *gdiObjects = shared.gdiObjects;
  return TRUE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}
