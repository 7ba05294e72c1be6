// The handle counts the soak tests and the program benchmark rely on, checked against
// what another process is known to create and destroy.
#include <gtest/gtest.h>

#include "harness/handle_count.h"
#include "harness/helper_app.h"

namespace tessel::e2e {
namespace {

// Opens and destroys three windows in the helper.
void OpenAndClose(HelperApp& helper, long* windowsWhileOpen, DWORD thread) {
  HWND more[3];
  for (HWND& w : more) w = helper.Open(testapp::WindowKind::kPlain, {120, 120, 320, 320});
  *windowsWhileOpen = CountHandles(helper.processId(), thread).windows;
  for (HWND w : more) helper.Destroy(w);
}

TEST(HandleCount, FollowsWindowsOfAnotherProcessAndComesBack) {
  HelperApp helper(L"handle-count");
  ASSERT_TRUE(helper.running());
  HWND first = helper.Open(testapp::WindowKind::kPlain, {100, 100, 300, 300});
  ASSERT_NE(first, nullptr);
  const DWORD thread = GetWindowThreadProcessId(first, nullptr);
  // Wine keeps some regions and device contexts of a process's first windows cached:
  // counts are compared from the second round on.
  long windowsWhileOpen = 0;
  OpenAndClose(helper, &windowsWhileOpen, thread);

  const HandleCounts before = CountHandles(helper.processId(), thread);
  EXPECT_GE(before.regions, 0) << "the probe did not answer from the helper's thread";
  EXPECT_GT(before.gdiObjects, 0);
  EXPECT_GT(before.kernelHandles, 0);

  OpenAndClose(helper, &windowsWhileOpen, thread);
  EXPECT_EQ(windowsWhileOpen, before.windows + 3);
  EXPECT_EQ(CountHandles(helper.processId(), thread), before);
}

}  // namespace
}  // namespace tessel::e2e
