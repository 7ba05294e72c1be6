// The running program under Wine, as its users meet it: how soon a window shown across
// a frame edge is fitted while hundreds of windows are already managed, and what the
// program's main thread does while nothing happens. tessel.exe runs in a process of its
// own and the windows are window_app.exe's, in another.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <string>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "handle_count.h"
#include "harness/helper_app.h"
#include "harness/input.h"
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
constexpr int kThousand = 1000;
constexpr int kShownWindows = 200;
constexpr int kDrags = 20;  // bar drags, and as many window drops
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
    // Looked at every millisecond: each look is a round trip to Wine's server, which a
    // busy loop would keep from the program being measured.
    while (!Fitted(window, placed) && Now() - shown < kFitTimeoutMs) Sleep(1);
    if (Fitted(window, placed))
      result.ms.push_back(Now() - shown);
    else
      ++result.notFitted;
  }
  std::sort(result.ms.begin(), result.ms.end());
  return result;
}

// The median time an application's ShowWindow of one of its windows takes: with the
// program running, what its hooks (and the other architecture's, called across
// processes) cost every other program.
double MedianShowMs(HelperApp& helper, unsigned* seed) {
  std::vector<double> ms;
  for (int i = 0; i < 21; ++i) {
    HWND window = helper.Open(WindowKind::kHidden, InsideAFrame(BarRects(), seed));
    const double start = Now();
    helper.Show(window, SW_SHOWNOACTIVATE);
    ms.push_back(Now() - start);
    helper.Destroy(window);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
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

// When the left button last went up, as the system delivered it to this thread's
// low-level mouse hook (which runs while the thread pumps its messages).
double buttonUpAt = 0;

LRESULT CALLBACK OnMouse(int code, WPARAM message, LPARAM info) {
  if (code == HC_ACTION && message == WM_LBUTTONUP) buttonUpAt = Now();
  return CallNextHookEx(nullptr, code, message, info);
}

DWORD WINAPI RunXdo(void* chain) {
  tessel::e2e::Xdo(static_cast<const std::string*>(chain)->c_str());
  return 0;
}

// Gives the mouse input in `chain` through the X server, as a hand would, and times
// from the button going up until `done` holds; -1 when it does not within two seconds.
template <typename Done>
double TimedRelease(const std::string& chain, Done done) {
  buttonUpAt = 0;
  HANDLE thread = CreateThread(nullptr, 0, RunXdo, const_cast<std::string*>(&chain), 0, nullptr);
  double ms = -1;
  const double start = Now();
  while (Now() - start < 10000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (buttonUpAt > 0 && done()) {
      ms = Now() - buttonUpAt;
      break;
    }
    if (buttonUpAt > 0 && Now() - buttonUpAt > kFitTimeoutMs) break;
    // Asked again within a millisecond, not in a busy loop: every question is a round
    // trip through the program being measured. The mouse hook still wakes it at once.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  CloseHandle(thread);
  return ms;
}

// The frame a managed window is in, as the program answers another process's request.
class FrameRequests {
 public:
  FrameRequests() {
    const std::wstring name = L"TSSM" + std::to_wstring(number_);
    block_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 20, name.c_str());
    reply_ = block_ ? static_cast<std::int32_t*>(MapViewOfFile(block_, FILE_MAP_ALL_ACCESS, 0, 0, 20)) : nullptr;
  }
  ~FrameRequests() {
    if (reply_) UnmapViewOfFile(reply_);
    if (block_) CloseHandle(block_);
  }
  bool FrameOf(HWND window, RECT* frame) {
    if (!reply_) return false;
    reply_[0] = 0;
    std::int32_t request[3] = {static_cast<std::int32_t>(reinterpret_cast<UINT_PTR>(window)), 36, number_};
    COPYDATASTRUCT data{0, sizeof request, request};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(TesselProcess::MainWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, 5000, &result) || result != 1 || reply_[0] != 1)
      return false;
    *frame = {reply_[1], reply_[2], reply_[3], reply_[4]};
    return true;
  }

 private:
  std::int32_t number_ = static_cast<std::int32_t>(GetCurrentProcessId());
  HANDLE block_ = nullptr;
  std::int32_t* reply_ = nullptr;
};

std::string DragChain(POINT from, POINT to) {
  char text[96];
  std::snprintf(text, sizeof text, "mousemove %ld %ld sleep 0.05 mousedown 1 sleep 0.25", from.x, from.y);
  std::string chain = text;
  for (int i = 1; i <= 10; ++i) {
    std::snprintf(text, sizeof text, " mousemove %ld %ld sleep 0.03", from.x + (to.x - from.x) * i / 10,
                  from.y + (to.y - from.y) * i / 10);
    chain += text;
  }
  return chain + " sleep 0.15 mouseup 1";
}

struct Latencies {
  std::vector<double> ms;
  int missed = 0;
  void Add(double v) {
    if (v < 0)
      ++missed;
    else
      ms.push_back(v);
  }
  double Percentile(int p) const {
    std::vector<double> s = ms;
    std::sort(s.begin(), s.end());
    return s.empty() ? -1 : s[std::min(s.size() - 1, (s.size() * p + 99) / 100 - 1)];
  }
};

RECT VerticalBar(const RECT& work) {
  for (const RECT& b : BarRects())
    if (b.bottom - b.top == work.bottom - work.top) return b;
  return {};
}

// A point of the bar no window lies over, from the bottom up: with hundreds of windows
// lying across it, a press anywhere else would take one of them.
POINT UncoveredPoint(const RECT& bar) {
  for (LONG y = bar.bottom - 20; y > bar.top; y -= 5) {
    wchar_t name[32] = {};
    GetClassNameW(WindowFromPoint({bar.left + 2, y}), name, 32);
    if (!std::wcscmp(name, L"TesselSplitterClass")) return {bar.left + 2, y};
  }
  return {bar.left + 2, bar.bottom - 60};
}

// With the program managing as many windows as it does now, the vertical bar dragged
// 40 pixels back and forth, timed from the release until the program answers with the
// left frame's new edge (it re-lays the line out before it answers anything); and a
// window dragged by its title bar into the frame across the bar and back, timed until
// the program answers with its new frame.
void DragAndDrop(HelperApp& helper, Latencies* drags, Latencies* drops) {
  HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, OnMouse, GetModuleHandleW(nullptr), 0);
  FrameRequests requests;
  const RECT work = WorkArea();
  const RECT bar = VerticalBar(work);
  HWND left = helper.Open(WindowKind::kPlain, {work.left + 20, 300, work.left + 220, 420});
  HWND dropped = helper.Open(WindowKind::kPlain, {work.left + 20, 500, work.left + 220, 620});
  Sleep(1500);  // past the settle timer
  RECT frame;
  for (int i = 0; i < kDrags && left && dropped; ++i) {
    const int line = bar.left + (i % 2 ? 0 : 40);  // where the bar is dragged to
    const POINT from = UncoveredPoint(VerticalBar(work));
    drags->Add(TimedRelease(DragChain(from, {line + 2, from.y}), [&] {
      return requests.FrameOf(left, &frame) && frame.right == line;
    }));
    // In front, so that no window lies over the title bar it is taken by.
    tessel::e2e::Foreground(dropped);
    RECT r;
    GetWindowRect(dropped, &r);
    const bool across = i % 2 == 0;  // into the right frame, then back
    const POINT title{r.left + 60, r.top + 8};
    const POINT to{across ? line + 200 : work.left + 80, title.y};
    const double ms = TimedRelease(DragChain(title, to), [&] {
      return requests.FrameOf(dropped, &frame) && (across ? frame.left > line : frame.right <= line);
    });
    drops->Add(ms);
  }
  if (mouse) UnhookWindowsHookEx(mouse);
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

// With the argument "show-to-fit" or "drag-and-drop", only those figures, with few
// windows managed; else every figure.
int main(int argc, char** argv) {
  const bool fitOnly = argc > 1 && !std::strcmp(argv[1], "show-to-fit");
  RegDeleteTreeW(HKEY_CURRENT_USER, tessel::e2e::kSettingsKey);
  HelperApp helper(L"program-bench");
  unsigned showSeed = 3;
  const double showAlone = helper.running() ? MedianShowMs(helper, &showSeed) : -1;
  TesselProcess tessel(L"", BesideExecutable(L"..\\src\\tessel.exe"));
  if (!helper.running() || !tessel.started()) {
    std::fprintf(stderr, "window_app.exe or tessel.exe did not start\n");
    return 1;
  }
  int status = 1;
  if (!tessel.WaitForMainWindow() || !SplitAndWait(tessel::IDM_SPLIT_V, 1) || !SplitAndWait(tessel::IDM_SPLIT_H, 2)) {
    std::fprintf(stderr, "tessel.exe did not start or split the screen\n");
    return 1;
  }
  const double showWith = MedianShowMs(helper, &showSeed);
  std::printf("An application's ShowWindow, median: %.1f ms without tessel.exe, %.1f ms with it (%s)\n", showAlone,
              showWith, Pairing());
  Row("An application's ShowWindow, median, without / with the program running", "%.1f / %.1f ms (%s)", showAlone,
      showWith, Pairing());
  if (fitOnly) {
    status = ShowToFitOnly(helper);
  } else if (argc > 1 && !std::strcmp(argv[1], "drag-and-drop")) {
    Latencies drags, drops;
    DragAndDrop(helper, &drags, &drops);
    std::printf("Bar drag p50 %.1f p99 %.1f (%d missed); drop p50 %.1f p99 %.1f (%d missed)\n",
                drags.Percentile(50), drags.Percentile(99), drags.missed, drops.Percentile(50),
                drops.Percentile(99), drops.missed);
    status = drags.missed || drops.missed;
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
    const int manyManaged = kIdleWindows + kBaselineWindows + kManagedWindows;
    const int shownSoFar = manyManaged + kShownWindows;
    for (int i = shownSoFar; i < kThousand; ++i) helper.Open(WindowKind::kPlain, InsideAFrame(bars, &seed));
    Sleep(1500);
    const ShowToFit thousand = ShowAcrossBars(helper, kShownWindows, &seed);
    Latencies drags, drops;
    DragAndDrop(helper, &drags, &drops);

    std::printf("Show to fit: a window shown across a frame edge until it is clipped or moved\n");
    Print(kIdleWindows, few);
    std::printf("  (%d more windows opened into frames in %.0f ms)\n", kManagedWindows, openMs);
    Print(manyManaged, many);
    Print(kThousand, thousand);
    std::printf("  p99 with %d / with %d: %.2f\n", kThousand, kIdleWindows,
                thousand.Percentile(99) / few.Percentile(99));
    std::printf("With %d and more managed: bar drag to re-laid line, p50 %.1f ms, p99 %.1f ms (%d missed); window "
                "drop to new frame, p50 %.1f ms, p99 %.1f ms (%d missed)\n",
                kThousand + kShownWindows, drags.Percentile(50), drags.Percentile(99), drags.missed,
                drops.Percentile(50), drops.Percentile(99), drops.missed);
    std::printf("Soak: %d window events in %.0f s; regions, GDI objects, windows, kernel handles of tessel.exe\n",
                kSoakEvents, soakS);
    std::printf("  after %5d events: %ld, %ld, %ld, %ld\n", kSoakWarmUpEvents, warm.regions, warm.gdiObjects,
                warm.windows, warm.kernelHandles);
    std::printf("  after %5d more:   %ld, %ld, %ld, %ld\n", kSoakEvents, soaked.regions, soaked.gdiObjects,
                soaked.windows, soaked.kernelHandles);
    Row("Show to fit, p50 / p99", "%.1f / %.1f ms with %d windows managed; %.1f / %.1f ms with %d; "
        "%.1f / %.1f ms with %d (%s)",
        few.Percentile(50), few.Percentile(99), kIdleWindows, many.Percentile(50), many.Percentile(99),
        manyManaged, thousand.Percentile(50), thousand.Percentile(99), kThousand, Pairing());
    Row("Show to fit, p99 with 1,000 managed / with 4", "%.2f", thousand.Percentile(99) / few.Percentile(99));
    Row("Bar drag, release to re-laid line, p50 / p99, 1,200 managed", "%.1f / %.1f ms", drags.Percentile(50),
        drags.Percentile(99));
    Row("Window drop, release to new frame, p50 / p99, 1,200 managed", "%.1f / %.1f ms", drops.Percentile(50),
        drops.Percentile(99));
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
