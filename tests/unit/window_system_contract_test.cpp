#include <gtest/gtest.h>

#include "contract/window_system_contract.h"
#include "fakes/fake_window_system.h"

namespace tessel {
namespace {

class FakeDesktop final : public ContractDesktop {
 public:
  WindowSystem& system() override { return fake_; }
  WindowId CreatePopup(int extraBytes) override { return fake_.AddWindow(extraBytes); }
  int MessagesSeen(WindowId window, std::uint32_t message) override {
    return fake_.MessagesTo(window, message);
  }

 private:
  FakeWindowSystem fake_;
};

TESSEL_WINDOW_SYSTEM_CONTRACT(FakeWindowSystemContract, FakeDesktop)

}  // namespace
}  // namespace tessel
