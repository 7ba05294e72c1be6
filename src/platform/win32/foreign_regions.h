#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <vector>

namespace tessel {

// Sets regions (and the marks that go with them) on other programs' windows from a thread
// of its own. SetWindowRgn waits until the window's thread has taken the change in, and
// that thread may be busy or hung: the program must never wait on another program. Even
// a mark costs a round trip to the system's server, which adds up along a moved line
// with hundreds of windows on it.
class ForeignRegions {
 public:
  ForeignRegions() = default;
  // Gives queued regions up to two seconds to be set; regions still waiting for a hung
  // window then end with the process.
  ~ForeignRegions();
  ForeignRegions(const ForeignRegions&) = delete;
  ForeignRegions& operator=(const ForeignRegions&) = delete;

  // Queues the region (or none) for the window; the queue owns `region` from here on and
  // deletes it if the window refuses it. A window's regions are set in the order they
  // were queued; a window whose thread does not answer holds up none of the others.
  bool Set(HWND window, HRGN region, BOOL redraw);
  // Queues setting (to 1) or removing the property `name`, which must outlive the queue,
  // in order with the window's regions.
  void Mark(HWND window, const wchar_t* name, bool on);

  // Waits until every region queued so far is set; false after `timeoutMs`.
  bool Flush(DWORD timeoutMs);

  // The region last queued for a window and not set yet, copied into `region`, as
  // GetWindowRgn answers (ERROR for none); false when nothing is queued for it. What is
  // on its way is what the window will have: reading it back gives a consistent view.
  bool Pending(HWND window, HRGN region, int* type);

 private:
  struct Job {
    HWND window;
    HRGN region;
    BOOL redraw;
    const wchar_t* mark;  // a mark's job when not null
    bool on;
  };
  // Shared with the thread, which frees it when it ends.
  struct Shared {
    CRITICAL_SECTION lock;
    HANDLE wake;  // set when a job is queued or the thread must stop
    HANDLE idle;  // set while nothing is queued or being set
    // Whether the thread waits for `wake`, and whether `idle` is set: each event call is a
    // round trip to the system's server, so they are made only when these change.
    bool waiting = false;
    bool idleSet = true;
    std::deque<Job> jobs;
    // Per window with jobs queued: how many, and a copy of the last region (null: none).
    struct Last {
      int count = 0;
      HRGN copy = nullptr;
    };
    std::map<HWND, Last> pending;
    bool stop = false;
  };
  static DWORD WINAPI Run(LPVOID param);
  // The window of the first job not passed over, or null; called with the lock held.
  static HWND NextWindow(Shared* shared, const std::vector<HWND>& passedOver);
  // Takes the window's first job out of the queue and carries it out.
  static void RunFirstJob(Shared* shared, HWND window);
  void Queue(const Job& job);
  bool Start();

  Shared* shared_ = nullptr;
  HANDLE thread_ = nullptr;
};

}  // namespace tessel
