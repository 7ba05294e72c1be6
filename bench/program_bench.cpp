// The running program under Wine, as its users meet it: how soon a window shown across
// a frame edge is fitted while hundreds of windows are already managed, and what the
// program's main thread does while nothing happens. tessel.exe runs in a process of its
// own and the windows are window_app.exe's, in another.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "harness/handle_count.h"
#include "harness/helper_app.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"
#include "shell/commands.h"

namespace {

using tessel::e2e::BarRects;
using tessel::e2e::BesideExecutable;
using tessel::e2e::CountHandles;
using tessel::e2e::HandleCounts;
using tessel::e2e::HelperApp;
using tessel::e2e::TesselProcess;
using tessel::e2e::WaitFor;
using tessel::e2e::WorkArea;
using tessel::testapp::WindowKind;

constexpr int kIdleWindows = 4;
constexpr int kBaselineWindows = 50;
constexpr int kManagedWindows = 500;
constexpr int kShownWindows = 200;
constexpr DWORD kIdleMs = 10000;
constexpr int kSoakWarmUpEvents = 1000;
constexpr int kSoakEvents = 10000;
constexpr DWORD kFitTimeoutMs = 2000;
// Small windows keep 700 of them cheap for Wine's server and the X display.
constexpr int kWidth = 80, kHeight = 40;

double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// A fixed sequence, so every run places the same windows.
unsigned Next(unsigned* seed) {
  *seed = *seed * 1103515245u + 12345u;
  return *seed >> 8;
}

// A window's rectangle somewhere in the work area, clear of every bar.
RECT InsideAFrame(const std::vector<RECT>& bars, unsigned* seed) {
  const RECT work = WorkArea();
  for (;;) {
    const int x = work.left + int(Next(seed) % unsigned(work.right - work.left - kWidth));
    const int y = work.top + int(Next(seed) % unsigned(work.bottom - work.top - kHeight));
    const RECT r{x - 8, y - 8, x + kWidth + 8, y + kHeight + 8};
    RECT overlap;
    if (std::none_of(bars.begin(), bars.end(), [&](const RECT& b) { return IntersectRect(&overlap, &r, &b); }))
      return {x, y, x + kWidth, y + kHeight};
  }
}

// A window's rectangle lying across `bar`, at a point along it.
RECT AcrossBar(const RECT& bar, unsigned* seed) {
  if (bar.bottom - bar.top > bar.right - bar.left) {
    const int x = (bar.left + bar.right) / 2 - kWidth / 2;
    const int y = bar.top + int(Next(seed) % unsigned(std::max(1L, bar.bottom - bar.top - kHeight)));
    return {x, y, x + kWidth, y + kHeight};
  }
  const int y = (bar.top + bar.bottom) / 2 - kHeight / 2;
  const int x = bar.left + int(Next(seed) % unsigned(std::max(1L, bar.right - bar.left - kWidth)));
  return {x, y, x + kWidth, y + kHeight};
}

// Fitted: clipped by a region, or moved from where it was opened.
bool Fitted(HWND window, const RECT& opened) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool clipped = GetWindowRgn(window, region) != ERROR;
  DeleteObject(region);
  RECT r;
  return clipped || (GetWindowRect(window, &r) && !EqualRect(&r, &opened));
}

struct ShowToFit {
  std::vector<double> ms;  // of the windows fitted in time, sorted
  int notFitted = 0;

  double Percentile(int p) const {
    return ms.empty() ? -1 : ms[std::min(ms.size() - 1, (ms.size() * p + 99) / 100 - 1)];
  }
};

// Shows `count` windows one at a time, each across a bar, timing each from the request
// to show it until it is fitted.
ShowToFit ShowAcrossBars(HelperApp& helper, int count, unsigned* seed) {
  ShowToFit result;
  const std::vector<RECT> bars = BarRects();
  for (int i = 0; i < count; ++i) {
    const RECT rect = AcrossBar(bars[i % bars.size()], seed);
    HWND window = helper.Open(WindowKind::kHidden, rect);
    RECT placed;
    if (!window || !GetWindowRect(window, &placed)) continue;
    const double shown = Now();
    helper.Show(window, SW_SHOWNOACTIVATE);
    while (!Fitted(window, placed) && Now() - shown < kFitTimeoutMs) SwitchToThread();
    if (Fitted(window, placed))
      result.ms.push_back(Now() - shown);
    else
      ++result.notFitted;
  }
  std::sort(result.ms.begin(), result.ms.end());
  return result;
}

void Print(int managed, const ShowToFit& fit) {
  std::printf("  with %3d managed: %zu windows fitted (%d not in %lu ms), p50 %.1f ms, p99 %.1f ms\n", managed,
              fit.ms.size(), fit.notFitted, kFitTimeoutMs, fit.Percentile(50), fit.Percentile(99));
}

template <typename F>
F Export(HMODULE library, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

struct Idle {
  LONG posted = -1, sent = -1;
  UINT kinds[8] = {};
  LONG perKind[8] = {};
  double cpuMs = -1;
};

// Kernel and user time together; Wine counts it in whole 10 ms clock ticks.
double CpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return double(ticks(kernel) + ticks(user)) / 10000.0;
}

// Counts the main thread's messages over kIdleMs through wake_counter.dll's hooks on
// that thread alone, and the process's processor time over the same span.
Idle MeasureIdle(HANDLE process) {
  Idle idle;
  HMODULE counter = LoadLibraryW(BesideExecutable(L"wake_counter.dll").c_str());
  if (!counter) return idle;
  auto reset = Export<void(WINAPI*)()>(counter, "WakeReset");
  auto read = Export<void(WINAPI*)(LONG*, LONG*, UINT*, LONG*)>(counter, "WakeRead");
  const DWORD thread = GetWindowThreadProcessId(TesselProcess::MainWindow(), nullptr);
  HHOOK getMessage = SetWindowsHookExW(WH_GETMESSAGE, Export<HOOKPROC>(counter, "WakeGetMsgProc"), counter, thread);
  HHOOK callWndProc = SetWindowsHookExW(WH_CALLWNDPROC, Export<HOOKPROC>(counter, "WakeCallWndProc"), counter, thread);
  if (getMessage && callWndProc) {
    // One message of our own shows the hooks have reached the thread.
    PostMessageW(TesselProcess::MainWindow(), WM_NULL, 0, 0);
    if (WaitFor([&] {
          read(&idle.posted, &idle.sent, idle.kinds, idle.perKind);
          return idle.posted > 0;
        })) {
      reset();
      const double cpuBefore = CpuMs(process);
      Sleep(kIdleMs);
      read(&idle.posted, &idle.sent, idle.kinds, idle.perKind);
      idle.cpuMs = CpuMs(process) - cpuBefore;
    } else {
      idle.posted = idle.sent = -1;
    }
  }
  if (getMessage) UnhookWindowsHookEx(getMessage);
  if (callWndProc) UnhookWindowsHookEx(callWndProc);
  return idle;
}

// Window events in rounds of ten: a window opened across a bar and, once it is fitted,
// moved four times across another bar and back into a frame, then destroyed. Every
// round clips, unclips, manages and releases a window.
void Soak(HelperApp& helper, int events, unsigned* seed) {
  const std::vector<RECT> bars = BarRects();
  for (int round = 0; round < events / 10; ++round) {
    const RECT opened = AcrossBar(bars[round % bars.size()], seed);
    HWND window = helper.Open(WindowKind::kPlain, opened);
    if (!window) continue;
    // Keeps the program abreast of the events instead of measuring a backlog.
    WaitFor([&] { return Fitted(window, opened); }, kFitTimeoutMs);
    for (int i = 1; i <= 4; ++i) {
      helper.Place(window, AcrossBar(bars[(round + i) % bars.size()], seed));
      helper.Place(window, InsideAFrame(bars, seed));
    }
    helper.Destroy(window);
  }
  Sleep(1500);  // past the settle timer of the last ones
}

// One summary line for the table scripts/bench prints at the end.
void Row(const char* figure, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Row(const char* figure, const char* format, ...) {
  char value[200];
  va_list args;
  va_start(args, format);
  std::vsnprintf(value, sizeof value, format, args);
  va_end(args);
  std::printf("table| %s | %s |\n", figure, value);
}

bool SplitAndWait(WPARAM command, size_t bars) {
  PostMessageW(TesselProcess::MainWindow(), WM_COMMAND, command, 0);
  return WaitFor([&] { return BarRects().size() == bars; });
}

const char* Bits(bool x86) { return x86 ? "32-bit" : "64-bit"; }

// The architectures measured, for the table: "64-bit program, 32-bit application".
const char* Pairing() {
  static char text[64];
  std::snprintf(text, sizeof text, "%s program, %s application", Bits(sizeof(void*) == 4),
                Bits(sizeof(void*) == 4 || tessel::e2e::X86Apps()));
  return text;
}

// Show to fit alone, with few windows managed: the figure to compare between the
// applications' architectures (TESSEL_APPS=x86 takes the 32-bit helper).
int ShowToFitOnly(HelperApp& helper) {
  unsigned seed = 7;
  for (int i = 0; i < kIdleWindows; ++i) helper.Open(WindowKind::kPlain, InsideAFrame(BarRects(), &seed));
  Sleep(1500);  // past the settle timer
  const ShowToFit few = ShowAcrossBars(helper, kBaselineWindows, &seed);
  std::printf("Show to fit (%s)\n", Pairing());
  Print(kIdleWindows, few);
  Row("Show to fit, p50 / p99, few windows managed", "%.1f / %.1f ms (%s)", few.Percentile(50),
      few.Percentile(99), Pairing());
  return few.notFitted == 0 ? 0 : 1;
}

}  // namespace

// With the argument "show-to-fit", only that figure; else every figure.
int main(int argc, char** argv) {
  const bool fitOnly = argc > 1 && !std::strcmp(argv[1], "show-to-fit");
  RegDeleteTreeW(HKEY_CURRENT_USER, tessel::e2e::kSettingsKey);
  HelperApp helper(L"program-bench");
  TesselProcess tessel(L"", BesideExecutable(L"..\\src\\tessel.exe"));
  if (!helper.running() || !tessel.started()) {
    std::fprintf(stderr, "window_app.exe or tessel.exe did not start\n");
    return 1;
  }
  int status = 1;
  if (!tessel.WaitForMainWindow() || !SplitAndWait(tessel::IDM_SPLIT_V, 1) || !SplitAndWait(tessel::IDM_SPLIT_H, 2)) {
    std::fprintf(stderr, "tessel.exe did not start or split the screen\n");
  } else if (fitOnly) {
    status = ShowToFitOnly(helper);
  } else {
    unsigned seed = 7;
    for (int i = 0; i < kIdleWindows; ++i) helper.Open(WindowKind::kPlain, InsideAFrame(BarRects(), &seed));
    Sleep(1500);  // past the settle timer
    const Idle idle = MeasureIdle(tessel.process());

    // The same measure with few windows managed and with hundreds, so the second reads
    // against the first from the same run.
    const ShowToFit few = ShowAcrossBars(helper, kBaselineWindows, &seed);

    // Handles of the program after a warm-up and after the long run: they must not grow.
    Soak(helper, kSoakWarmUpEvents, &seed);
    const HandleCounts warm = CountHandles(tessel.processId(), tessel.threadId());
    const double soaking = Now();
    Soak(helper, kSoakEvents, &seed);
    const double soakS = (Now() - soaking) / 1000;
    const HandleCounts soaked = CountHandles(tessel.processId(), tessel.threadId());
    const std::vector<RECT> bars = BarRects();
    const double opening = Now();
    for (int i = 0; i < kManagedWindows; ++i) helper.Open(WindowKind::kPlain, InsideAFrame(bars, &seed));
    const double openMs = Now() - opening;
    Sleep(1500);  // past the settle timer of the last ones
    const ShowToFit many = ShowAcrossBars(helper, kShownWindows, &seed);

    std::printf("Show to fit: a window shown across a frame edge until it is clipped or moved\n");
    Print(kIdleWindows, few);
    std::printf("  (%d more windows opened into frames in %.0f ms)\n", kManagedWindows, openMs);
    Print(kIdleWindows + kBaselineWindows + kManagedWindows, many);
    std::printf("  p50 with many / with few: %.2f\n", many.Percentile(50) / few.Percentile(50));
    std::printf("Soak: %d window events in %.0f s; regions, GDI objects, windows, kernel handles of tessel.exe\n",
                kSoakEvents, soakS);
    std::printf("  after %5d events: %ld, %ld, %ld, %ld\n", kSoakWarmUpEvents, warm.regions, warm.gdiObjects,
                warm.windows, warm.kernelHandles);
    std::printf("  after %5d more:   %ld, %ld, %ld, %ld\n", kSoakEvents, soaked.regions, soaked.gdiObjects,
                soaked.windows, soaked.kernelHandles);
    Row("Show to fit, p50 / p99", "%.1f / %.1f ms with %d windows managed; %.1f / %.1f ms with %d (%s)",
        few.Percentile(50), few.Percentile(99), kIdleWindows, many.Percentile(50), many.Percentile(99),
        kIdleWindows + kBaselineWindows + kManagedWindows, Pairing());
    Row("Regions after 1,000 / 10,000 more window events", "%ld / %ld", warm.regions, soaked.regions);
    Row("GDI objects, same", "%ld / %ld", warm.gdiObjects, soaked.gdiObjects);
    Row("Windows, same", "%ld / %ld", warm.windows, soaked.windows);
    Row("Kernel handles, same", "%ld / %ld", warm.kernelHandles, soaked.kernelHandles);
    if (idle.posted < 0) {
      std::printf("Idle: the counting hooks did not reach the main thread\n");
    } else {
      std::printf("Idle %lu s with %d windows managed: %ld messages taken from the queue, %ld sent by other "
                  "threads, %.1f ms processor time\n",
                  kIdleMs / 1000, kIdleWindows, idle.posted, idle.sent, idle.cpuMs);
      for (int i = 0; i < 8 && idle.perKind[i]; ++i)
        std::printf("  message 0x%04X: %ld\n", idle.kinds[i], idle.perKind[i]);
      Row("Idle wake-ups over 10 s", "%ld messages, %.1f ms processor time", idle.posted + idle.sent, idle.cpuMs);
    }
    status = 0;
  }
  return status;
}
