#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "harness/helper_app.h"
#include "harness/program_state.h"

namespace tessel::e2e {

// A suite that runs the real program against windows of one helper application,
// started for the suite. Each test starts from no settings but the start-up balloon
// off, and the windows it opened are destroyed after it.
class ProgramFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { helper = new HelperApp(L"program-test"); }
  static void TearDownTestSuite() {
    delete helper;
    helper = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(helper->running());
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    WriteSetting(L"ShowBalloon", 0);  // no balloon over the screen the scenarios look at
  }
  void TearDown() override {
    for (HWND w : opened) helper->Destroy(w);
  }

  HWND Open(testapp::WindowKind kind, const RECT& rect) {
    HWND w = helper->Open(kind, rect);
    if (w) opened.push_back(w);
    return w;
  }

  // Opens a plain window across the vertical bar and waits until it is fitted (clipped
  // or slid left of the bar): once it is, the program has taken every event before it.
  bool CaughtUp(const RECT& bar) {
    HWND probe = Open(testapp::WindowKind::kPlain, {bar.left - 200, 700, bar.left + 60, 900});
    return WaitFor([&] { return RegionType(probe) == SIMPLEREGION || RectOf(probe).right <= bar.left; });
  }

  static inline HelperApp* helper = nullptr;
  std::vector<HWND> opened;
};

}  // namespace tessel::e2e
