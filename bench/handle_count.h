#pragma once

#include <windows.h>

namespace tessel::e2e {

// What one process holds; -1 where it could not be counted.
struct HandleCounts {
  long regions = -1;        // GDI regions (counted under Wine only)
  long gdiObjects = -1;     // all GDI objects
  long windows = -1;        // top-level and child windows of the process
  long kernelHandles = -1;  // handles in its kernel handle table
};

// Counts the handles of the process `processId`. The GDI counts come from
// handle_probe.dll (beside the running executable), hooked into `threadId` of that
// process for the moment of the count: that thread must be taking messages.
HandleCounts CountHandles(DWORD processId, DWORD threadId);

}  // namespace tessel::e2e
