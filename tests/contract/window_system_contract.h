#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/window_system.h"

namespace tessel {

// Windows of the kinds other applications open, for the scenarios to work on.
enum class TestWindowKind {
  kPlain,            // an overlapped window with a caption and a sizing border
  kOwnedDialog,      // a dialog-framed popup with a caption, owned by `owner`
  kToolWindow,       // a captioned tool window
  kShaped,           // a plain window clipped by an elliptic region of its own
  kMinimised,        // a plain window shown minimised
  kMaximised,        // a plain window shown maximised
  kHidden,           // a plain window never shown
  kHiddenDialog,     // a window of the system's dialog class "#32770", never shown
  kLongClassName,    // a plain window of a class whose name is longer than 30 characters
  kImeClass,         // a plain window of a class registered with CS_IME
  kOwnedOverlapped,  // an overlapped (not popup) window owned by `owner`
  kChild,            // a child window of `owner`
};

// The class style the test windows' classes are registered with (CS_HREDRAW |
// CS_VREDRAW | CS_DBLCLKS), all but the IME class, which has CS_IME alone.
constexpr std::uint32_t kTestClassStyle = 0x000B;

// System metrics the scenarios compare with, beyond those the core uses.
constexpr int kSmCxMinTrack = 34;
constexpr int kSmCyMinTrack = 35;
constexpr int kSmCxMaxTrack = 59;
constexpr int kSmCyMaxTrack = 60;

constexpr std::uint32_t kWsVisibleStyle = 0x10000000;
constexpr std::uint32_t kWsMinimizeStyle = 0x20000000;
constexpr std::uint32_t kWsMaximizeStyle = 0x01000000;

// A desktop the contract scenarios run on: the fake natively, the real one under Wine.
// The scenarios hold the fake to what the real system does.
class ContractDesktop {
 public:
  virtual ~ContractDesktop() = default;

  // Once around all the scenarios of a suite (the real desktop starts its helper here).
  static void SetUpSuite() {}
  static void TearDownSuite() {}

  virtual WindowSystem& system() = 0;
  // A visible popup of the test's own, whose class has `extraBytes` extra bytes.
  virtual WindowId CreatePopup(int extraBytes) = 0;
  // How many times the popup's procedure received the message.
  virtual int MessagesSeen(WindowId window, std::uint32_t message) = 0;

  // A window another application opens, shown without being activated. `rect` is its
  // screen rectangle, the normal position of a minimised or maximised one; a child's
  // is relative to its parent's client area. Owned kinds without an owner get a hidden
  // window of that application as owner. kNoWindow when it could not be opened.
  WindowId Open(TestWindowKind kind, const Rect& rect, WindowId owner = kNoWindow,
                const wchar_t* title = L"") {
    return OpenWindow(kind, rect, owner, title);
  }
  // The same kind of window, opened by the test program itself.
  WindowId OpenOwn(TestWindowKind kind, const Rect& rect) { return OpenOwnWindow(kind, rect); }
  // Destroys a window as the application that opened it would.
  virtual void Destroy(WindowId window) = 0;
  // The work area the desktop is known to have.
  virtual Rect KnownWorkArea() = 0;

 protected:
  virtual WindowId OpenWindow(TestWindowKind kind, const Rect& rect, WindowId owner,
                              const wchar_t* title) = 0;
  virtual WindowId OpenOwnWindow(TestWindowKind kind, const Rect& rect) = 0;
};

void CheckExtraSlots(ContractDesktop& desktop);
void CheckPaintReachesProcedure(ContractDesktop& desktop);
void CheckCloseDestroysWindow(ContractDesktop& desktop);
void CheckMovesAndSizes(ContractDesktop& desktop);
void CheckClipRegions(ContractDesktop& desktop);
void CheckOwnRegionCutByClip(ContractDesktop& desktop);
void CheckMaximisedWindowOverFrame(ContractDesktop& desktop);
void CheckPlacement(ContractDesktop& desktop);
void CheckCaptionAndBorders(ContractDesktop& desktop);
void CheckNamesAndStyles(ContractDesktop& desktop);
void CheckVisibilityAndParents(ContractDesktop& desktop);
void CheckEnumerationOrder(ContractDesktop& desktop);
void CheckDestroyedWindowRefusesEverything(ContractDesktop& desktop);
void CheckWindowProperties(ContractDesktop& desktop);
void CheckDesktopFacts(ContractDesktop& desktop);
void CheckRunTimeLibrary(ContractDesktop& desktop);

// One desktop per scenario, around a suite-wide set-up of the desktop type.
template <typename Desktop>
class WindowSystemContract : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Desktop::SetUpSuite(); }
  static void TearDownTestSuite() { Desktop::TearDownSuite(); }
  Desktop desktop;
};

}  // namespace tessel

#define TESSEL_CONTRACT_SCENARIO(Suite, Name) \
  TEST_F(Suite, Name) { ::tessel::Check##Name(desktop); }

// Instantiates every scenario for one desktop type.
#define TESSEL_WINDOW_SYSTEM_CONTRACT(Suite, DesktopType)           \
  using Suite = ::tessel::WindowSystemContract<DesktopType>;        \
  TESSEL_CONTRACT_SCENARIO(Suite, ExtraSlots)                       \
  TESSEL_CONTRACT_SCENARIO(Suite, PaintReachesProcedure)            \
  TESSEL_CONTRACT_SCENARIO(Suite, CloseDestroysWindow)              \
  TESSEL_CONTRACT_SCENARIO(Suite, MovesAndSizes)                    \
  TESSEL_CONTRACT_SCENARIO(Suite, ClipRegions)                      \
  TESSEL_CONTRACT_SCENARIO(Suite, OwnRegionCutByClip)               \
  TESSEL_CONTRACT_SCENARIO(Suite, MaximisedWindowOverFrame)         \
  TESSEL_CONTRACT_SCENARIO(Suite, Placement)                        \
  TESSEL_CONTRACT_SCENARIO(Suite, CaptionAndBorders)                \
  TESSEL_CONTRACT_SCENARIO(Suite, NamesAndStyles)                   \
  TESSEL_CONTRACT_SCENARIO(Suite, VisibilityAndParents)             \
  TESSEL_CONTRACT_SCENARIO(Suite, EnumerationOrder)                 \
  TESSEL_CONTRACT_SCENARIO(Suite, DestroyedWindowRefusesEverything) \
  TESSEL_CONTRACT_SCENARIO(Suite, WindowProperties)                 \
  TESSEL_CONTRACT_SCENARIO(Suite, DesktopFacts)                     \
  TESSEL_CONTRACT_SCENARIO(Suite, RunTimeLibrary)
