// Counts what reaches one thread of another process: the messages it takes from its
// queue and the messages other threads send it. The counts sit in a section every
// process that loads this library shares, so the benchmark reads what the hooked
// thread wrote.
#include <windows.h>

namespace {

constexpr int kKinds = 8;

struct Counts {
  LONG posted;           // messages removed from the queue (GetMessage, PeekMessage PM_REMOVE)
  LONG sent;             // messages sent from other threads
  UINT kinds[kKinds];    // the first distinct posted messages, for telling what woke it
  LONG perKind[kKinds];
};

__attribute__((section(".shared"), shared)) Counts counts = {};

}  // namespace

extern "C" LRESULT CALLBACK WakeGetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    InterlockedIncrement(&counts.posted);
    const UINT message = reinterpret_cast<const MSG*>(lParam)->message;
    for (int i = 0; i < kKinds; ++i) {
      if (counts.kinds[i] == 0 && counts.perKind[i] == 0) counts.kinds[i] = message;
      if (counts.kinds[i] == message) {
        InterlockedIncrement(&counts.perKind[i]);
        break;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK WakeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  // wParam is zero for a message sent by another thread.
  if (code == HC_ACTION && !wParam) InterlockedIncrement(&counts.sent);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Starts the counts again from nothing.
extern "C" void WINAPI WakeReset() {
  counts.posted = counts.sent = 0;
  for (int i = 0; i < kKinds; ++i) counts.kinds[i] = 0, counts.perKind[i] = 0;
}

// The counts so far; `kinds` and `perKind` take 8 entries each, zero where unused.
extern "C" void WINAPI WakeRead(LONG* posted, LONG* sent, UINT* kinds, LONG* perKind) {
  *posted = counts.posted;
  *sent = counts.sent;
  for (int i = 0; i < kKinds; ++i) kinds[i] = counts.kinds[i], perKind[i] = counts.perKind[i];
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}
