#include "shell/win32/hook_thread.h"

namespace tessel {

using Outcome = hooklib::LibraryHooks::Outcome;

const wchar_t* HookThread::Start(const wchar_t* library) {
  path_ = library;
  outcome_ = Outcome::kNotLoaded;
  ready_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (ready_) thread_.reset(CreateThread(nullptr, 0, Run, this, 0, &threadId_));
  if (thread_) {
    // Until the hooks are in place, or the thread gave up and ended.
    const HANDLE waits[2] = {ready_.get(), thread_.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (outcome_ == Outcome::kInstalled) return nullptr;
  }
  Stop();
  return outcome_ == Outcome::kInvalid ? L"Fatal error: hmg.dll is invalid."
                                       : L"Fatal error: can not load hmg.dll.";
}

void HookThread::Stop() {
  if (thread_) {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), 5000);
    thread_.reset();
  }
  ready_.reset();
}

DWORD WINAPI HookThread::Run(LPVOID self) {
  auto& t = *static_cast<HookThread*>(self);
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue Stop posts to
  t.outcome_ = t.hooks_.Install(t.path_);
  SetEvent(t.ready_.get());
  if (t.outcome_ != Outcome::kInstalled) return 1;
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  for (BOOL got; (got = GetMessageW(&msg, nullptr, 0, 0)) != 0 && got != -1;) DispatchMessageW(&msg);
  t.hooks_.Remove();
  return 0;
}

}  // namespace tessel
