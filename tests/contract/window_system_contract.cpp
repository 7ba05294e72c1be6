#include "contract/window_system_contract.h"

#include <gtest/gtest.h>

namespace tessel {

void CheckExtraSlots(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId popup = desktop.CreatePopup(4);
  ASSERT_NE(popup, kNoWindow);
  EXPECT_EQ(ws.SetWindowLongW(popup, 0, 0x6E577374), 0) << "a new slot holds zero";
  EXPECT_EQ(ws.SetWindowLongW(popup, 0, 0), 0x6E577374) << "the previous value comes back";
  EXPECT_EQ(ws.SetWindowLongW(popup, 4, 1), 0) << "a slot past the extra bytes is refused";
  EXPECT_EQ(ws.SetWindowLongW(popup, 4, 2), 0) << "and nothing was stored there";
  ws.SendMessageW(popup, kWmClose, 0, 0);
  EXPECT_EQ(ws.SetWindowLongW(popup, 0, 5), 0) << "a destroyed window has no slots";
}

void CheckPaintReachesProcedure(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId popup = desktop.CreatePopup(4);
  ASSERT_NE(popup, kNoWindow);
  const int before = desktop.MessagesSeen(popup, kWmPaint);
  ws.SendMessageW(popup, kWmPaint, 0, 0);
  ws.SendMessageW(popup, kWmPaint, 0, 0);
  EXPECT_EQ(desktop.MessagesSeen(popup, kWmPaint), before + 2);
  EXPECT_TRUE(ws.IsWindow(popup)) << "painting leaves the window alone";
  ws.SendMessageW(popup, kWmClose, 0, 0);
}

void CheckCloseDestroysWindow(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId popup = desktop.CreatePopup(4);
  ASSERT_NE(popup, kNoWindow);
  EXPECT_TRUE(ws.IsWindow(popup));
  EXPECT_EQ(ws.SendMessageW(popup, kWmClose, 0, 0), 0);
  EXPECT_EQ(desktop.MessagesSeen(popup, kWmClose), 1);
  EXPECT_FALSE(ws.IsWindow(popup));
  const int paints = desktop.MessagesSeen(popup, kWmPaint);
  EXPECT_EQ(ws.SendMessageW(popup, kWmPaint, 0, 0), 0);
  EXPECT_EQ(desktop.MessagesSeen(popup, kWmPaint), paints) << "nothing reaches a destroyed window";
  EXPECT_FALSE(ws.IsWindow(kNoWindow));
}

}  // namespace tessel
