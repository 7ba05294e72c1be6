#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace tessel {

// An in-memory desktop for unit tests. Windows are made by the test; every call the
// code under test makes is recorded, so a test can assert what was (not) done.
class FakeWindowSystem final : public WindowSystem {
 public:
  // Stands in for a window procedure; runs before the default handling of a message.
  using Procedure = std::function<std::intptr_t(WindowId, std::uint32_t, std::uintptr_t, std::intptr_t)>;

  struct Call {
    std::string name;
    WindowId window;
    std::uint32_t message;  // SendMessageW only
    std::intptr_t value;    // SetWindowLongW: index; SendMessageW: 0
  };

  static constexpr int kUserDataIndex = -21;

  // A window whose class has `extraBytes` bytes of window-extra slots.
  WindowId AddWindow(int extraBytes = 0, Procedure procedure = {});
  void DestroyWindow(WindowId window);

  std::intptr_t ExtraSlot(WindowId window, int index) const;
  // How many times a message was delivered to the window's procedure.
  int MessagesTo(WindowId window, std::uint32_t message) const;
  const std::vector<Call>& calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

  bool IsWindow(WindowId window) override;
  std::intptr_t SetWindowLongW(WindowId window, int index, std::intptr_t value) override;
  std::intptr_t SendMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;

 private:
  struct Window {
    bool alive = true;
    int extraBytes = 0;
    std::map<int, std::intptr_t> slots;
    Procedure procedure;
    std::map<std::uint32_t, int> received;
  };

  Window* Find(WindowId window);
  const Window* Find(WindowId window) const;

  std::map<WindowId, Window> windows_;
  std::uintptr_t nextId_ = 0x1000;
  std::vector<Call> calls_;
};

}  // namespace tessel
