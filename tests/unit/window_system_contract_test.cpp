#include <gtest/gtest.h>

#include <vector>

#include "contract/window_system_contract.h"
#include "fakes/fake_window_system.h"

namespace tessel {
namespace {

constexpr std::uint32_t kCaption = 0x00C00000;  // WS_CAPTION
constexpr std::uint32_t kSysMenu = 0x00080000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kModalFrame = 0x80;          // DS_MODALFRAME
constexpr std::uint32_t kDialogClassStyle = 0x0808;  // CS_SAVEBITS | CS_DBLCLKS
constexpr std::int32_t kSmallCaption = 16;

// Horizontal bands that round off the corners of a w x h window, as an elliptic
// region does: several rectangles, none overlapping, widest in the middle.
std::vector<Rect> RoundedShape(std::int32_t w, std::int32_t h) {
  return {{w / 4, 0, w - w / 4, h / 8},
          {w / 10, h / 8, w - w / 10, h / 4},
          {0, h / 4, w, h - h / 4},
          {w / 10, h - h / 4, w - w / 10, h - h / 8},
          {w / 4, h - h / 8, w - w / 4, h}};
}

// The fake desktop with windows like the helper application's, and the program's
// regions audited when each scenario ends.
class FakeDesktop final : public ContractDesktop {
 public:
  ~FakeDesktop() override {
    EXPECT_EQ(fake_.LiveProgramRegions(), 0) << "every region the program made was deleted or handed over";
    EXPECT_EQ(fake_.misuse(), std::vector<std::string>{});
  }

  WindowSystem& system() override { return fake_; }
  WindowId CreatePopup(int extraBytes) override { return fake_.AddWindow(extraBytes); }
  int MessagesSeen(WindowId window, std::uint32_t message) override {
    return fake_.MessagesTo(window, message);
  }
  void Destroy(WindowId window) override { fake_.DestroyWindow(window); }
  Rect KnownWorkArea() override { return fake_.workArea; }

 protected:
  WindowId OpenWindow(TestWindowKind kind, const Rect& rect, WindowId owner, const wchar_t* title) override {
    FakeWindowSystem::Spec spec = Plain(rect);
    spec.title = title;
    const bool owned = kind == TestWindowKind::kOwnedDialog || kind == TestWindowKind::kOwnedOverlapped ||
                       kind == TestWindowKind::kChild;
    if (owned) spec.owner = owner != kNoWindow ? owner : HiddenOwner();
    switch (kind) {
      case TestWindowKind::kOwnedDialog:
      case TestWindowKind::kHiddenDialog:
        spec.style = FakeWindowSystem::kPopup | kCaption | kSysMenu;
        spec.clientInsets = {3, 3 + fake_.captionHeight, 3, 3};
        spec.borders = 3;
        if (kind == TestWindowKind::kHiddenDialog) {
          spec.className = L"#32770";
          spec.classStyle = kDialogClassStyle;
          spec.style |= kModalFrame;
          spec.visible = false;
        }
        break;
      case TestWindowKind::kToolWindow:
        spec.clientInsets.top = 4 + kSmallCaption;
        break;
      case TestWindowKind::kHidden:
        spec.visible = false;
        break;
      case TestWindowKind::kLongClassName:
        spec.className = L"TesselTestAppWindowWithAClassNameLongerThanThirty";
        break;
      case TestWindowKind::kImeClass:
        spec.className = L"TesselTestAppImeWindow";
        spec.classStyle = kCsIme;
        break;
      case TestWindowKind::kChild: {
        spec.style = kWsChild | kBorder;
        spec.clientInsets = {1, 1, 1, 1};
        spec.borders = 1;
        WindowInfo parent;
        if (fake_.GetWindowInfo(spec.owner, &parent))
          spec.rect = rect.Offset(parent.rcClient.left, parent.rcClient.top);
        break;
      }
      default:
        break;
    }
    const WindowId window = fake_.AddWindow(spec);
    if (kind == TestWindowKind::kShaped)
      fake_.SetOwnRegion(window, RoundedShape(rect.Width(), rect.Height()));
    if (kind == TestWindowKind::kMinimised) fake_.Minimise(window);
    if (kind == TestWindowKind::kMaximised) fake_.Maximise(window);
    return window;
  }

  WindowId OpenOwnWindow(TestWindowKind kind, const Rect& rect) override {
    return OpenWindow(kind, rect, kNoWindow, L"");
  }

 private:
  FakeWindowSystem::Spec Plain(const Rect& rect) const {
    FakeWindowSystem::Spec spec;
    spec.rect = rect;
    spec.className = L"TesselTestAppWindow";
    spec.classStyle = kTestClassStyle;
    spec.clientInsets = {4, 4 + fake_.captionHeight, 4, 4};
    spec.borders = 4;
    return spec;
  }

  // The application's own hidden window, owner of the windows opened without one.
  WindowId HiddenOwner() {
    if (hiddenOwner_ == kNoWindow) {
      FakeWindowSystem::Spec spec;
      spec.className = L"TesselTestAppControl";
      spec.style = FakeWindowSystem::kPopup;
      spec.clientInsets = {};
      spec.borders = 0;
      spec.visible = false;
      hiddenOwner_ = fake_.AddWindow(spec);
    }
    return hiddenOwner_;
  }

  FakeWindowSystem fake_;
  WindowId hiddenOwner_{};
};

TESSEL_WINDOW_SYSTEM_CONTRACT(FakeWindowSystemContract, FakeDesktop)

}  // namespace
}  // namespace tessel
