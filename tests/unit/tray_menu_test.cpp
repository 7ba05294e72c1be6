#include "shell/tray_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/commands.h"

namespace tessel {
namespace {

TEST(TrayMenu, RemovingAndSavingNeedFramesAndTheNewVersionEntryComesAndGoes) {
  const std::vector<TrayMenuItem> bare = TrayMenuItems(false, false);
  const std::vector<TrayMenuItem> full = TrayMenuItems(true, true);
  ASSERT_EQ(bare.size() + 1, full.size());
  for (int i : {2, 5}) EXPECT_TRUE(bare[i].grayed && !full[i].grayed) << bare[i].command;
  EXPECT_FALSE(bare[4].grayed) << "loading needs no frames";
  EXPECT_EQ(full[8].command, IDM_NEW_VERSION);
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
