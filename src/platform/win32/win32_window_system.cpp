#include "platform/win32/win32_window_system.h"

#include "platform/win32/handles_win32.h"

namespace tessel {

static_assert(kWmClose == WM_CLOSE && kWmPaint == WM_PAINT, "message numbers must match the system's");

bool Win32WindowSystem::IsWindow(WindowId window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

std::intptr_t Win32WindowSystem::SetWindowLongW(WindowId window, int index, std::intptr_t value) {
  // Pointer-sized, so a frame pointer kept in a slot survives on any width; in the
  // 32-bit build this is SetWindowLongW itself.
  return ::SetWindowLongPtrW(ToHwnd(window), index, value);
}

std::intptr_t Win32WindowSystem::SendMessageW(WindowId window, std::uint32_t message,
                                              std::uintptr_t wParam, std::intptr_t lParam) {
  return ::SendMessageW(ToHwnd(window), message, wParam, lParam);
}

}  // namespace tessel
