#include <gtest/gtest.h>

#include <cstring>

#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "storage/settings_store.h"
#include "update/update_check.h"

namespace tessel {
namespace {

constexpr std::uint64_t kDay = 864'000'000'000;
constexpr std::uint64_t kNow = 133'000'000'000'000'000;

template <typename T>
std::vector<std::uint8_t> Bytes(T value) {
  std::vector<std::uint8_t> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

class UpdateCheck : public ::testing::Test {
 protected:
  void Run(std::int32_t interval = 15) {
    const UpdateCheckHost host{registry,
                               files,
                               ownVersion,
                               interval,
                               [] { return kNow; },
                               [this](std::wstring* name) {
                                 *name = temp;
                                 files.files[temp].clear();
                                 return true;
                               },
                               [this](const std::wstring& path) {
                                 ++downloads;
                                 if (!body) return false;
                                 files.files[path].assign(body->begin(), body->end());
                                 return true;
                               }};
    RunUpdateCheck(host, flag);
  }
  void Record(double version, std::uint64_t time) {
    registry.Put(kSettingsKey, L"LastServerVersion", kRegBinary, Bytes(version));
    registry.Put(kSettingsKey, L"LastCheckUpdateTime", kRegBinary, Bytes(time));
  }
  const FakeRegistry::Value* Value(const wchar_t* name) { return registry.Find(kSettingsKey, name); }

  FakeRegistry registry;
  FakeFileSystem files;
  std::optional<double> ownVersion = 1.0;
  std::optional<std::string> body;  // none: the download fails
  const std::wstring temp = files.appData + L"\\ver1A.tmp";
  std::atomic<bool> flag{false};
  int downloads = 0;
};

TEST_F(UpdateCheck, FirstRunFetchesRecordsAndAnnouncesANewerVersion) {
  body = "[main]\nCurrentVersion=1.1\n";
  Run();
  EXPECT_TRUE(flag);
  ASSERT_NE(Value(L"LastServerVersion"), nullptr);
  EXPECT_EQ(Value(L"LastServerVersion")->bytes, Bytes(1.1));
  EXPECT_EQ(Value(L"LastCheckUpdateTime")->bytes, Bytes(kNow));
  EXPECT_EQ(Value(L"LastCheckUpdateTime")->type, kRegBinary);
  EXPECT_TRUE(files.files.empty());
  EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(UpdateCheck, AnErrorPageRecordsZeroAndClearsAnEarlierAnnouncement) {
  Record(1.1, kNow - 20 * kDay);
  body = "<html>404</html>";
  Run();
  EXPECT_FALSE(flag);
  EXPECT_EQ(Value(L"LastServerVersion")->bytes, Bytes(0.0));
  EXPECT_EQ(Value(L"LastCheckUpdateTime")->bytes, Bytes(kNow));
}

TEST_F(UpdateCheck, AFailedDownloadRecordsNothingAndLeavesNoFile) {
  Record(1.1, kNow - 20 * kDay);
  Run();
  EXPECT_EQ(downloads, 1);
  EXPECT_TRUE(flag) << "the version recorded earlier is still announced";
  EXPECT_EQ(Value(L"LastCheckUpdateTime")->bytes, Bytes(kNow - 20 * kDay));
  EXPECT_TRUE(files.files.empty());
}

TEST_F(UpdateCheck, ARecordedVersionIsAnnouncedWithoutFetchingWhenNoCheckIsDue) {
  body = "[main]\nCurrentVersion=1.0\n";
  Record(1.1, kNow - 14 * kDay);
  Run();
  EXPECT_TRUE(flag);
  EXPECT_EQ(downloads, 0);
  Record(1.1, 0);
  Run(0);  // switched off
  EXPECT_TRUE(flag);
  EXPECT_EQ(downloads, 0);
}

TEST_F(UpdateCheck, OddRecordedValuesMeanACheckIsDue) {
  registry.Put(kSettingsKey, L"LastServerVersion", kRegBinary, {1, 2, 3});
  registry.Put(kSettingsKey, L"LastCheckUpdateTime", kRegDword, Bytes(std::uint32_t{7}));
  body = "[main]\nCurrentVersion=1.0\n";
  Run();
  EXPECT_EQ(downloads, 1);
  EXPECT_FALSE(flag);
  EXPECT_EQ(Value(L"LastServerVersion")->bytes, Bytes(1.0));

  // A recent check time does not stand in for a missing version.
  registry.Put(kSettingsKey, L"LastServerVersion", kRegBinary, {1, 2, 3});
  registry.Put(kSettingsKey, L"LastCheckUpdateTime", kRegBinary, Bytes(kNow - kDay));
  Run();
  EXPECT_EQ(downloads, 2);
}

TEST_F(UpdateCheck, WithoutAnOwnVersionNothingIsAnnounced) {
  ownVersion = std::nullopt;
  Record(9.9, kNow);
  body = "[main]\nCurrentVersion=9.9\n";
  Run(1);
  EXPECT_FALSE(flag);
}

}  // namespace
}  // namespace tessel
