#include "shell/session.h"
#include "storage/settings_store.h"

#include <cstring>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "desktop/split.h"
#include "platform/registry.h"
#include "storage/frames_file.h"
#include "unit/workspace_test.h"

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FieldBytes(Settings& s, const SettingField& f) {
  const auto* p = static_cast<const std::uint8_t*>(FieldIn(s, f));
  return Bytes(p, p + f.size);
}

class SettingsStoreTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    ws.registry = &registry;
    ws.files = &files;
  }

  void TearDown() override {
    EXPECT_EQ(registry.openKeys(), 0) << "every key opened is closed";
    WorkspaceTest::TearDown();
  }

  const FakeRegistry::Value* Stored(const wchar_t* name) const { return registry.Find(kSettingsKey, name); }
  void Store(const wchar_t* name, std::uint32_t type, const Bytes& bytes) {
    registry.Put(kSettingsKey, name, type, bytes);
  }
  bool LastFramesSaved() const { return files.files.count(kLastFrames) > 0; }

  static constexpr const wchar_t* kLastFrames =
      L"C:\\Users\\tester\\AppData\\Roaming\\Velbrook\\Tessel\\lastframes.tsf";
  FakeRegistry registry;
  FakeFileSystem files;
};

TEST_F(SettingsStoreTest, NewSettingsHoldTheDefaults) {
  const Settings s;
  const wchar_t* names[] = {L"HKSplitH",    L"HKSplitV", L"HKRemoveFrame", L"HKMoveLeft",
                            L"HKMoveRight", L"HKMoveUp", L"HKMoveDown"};
  const std::uint32_t controls[] = {1005, 1006, 1007, 1012, 1014, 1016, 1018};
  for (int i = 0; i < kHotkeyCount; ++i) {
    EXPECT_EQ(s.hotkeyTable[i].hotkey, 0u);
    EXPECT_EQ(s.hotkeyTable[i].controlId, controls[i]);
    EXPECT_STREQ(s.hotkeyTable[i].name, names[i]);
  }
  EXPECT_EQ(s.MagicKey, 0x200u);
  EXPECT_EQ(s.UpdateInterval, 15);
  EXPECT_EQ(s.KeepWndVisible, 1u);
  EXPECT_EQ(s.LoadSession, 0u);
  EXPECT_EQ(s.ShowBalloon, 1u);
  EXPECT_EQ(s.SettingsDlgPos, (Rect{50, 50, 0, 0}));
  EXPECT_EQ(s.FileDlgPos, (Rect{50, 50, 0, 0}));
}

TEST_F(SettingsStoreTest, FirstStartCreatesTheKeyAndKeepsTheDefaults) {
  EXPECT_FALSE(LoadSettings(ws));
  ASSERT_NE(registry.Key(kSettingsKey), nullptr);
  EXPECT_TRUE(registry.Key(kSettingsKey)->empty());
  Settings defaults;
  for (const SettingField& f : kSettingFields) EXPECT_EQ(FieldBytes(ws.settings, f), FieldBytes(defaults, f));
  EXPECT_EQ(ws.model.frameList, nullptr);

  registry.failOpen = true;
  EXPECT_FALSE(LoadSettings(ws));
  EXPECT_FALSE(SaveSettings(ws, true));
}

TEST_F(SettingsStoreTest, EverySettingGoesBackAndForthAsABinaryValueOfItsSize) {
  std::uint8_t next = 1;
  for (const SettingField& f : kSettingFields) {
    auto* p = static_cast<std::uint8_t*>(FieldIn(ws.settings, f));
    for (std::uint32_t i = 0; i < f.size; ++i) p[i] = next++;
  }
  Settings saved = ws.settings;
  ASSERT_TRUE(SaveSettings(ws, false));
  for (const SettingField& f : kSettingFields) {
    SCOPED_TRACE(::testing::Message() << f.name);
    const FakeRegistry::Value* v = Stored(f.name);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->type, kRegBinary);
    EXPECT_EQ(v->bytes.size(), f.size);
  }
  EXPECT_EQ(Stored(kCleanExitValue), nullptr) << "only an exit writes it";
  EXPECT_FALSE(LastFramesSaved());

  ws.settings = Settings();
  EXPECT_FALSE(LoadSettings(ws)) << "CleanExit is missing";
  for (const SettingField& f : kSettingFields) EXPECT_EQ(FieldBytes(ws.settings, f), FieldBytes(saved, f));
  EXPECT_EQ(ws.settings.SettingsDlgPos.right, 0) << "only left and top are stored";
}

TEST_F(SettingsStoreTest, OddValuesNeverOverrunASetting) {
  ASSERT_TRUE(SaveSettings(ws, true));
  Store(L"UpdateInterval", kRegBinary, {30});                      // shorter: its own byte only
  Store(L"SettingsDlgPos", kRegBinary, {10, 0, 0, 0});             // left only
  Store(L"KeepWndVisible", kRegBinary, {0, 0, 0, 0, 9, 9, 9, 9});  // longer: refused
  Store(L"ShowBalloon", kRegDword, {0, 0, 0, 0});                  // another type: raw bytes
  Store(L"HKSplitH", kRegBinary, {0x41, 0x03, 0, 0});
  ws.settings.UpdateInterval = 0x7F7F7F00;

  EXPECT_FALSE(LoadSettings(ws));
  EXPECT_EQ(ws.settings.UpdateInterval, 0x7F7F7F1E);
  EXPECT_EQ(ws.settings.SettingsDlgPos, (Rect{10, 50, 0, 0}));
  EXPECT_EQ(ws.settings.KeepWndVisible, 1u);
  EXPECT_EQ(ws.settings.ShowBalloon, 0u);
  EXPECT_EQ(ws.settings.hotkeyTable[0].hotkey, 0x341u);

  // A value that cannot be read leaves its setting; the ones after it are still read.
  registry.failReads.insert(L"MagicKey");
  Store(L"MagicKey", kRegBinary, {0, 4, 0, 0});
  Store(L"FileDlgPos", kRegBinary, {1, 0, 0, 0, 2, 0, 0, 0});
  EXPECT_FALSE(LoadSettings(ws));
  EXPECT_EQ(ws.settings.MagicKey, 0x200u);
  EXPECT_EQ(ws.settings.FileDlgPos, (Rect{1, 2, 0, 0}));
}

TEST_F(SettingsStoreTest, LastFramesComeBackOnlyAfterACleanExitWithLoadSession) {
  desktop.workArea = {0, 0, 1000, 800};
  ws.settings.LoadSession = 1;
  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  ASSERT_TRUE(SaveSettings(ws, true));
  ASSERT_TRUE(LastFramesSaved());
  EXPECT_EQ(files.folders.count(L"C:\\Users\\tester\\AppData\\Roaming\\Velbrook\\Tessel"), 1u);

  struct Case {
    int cleanExit;  // -1: absent
    std::uint32_t loadSession;
    bool restored;
  };
  for (const Case c : {Case{1, 1, true}, Case{1, 0, false}, Case{0, 1, false}, Case{-1, 1, false}}) {
    SCOPED_TRACE(::testing::Message() << "CleanExit " << c.cleanExit << ", LoadSession " << c.loadSession);
    RemoveAllFrames(ws);
    if (c.cleanExit >= 0)
      Store(kCleanExitValue, kRegBinary, {static_cast<std::uint8_t>(c.cleanExit), 0, 0, 0});
    Store(L"LoadSession", kRegBinary, {static_cast<std::uint8_t>(c.loadSession), 0, 0, 0});
    EXPECT_EQ(LoadSettings(ws), c.cleanExit >= 0) << "every value there";
    EXPECT_EQ(ws.model.frameList != nullptr, c.restored);
    EXPECT_EQ(Stored(kCleanExitValue), nullptr) << "deleted at every start";
  }

  // A damaged last-frames file is not restored and makes the load fail quietly.
  RemoveAllFrames(ws);
  files.files[kLastFrames] = {1, 2, 3};
  Store(kCleanExitValue, kRegBinary, {1, 0, 0, 0});
  EXPECT_FALSE(LoadSettings(ws));
  EXPECT_EQ(ws.model.frameList, nullptr);
  EXPECT_TRUE(desktop.messageBoxes.empty());
}

TEST_F(SettingsStoreTest, CleanExitIsStoredAsOneOnlyWhenEverythingWasSaved) {
  desktop.workArea = {0, 0, 1000, 800};
  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  auto cleanExit = [&] {
    const FakeRegistry::Value* v = Stored(kCleanExitValue);
    return v && v->type == kRegBinary && v->bytes.size() == 4 ? int{v->bytes[0]} : -1;
  };

  // Without LoadSession the last-frames file is neither written nor removed.
  files.folders.insert(L"C:\\Users\\tester\\AppData\\Roaming\\Velbrook");
  files.folders.insert(L"C:\\Users\\tester\\AppData\\Roaming\\Velbrook\\Tessel");
  files.files[kLastFrames] = {7};
  EXPECT_TRUE(SaveSettings(ws, true));
  EXPECT_EQ(cleanExit(), 1);
  EXPECT_EQ(files.files[kLastFrames], Bytes{7});

  ws.settings.LoadSession = 1;
  files.failMoves = true;
  EXPECT_FALSE(SaveSettings(ws, true));
  EXPECT_EQ(cleanExit(), 0) << "the last frames were not saved";
  EXPECT_EQ(files.files[kLastFrames], Bytes{7});
  files.failMoves = false;

  files.failFolderPath = true;
  EXPECT_FALSE(SaveSettings(ws, true));
  EXPECT_EQ(cleanExit(), 0);
  files.failFolderPath = false;

  registry.failWrites.insert(L"MagicKey");
  ws.settings.ShowBalloon = 0;
  EXPECT_FALSE(SaveSettings(ws, true));
  EXPECT_EQ(cleanExit(), 0);
  EXPECT_EQ(Stored(L"ShowBalloon")->bytes, (Bytes{0, 0, 0, 0})) << "the others are still written";
  registry.failWrites.clear();

  EXPECT_TRUE(SaveSettings(ws, true));
  EXPECT_EQ(cleanExit(), 1);
  EXPECT_GT(files.files[kLastFrames].size(), 1u);
}

}  // namespace
}  // namespace tessel
