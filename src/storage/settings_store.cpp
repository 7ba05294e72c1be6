#include "storage/settings_store.h"

#include <cstring>

namespace tessel {
namespace {

// The program's key, open for as long as this lives.
class OpenKey {
 public:
  explicit OpenKey(Registry& registry) : registry_(registry) {
    if (registry.RegCreateKeyExW(kSettingsKey, &key_) != kErrorSuccess) key_ = kNoKey;
  }
  ~OpenKey() {
    if (key_ != kNoKey) registry_.RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  explicit operator bool() const { return key_ != kNoKey; }

  // A value of at most `size` (up to 8) bytes read over the variable (see TakeValue).
  bool Read(const wchar_t* name, void* variable, std::uint32_t size) {
    std::uint8_t buffer[8];
    std::uint32_t type = 0;
    std::uint32_t length = size;
    return size <= sizeof buffer &&
           registry_.RegQueryValueExW(key_, name, &type, buffer, &length) == kErrorSuccess &&
           TakeValue(buffer, length, variable, size);
  }

  bool Write(const wchar_t* name, const void* data, std::uint32_t size) {
    return registry_.RegSetValueExW(key_, name, kRegBinary, data, size) == kErrorSuccess;
  }

  void Delete(const wchar_t* name) { registry_.RegDeleteValueW(key_, name); }

 private:
  Registry& registry_;
  KeyId key_ = kNoKey;
};

void Append(std::wstring* path, const wchar_t* part) {
  if (!path->empty() && path->back() != L'\\') *path += L'\\';
  *path += part;
}

}  // namespace

bool TakeValue(const void* value, std::uint32_t length, void* setting, std::uint32_t size) {
  if (length > size) return false;
  if (length) std::memcpy(setting, value, length);
  return true;
}

bool LastFramesPath(FileSystem& files, std::wstring* path) {
  std::wstring p;
  if (!files.SHGetFolderPathW(&p)) return false;
  for (const wchar_t* folder : {L"Velbrook", L"Tessel"}) {
    Append(&p, folder);
    files.CreateDirectoryW(p);  // there already, as a rule
  }
  Append(&p, L"lastframes.tsf");
  *path = std::move(p);
  return true;
}

bool ReadSettings(Registry& registry, Settings* settings, std::uint32_t* cleanExit) {
  *cleanExit = 0;
  OpenKey key(registry);
  if (!key) return false;
  bool result = true;
  for (const SettingField& field : kSettingFields)
    result &= key.Read(field.name, FieldIn(*settings, field), field.size);
  if (!key.Read(kCleanExitValue, cleanExit, sizeof *cleanExit)) result = false;
  key.Delete(kCleanExitValue);
  return result;
}

bool WriteSettings(Registry& registry, const Settings& settings) {
  OpenKey key(registry);
  if (!key) return false;
  bool result = true;
  for (const SettingField& field : kSettingFields)
    result &= key.Write(field.name, FieldIn(settings, field), field.size);
  return result;
}

bool WriteCleanExit(Registry& registry, bool clean) {
  OpenKey key(registry);
  const std::uint32_t value = clean ? 1 : 0;
  return key && key.Write(kCleanExitValue, &value, sizeof value);
}

}  // namespace tessel
