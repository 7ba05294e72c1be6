#pragma once

#include <cstdint>

#include "platform/window_system.h"

namespace tessel {

// A desktop the contract scenarios run on: the fake natively, the real one under Wine.
// The scenarios hold the fake to what the real system does.
class ContractDesktop {
 public:
  virtual ~ContractDesktop() = default;
  virtual WindowSystem& system() = 0;
  // A visible popup of the test's own, whose class has `extraBytes` extra bytes.
  virtual WindowId CreatePopup(int extraBytes) = 0;
  // How many times the popup's procedure received the message.
  virtual int MessagesSeen(WindowId window, std::uint32_t message) = 0;
};

void CheckExtraSlots(ContractDesktop& desktop);
void CheckPaintReachesProcedure(ContractDesktop& desktop);
void CheckCloseDestroysWindow(ContractDesktop& desktop);

}  // namespace tessel

// Instantiates every scenario for one desktop type.
#define TESSEL_WINDOW_SYSTEM_CONTRACT(Suite, DesktopType)            \
  TEST(Suite, ExtraSlots) {                                          \
    DesktopType desktop;                                             \
    ::tessel::CheckExtraSlots(desktop);                              \
  }                                                                  \
  TEST(Suite, PaintReachesProcedure) {                               \
    DesktopType desktop;                                             \
    ::tessel::CheckPaintReachesProcedure(desktop);                   \
  }                                                                  \
  TEST(Suite, CloseDestroysWindow) {                                 \
    DesktopType desktop;                                             \
    ::tessel::CheckCloseDestroysWindow(desktop);                     \
  }
