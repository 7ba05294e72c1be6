#include "platform/win32/foreign_regions.h"

#include <new>

namespace tessel {

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
  shared_->jobs.push_back({window, region, redraw});
  ResetEvent(shared_->idle);
  SetEvent(shared_->wake);
  LeaveCriticalSection(&shared_->lock);
  return true;
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

DWORD WINAPI ForeignRegions::Run(LPVOID param) {
  auto* shared = static_cast<Shared*>(param);
  for (;;) {
    WaitForSingleObject(shared->wake, INFINITE);
    for (;;) {
      EnterCriticalSection(&shared->lock);
      if (shared->jobs.empty()) {
        SetEvent(shared->idle);
        const bool stop = shared->stop;
        LeaveCriticalSection(&shared->lock);
        if (!stop) break;
        CloseHandle(shared->wake);
        CloseHandle(shared->idle);
        DeleteCriticalSection(&shared->lock);
        delete shared;
        return 0;
      }
      const Job job = shared->jobs.front();
      shared->jobs.pop_front();
      LeaveCriticalSection(&shared->lock);
      if (!SetWindowRgn(job.window, job.region, job.redraw) && job.region) DeleteObject(job.region);
      EnterCriticalSection(&shared->lock);
      const auto it = shared->pending.find(job.window);
      if (it != shared->pending.end() && --it->second.count == 0) {
        if (it->second.copy) DeleteObject(it->second.copy);
        shared->pending.erase(it);
      }
      LeaveCriticalSection(&shared->lock);
    }
  }
}

}  // namespace tessel
