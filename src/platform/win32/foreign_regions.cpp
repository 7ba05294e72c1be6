#include "platform/win32/foreign_regions.h"

#include <algorithm>
#include <new>
#include <vector>

namespace tessel {
namespace {

void ApplyMark(HWND window, const wchar_t* name, bool on) {
  if (on) {
    SetPropW(window, name, reinterpret_cast<HANDLE>(1));
  } else {
    RemovePropW(window, name);
  }
}

}  // namespace

bool ForeignRegions::Start() {
  if (thread_) return true;
  auto* shared = new (std::nothrow) Shared;
  if (!shared) return false;
  InitializeCriticalSection(&shared->lock);
  shared->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  shared->idle = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  HANDLE thread = shared->wake && shared->idle ? CreateThread(nullptr, 0, Run, shared, 0, nullptr) : nullptr;
  if (!thread) {
    if (shared->wake) CloseHandle(shared->wake);
    if (shared->idle) CloseHandle(shared->idle);
    DeleteCriticalSection(&shared->lock);
    delete shared;
    return false;
  }
  shared_ = shared;
  thread_ = thread;
  return true;
}

bool ForeignRegions::Set(HWND window, HRGN region, BOOL redraw) {
  if (!Start()) return SetWindowRgn(window, region, redraw) != 0;  // no thread: do it here
  HRGN copy = nullptr;
  if (region && (copy = CreateRectRgn(0, 0, 0, 0)) && CombineRgn(copy, region, nullptr, RGN_COPY) == ERROR) {
    DeleteObject(copy);
    copy = nullptr;
  }
  EnterCriticalSection(&shared_->lock);
  Shared::Last& last = shared_->pending[window];
  ++last.count;
  if (last.copy) DeleteObject(last.copy);
  last.copy = copy;
  Queue({window, region, redraw, nullptr, false});
  LeaveCriticalSection(&shared_->lock);
  return true;
}

void ForeignRegions::Mark(HWND window, const wchar_t* name, bool on) {
  if (!Start()) return ApplyMark(window, name, on);  // no thread: do it here
  EnterCriticalSection(&shared_->lock);
  Queue({window, nullptr, FALSE, name, on});
  LeaveCriticalSection(&shared_->lock);
}

// Called with the lock held.
void ForeignRegions::Queue(const Job& job) {
  shared_->jobs.push_back(job);
  if (shared_->idleSet) ResetEvent(shared_->idle);
  shared_->idleSet = false;
  if (shared_->waiting) SetEvent(shared_->wake);
  shared_->waiting = false;
}

bool ForeignRegions::Pending(HWND window, HRGN region, int* type) {
  if (!shared_) return false;
  EnterCriticalSection(&shared_->lock);
  const auto it = shared_->pending.find(window);
  const bool found = it != shared_->pending.end();
  if (found) *type = it->second.copy ? CombineRgn(region, it->second.copy, nullptr, RGN_COPY) : ERROR;
  LeaveCriticalSection(&shared_->lock);
  return found;
}

bool ForeignRegions::Flush(DWORD timeoutMs) {
  return !shared_ || WaitForSingleObject(shared_->idle, timeoutMs) == WAIT_OBJECT_0;
}

ForeignRegions::~ForeignRegions() {
  if (!thread_) return;
  Flush(2000);
  // The thread owns the shared state from here on: it is told to stop while the lock is
  // held, so it cannot free the state before the signal is given.
  EnterCriticalSection(&shared_->lock);
  shared_->stop = true;
  SetEvent(shared_->wake);
  LeaveCriticalSection(&shared_->lock);
  WaitForSingleObject(thread_, 100);
  CloseHandle(thread_);
}

namespace {

// How long a window's thread is given to show it takes messages before its regions are
// passed over, and how soon a window passed over is tried again.
constexpr DWORD kAnswerMs = 100;
constexpr DWORD kRetryMs = 250;

// Whether SetWindowRgn on the window would come back soon: its thread takes messages, or
// the window is gone (the call then fails at once).
bool WillAnswer(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result) || !IsWindow(window);
}

}  // namespace

HWND ForeignRegions::NextWindow(Shared* shared, const std::vector<HWND>& passedOver) {
  for (const Job& job : shared->jobs)
    if (std::find(passedOver.begin(), passedOver.end(), job.window) == passedOver.end()) return job.window;
  return nullptr;
}

void ForeignRegions::RunFirstJob(Shared* shared, HWND window) {
  // Only this thread takes jobs out: the window's first job is still there.
  EnterCriticalSection(&shared->lock);
  const auto it = std::find_if(shared->jobs.begin(), shared->jobs.end(),
                               [window](const Job& j) { return j.window == window; });
  const Job job = *it;
  shared->jobs.erase(it);
  LeaveCriticalSection(&shared->lock);
  if (job.mark) return ApplyMark(job.window, job.mark, job.on);
  if (!SetWindowRgn(job.window, job.region, job.redraw) && job.region) DeleteObject(job.region);
  EnterCriticalSection(&shared->lock);
  const auto last = shared->pending.find(job.window);
  if (last != shared->pending.end() && --last->second.count == 0) {
    if (last->second.copy) DeleteObject(last->second.copy);
    shared->pending.erase(last);
  }
  LeaveCriticalSection(&shared->lock);
}

// One busy or hung application must not hold up every other window's region: a window
// whose thread does not answer is passed over, its jobs kept in order, and tried again
// once the other windows are done.
DWORD WINAPI ForeignRegions::Run(LPVOID param) {
  auto* shared = static_cast<Shared*>(param);
  std::vector<HWND> passedOver;
  DWORD passedAt = 0;
  for (;;) {
    if (!passedOver.empty() && GetTickCount() - passedAt >= kRetryMs) passedOver.clear();
    EnterCriticalSection(&shared->lock);
    shared->waiting = false;
    const HWND window = NextWindow(shared, passedOver);
    if (!window) {
      const bool empty = shared->jobs.empty(), stop = shared->stop;
      if (empty && !shared->idleSet) SetEvent(shared->idle);
      shared->idleSet = shared->idleSet || empty;
      shared->waiting = true;
      LeaveCriticalSection(&shared->lock);
      if (empty && stop) break;
      WaitForSingleObject(shared->wake, empty ? INFINITE : kRetryMs);
      continue;
    }
    LeaveCriticalSection(&shared->lock);
    if (WillAnswer(window)) {
      RunFirstJob(shared, window);
    } else {
      if (passedOver.empty()) passedAt = GetTickCount();
      passedOver.push_back(window);
    }
  }
  CloseHandle(shared->wake);
  CloseHandle(shared->idle);
  DeleteCriticalSection(&shared->lock);
  delete shared;
  return 0;
}

}  // namespace tessel
