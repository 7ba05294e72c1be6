#include "desktop/composition.h"

#include "unit/workspace_test.h"

namespace tessel {
namespace {

using CompositionTest = WorkspaceTest;

TEST_F(CompositionTest, BeforeVersionSixNothingIsLoaded) {
  desktop.version = {5, 1};
  EXPECT_TRUE(SetComposition(ws, false));
  EXPECT_TRUE(SetComposition(ws, true));
  EXPECT_EQ(desktop.composition.loads, 0);
  EXPECT_EQ(ws.osVersion.minor, 1u) << "the version is read again on every switch";
}

TEST_F(CompositionTest, SwitchesOffAndBackOnThroughTheLibrary) {
  desktop.version = {6, 1};
  EXPECT_TRUE(SetComposition(ws, false));
  EXPECT_FALSE(desktop.composition.enabled);
  EXPECT_TRUE(SetComposition(ws, true));
  EXPECT_TRUE(desktop.composition.enabled);
  EXPECT_EQ(desktop.composition.enableCalls, (std::vector<std::uint32_t>{0, 1}));
  EXPECT_EQ(desktop.composition.loads, 1) << "loaded once and kept";

  EXPECT_TRUE(SetComposition(ws, true));
  EXPECT_EQ(desktop.composition.enableCalls.size(), 2u) << "already on: not switched again";
}

TEST_F(CompositionTest, FailuresFreeTheLibraryAndTheNextSwitchLoadsItAgain) {
  desktop.version = {6, 0};
  desktop.composition.hasEnable = false;
  EXPECT_FALSE(SetComposition(ws, false));
  EXPECT_EQ(desktop.composition.frees, 1);
  EXPECT_EQ(ws.compositionLibrary, kNoModule);

  desktop.composition.hasEnable = true;
  desktop.composition.enableResult = static_cast<std::int32_t>(0x80004005);  // E_FAIL
  EXPECT_FALSE(SetComposition(ws, false));
  EXPECT_EQ(desktop.composition.loads, 2);
  EXPECT_EQ(desktop.composition.frees, 2);

  desktop.composition.enableResult = 0;
  desktop.composition.enabled = false;
  desktop.composition.isEnabledResult = static_cast<std::int32_t>(0x80004005);
  EXPECT_FALSE(SetComposition(ws, true));

  desktop.composition.libraryPresent = false;
  EXPECT_FALSE(SetComposition(ws, false));
  EXPECT_EQ(desktop.composition.frees, 3) << "nothing loaded, nothing freed";
}

}  // namespace
}  // namespace tessel
