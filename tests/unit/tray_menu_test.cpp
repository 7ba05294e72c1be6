#include "shell/tray_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/commands.h"

namespace tessel {
namespace {

TEST(TrayMenu, RemovingAndSavingNeedFramesAndTheNewVersionEntryComesAndGoes) {
  const std::vector<TrayMenuItem> bare = TrayMenuItems(false, false);
  ASSERT_EQ(bare.size(), 11u);
  EXPECT_EQ(bare[2].command, IDM_REMOVE_FRAME);
  EXPECT_TRUE(bare[2].grayed);
  EXPECT_FALSE(bare[4].grayed) << "loading needs no frames";
  EXPECT_TRUE(bare[5].grayed);
  EXPECT_EQ(bare[3].command, 0) << "a separator";
  EXPECT_EQ(std::wstring(bare[8].text), L" H&elp");
  EXPECT_EQ(bare.back().command, IDM_EXIT);

  const std::vector<TrayMenuItem> full = TrayMenuItems(true, true);
  ASSERT_EQ(full.size(), 12u);
  EXPECT_FALSE(full[2].grayed);
  EXPECT_EQ(full[8].command, IDM_NEW_VERSION);
  EXPECT_EQ(std::wstring(full[8].text), L" &New version available!");
  EXPECT_EQ(full[0].image, MenuImage::kSplitH);
}

TEST(TrayMenu, OpensTowardTheMiddleAndHandsTheForegroundBackAfterPlainCommands) {
  EXPECT_EQ(TrayMenuAlignment({1270, 1010}, 1280, 1024), 0x28u) << "up and to the left";
  EXPECT_EQ(TrayMenuAlignment({10, 10}, 1280, 1024), 0u);
  EXPECT_EQ(TrayMenuAlignment({640, 512}, 1280, 1024), 0u) << "the middle itself";
  EXPECT_TRUE(GiveForegroundBack(IDM_SPLIT_V));
  EXPECT_FALSE(GiveForegroundBack(0)) << "menu dismissed";
  EXPECT_FALSE(GiveForegroundBack(IDM_OPTIONS));
  EXPECT_FALSE(GiveForegroundBack(IDM_LOAD_FRAMES));
}

TEST(TrayMenu, ImagesAndIconFollowTheWindowsVersion) {
  EXPECT_EQ(MenuImageIds(6).front(), 160) << "16-pixel images from Vista on";
  EXPECT_EQ(MenuImageIds(5).front(), 163);
  EXPECT_EQ(MenuImageIds(5).size(), 5u);
  EXPECT_EQ(TrayIconId(5, 0), 156) << "Windows 2000";
  EXPECT_EQ(TrayIconId(5, 1), 155);
  EXPECT_EQ(TrayIconId(6, 0), 155);
}

TEST(TrayMenu, TheAboutPictureNeverOutgrowsTheDisplaysScale) {
  const struct {
    int dpi, id;
  } rows[] = {{96, 153}, {120, 153}, {143, 153}, {144, 169}, {168, 169}, {192, 170}, {288, 170}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.dpi);
    EXPECT_EQ(AboutPictureId(row.dpi), row.id);
  }
}

}  // namespace
}  // namespace tessel
