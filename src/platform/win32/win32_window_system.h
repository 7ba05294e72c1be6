#pragma once

#include "platform/window_system.h"

namespace tessel {

// The window system of the running desktop: each method is the Win32 call it names.
class Win32WindowSystem final : public WindowSystem {
 public:
  bool IsWindow(WindowId window) override;
  std::intptr_t SetWindowLongW(WindowId window, int index, std::intptr_t value) override;
  std::intptr_t SendMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
};

}  // namespace tessel
