#include "update/update_check.h"

#include <cstring>

#include "platform/names.h"
#include "update/schedule.h"
#include "update/version_file.h"

namespace tessel {
namespace {

constexpr wchar_t kLastServerVersion[] = L"LastServerVersion";
constexpr wchar_t kLastCheckUpdateTime[] = L"LastCheckUpdateTime";

// An 8-byte value of any type; one of another size counts as missing.
template <typename T>
bool ReadEight(Registry& registry, KeyId key, const wchar_t* name, T* value) {
  static_assert(sizeof(T) == 8);
  std::uint8_t bytes[8];
  std::uint32_t type = 0, size = sizeof bytes;
  if (registry.RegQueryValueExW(key, name, &type, bytes, &size) != kErrorSuccess || size != sizeof bytes)
    return false;
  std::memcpy(value, bytes, sizeof bytes);
  return true;
}

template <typename T>
std::int32_t WriteEight(Registry& registry, KeyId key, const wchar_t* name, T value) {
  static_assert(sizeof(T) == 8);
  return registry.RegSetValueExW(key, name, kRegBinary, &value, sizeof value);
}

}  // namespace

void RunUpdateCheck(const UpdateCheckHost& host, std::atomic<bool>& newVersionAvailable) {
  double stored = 0.0;
  std::uint64_t lastCheck = 0;
  bool due = true;
  KeyId key = kNoKey;
  if (host.registry.RegCreateKeyExW(kSettingsKey, &key) == kErrorSuccess) {
    // Either value missing or odd: nothing recorded can be trusted, so a check is due.
    const bool haveVersion = ReadEight(host.registry, key, kLastServerVersion, &stored);
    if (!haveVersion) stored = 0.0;
    const bool haveTime = ReadEight(host.registry, key, kLastCheckUpdateTime, &lastCheck);
    due = !haveVersion || !haveTime;
    host.registry.RegCloseKey(key);
  }
  if (!due) due = CheckDue(host.now(), lastCheck, host.updateInterval);
  if (host.updateInterval <= 0) due = false;
  newVersionAvailable = IsNewer(host.ownVersion, stored);
  if (!due) return;

  std::wstring temp;
  if (!host.newTempFile(&temp)) return;
  const bool downloaded = host.downloadToFile(temp);
  const double server = downloaded ? VersionFile(host.files, temp).ReadNumber(0.0) : 0.0;
  host.files.DeleteFileW(temp);
  if (!downloaded) return;

  newVersionAvailable = IsNewer(host.ownVersion, server);
  if (host.registry.RegCreateKeyExW(kSettingsKey, &key) != kErrorSuccess) return;
  WriteEight(host.registry, key, kLastServerVersion, server);
  WriteEight(host.registry, key, kLastCheckUpdateTime, host.now());
  host.registry.RegCloseKey(key);
}

}  // namespace tessel
