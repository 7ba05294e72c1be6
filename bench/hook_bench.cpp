// What hmg.dll costs an application on the messages it does not report, against a hook
// library that only passes messages on: each installed for every process as the
// program installs hmg.dll, timed in turns in one run on a window of this process.
#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

// Under Wine a hooked message takes tens of microseconds (the hook chain goes through
// the server), so rounds are short and many; each round compares its own neighbours.
constexpr int kMessages = 3000;
constexpr int kRounds = 15;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) return 0;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HOOKPROC Export(HMODULE library, const char* name) {
  return reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Nanoseconds per SendMessageW of application messages (WM_USER and up) with the
// library's two hooks installed for every process; with no hooks for a null library.
// Negative if the hooks cannot be installed.
double TimeMessages(HWND window, HMODULE library) {
  HHOOK before = nullptr, after = nullptr;
  if (library) {
    before = SetWindowsHookExW(WH_CALLWNDPROC, Export(library, "TSCallWndProc"), library, 0);
    after = SetWindowsHookExW(WH_CALLWNDPROCRET, Export(library, "TSCallWndProcRet"), library, 0);
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kMessages; ++i) SendMessageW(window, WM_USER + 1 + (i & 7), i, 0);
  QueryPerformanceCounter(&end);
  if (before) UnhookWindowsHookEx(before);
  if (after) UnhookWindowsHookEx(after);
  if (library && !(before && after)) return -1;
  return double(end.QuadPart - start.QuadPart) * 1e9 / double(frequency.QuadPart) / kMessages;
}

HMODULE LoadBeside(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  while (n && path[n - 1] != L'\\' && path[n - 1] != L'/') --n;
  lstrcpynW(path + n, name, MAX_PATH - n);
  return LoadLibraryW(path);
}

double Median(double* values) {
  std::sort(values, values + kRounds);
  return values[kRounds / 2];
}

}  // namespace

int main() {
  HMODULE empty = LoadBeside(L"empty_hooks.dll");
  HMODULE hmg = LoadBeside(L"hmg.dll");
  if (!empty || !hmg) {
    std::fprintf(stderr, "empty_hooks.dll or hmg.dll is missing beside the benchmark\n");
    return 1;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TesselHookBench";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);

  double none[kRounds], withEmpty[kRounds], withHmg[kRounds], ratio[kRounds];
  for (int round = 0; round < kRounds; ++round) {
    none[round] = TimeMessages(window, nullptr);
    // Alternate which library goes first, so neither always follows the other.
    if (round % 2) withHmg[round] = TimeMessages(window, hmg);
    withEmpty[round] = TimeMessages(window, empty);
    if (!(round % 2)) withHmg[round] = TimeMessages(window, hmg);
    if (withEmpty[round] < 0 || withHmg[round] < 0) {
      std::fprintf(stderr, "the hooks could not be installed\n");
      return 1;
    }
    ratio[round] = withHmg[round] / withEmpty[round];
  }
  DestroyWindow(window);

  std::printf("SendMessageW of a message hmg.dll ignores, medians of %d rounds of %d messages:\n", kRounds,
              kMessages);
  std::printf("  no hooks            %9.0f ns\n", Median(none));
  std::printf("  empty hook library  %9.0f ns\n", Median(withEmpty));
  std::printf("  hmg.dll             %9.0f ns\n", Median(withHmg));
  const double ratioMedian = Median(ratio);
  std::printf("hmg.dll / empty hook library: %.2f (rounds from %.2f to %.2f)\n", ratioMedian, ratio[0],
              ratio[kRounds - 1]);
  std::printf("table| Hook overhead, %s hmg.dll / empty hook library | %.2f |\n",
              sizeof(void*) == 8 ? "64-bit" : "32-bit", ratioMedian);
  return 0;
}
