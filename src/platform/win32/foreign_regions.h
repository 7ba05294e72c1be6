#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <vector>

namespace tessel {

// Sets regions on windows of other threads from a thread of its own. SetWindowRgn waits
// until the window's thread has taken the change in, and that thread may be busy or hung:
// the program must never wait on another program.
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
  };
  // Shared with the thread, which frees it when it ends.
  struct Shared {
    CRITICAL_SECTION lock;
    HANDLE wake;  // set when a job is queued or the thread must stop
    HANDLE idle;  // set while nothing is queued or being set
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
  // Takes the window's first job out of the queue and sets its region.
  static void SetFirstRegion(Shared* shared, HWND window);
  bool Start();

  Shared* shared_ = nullptr;
  HANDLE thread_ = nullptr;
};

}  // namespace tessel
