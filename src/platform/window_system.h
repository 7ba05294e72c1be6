#pragma once

#include <cstdint>

#include "platform/handles.h"

namespace tessel {

// Message numbers the core sends, with the system's values (checked against
// <windows.h> in the Windows build).
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmPaint = 0x000F;

// The window system as the core sees it. Methods carry the names and meaning of
// the Win32 calls they stand for; the Windows build maps each to that call.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual bool IsWindow(WindowId window) = 0;
  // Writes a window-extra slot (a byte offset into the class's extra bytes) and
  // returns the previous value; 0 when the index lies outside the extra bytes.
  virtual std::intptr_t SetWindowLongW(WindowId window, int index, std::intptr_t value) = 0;
  virtual std::intptr_t SendMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
};

}  // namespace tessel
