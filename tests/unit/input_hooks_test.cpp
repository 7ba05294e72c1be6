#include "shell/input_hooks.h"

#include <gtest/gtest.h>

#include "shell/commands.h"

namespace tessel {
namespace {

constexpr std::uint32_t kX = 0x58;
constexpr std::uint32_t kLeftCtrl = 0xA2, kRightCtrl = 0xA3, kShift = 0x10, kLeftWin = 0x5B;

TEST(InputHooks, HotkeysMatchTheKeyWithExactlyTheModifiersHeld) {
  // Split vertically on Ctrl+X (with the extended-key flag), move left on Ctrl+X too.
  Settings settings;
  HotkeyEntry(&hotkeys)[kHotkeyCount] = settings.hotkeyTable;
  hotkeys[1].hotkey = kModCtrl | 0x800 | kX;
  hotkeys[3].hotkey = kModCtrl | kX;
  std::uint32_t mods = 0;
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), 0) << "no modifiers held; an unset hotkey never matches";
  EXPECT_EQ(OnKey(&mods, hotkeys, kRightCtrl, false), 0);
  EXPECT_EQ(mods, kModCtrl);
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), IDM_SPLIT_V) << "the earlier of two equal entries";
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), IDM_SPLIT_V) << "auto-repeat fires again";
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, true), 0) << "releases never fire";
  EXPECT_EQ(OnKey(&mods, hotkeys, kLeftWin, false), 0);
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), IDM_SPLIT_V) << "the Windows key is not tracked";
  OnKey(&mods, hotkeys, kShift, false);
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), 0) << "Ctrl+Shift+X is not Ctrl+X";
  OnKey(&mods, hotkeys, kShift, true);
  OnKey(&mods, hotkeys, kLeftCtrl, true);
  EXPECT_EQ(mods, 0u) << "either Ctrl key releases the shared bit";
}

TEST(InputHooks, MagicClickIsALeftClickWithAnyOfTheMagicModifiers) {
  std::intptr_t parameter = 0;
  EXPECT_TRUE(OnMagicClick(kModCtrl, kModCtrl, true, 640, 300, &parameter));
  EXPECT_EQ(static_cast<std::uint32_t>(parameter), (300u << 16) | 640u);
  EXPECT_FALSE(OnMagicClick(kModCtrl, kModCtrl, false, 640, 300, &parameter)) << "not the left button";
  EXPECT_FALSE(OnMagicClick(kModAlt, kModCtrl, true, 640, 300, &parameter)) << "another modifier";
  EXPECT_TRUE(OnMagicClick(kModAlt, kModCtrl | kModAlt, true, 1, 2, &parameter));
}

}  // namespace
}  // namespace tessel
