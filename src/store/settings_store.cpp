#include "store/settings_store.h"

#include <cstring>

#include "platform/registry.h"
#include "store/frames_file.h"

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

  // A value of at most `size` (up to 8) bytes read over the variable: a shorter one
  // overwrites only its own bytes; a longer one is refused, leaving the variable whole.
  bool Read(const wchar_t* name, void* variable, std::uint32_t size) {
    std::uint8_t buffer[8];
    std::uint32_t type = 0;
    std::uint32_t length = size;
    if (size > sizeof buffer ||
        registry_.RegQueryValueExW(key_, name, &type, buffer, &length) != kErrorSuccess || length > size)
      return false;
    std::memcpy(variable, buffer, length);
    return true;
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

bool LoadSettings(Workspace& ws) {
  if (!ws.registry) return false;
  bool result = true;
  std::uint32_t cleanExit = 0;
  {
    OpenKey key(*ws.registry);
    if (!key) return false;
    for (const SettingField& field : kSettingFields)
      result &= key.Read(field.name, FieldIn(ws.settings, field), field.size);
    if (!key.Read(kCleanExitValue, &cleanExit, sizeof cleanExit)) result = false;
    // Absent while the program runs: a crash leaves nothing to trust.
    key.Delete(kCleanExitValue);
  }
  if (cleanExit && ws.settings.LoadSession) {
    std::wstring path;
    if (!ws.files || !LastFramesPath(*ws.files, &path) || !LoadFrames(ws, path.c_str())) result = false;
  }
  return result;
}

bool SaveSettings(Workspace& ws, bool exit) {
  if (!ws.registry) return false;
  OpenKey key(*ws.registry);
  if (!key) return false;
  bool result = true;
  for (const SettingField& field : kSettingFields)
    result &= key.Write(field.name, FieldIn(ws.settings, field), field.size);
  if (exit) {
    if (ws.settings.LoadSession) {
      std::wstring path;
      if (!ws.files || !LastFramesPath(*ws.files, &path) || !SaveFrames(ws, path.c_str())) result = false;
    }
    const std::uint32_t cleanExit = result ? 1 : 0;
    if (!key.Write(kCleanExitValue, &cleanExit, sizeof cleanExit)) result = false;
  }
  return result;
}

}  // namespace tessel
