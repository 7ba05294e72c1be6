// The settings store and the saved-frames files on the real system: registry values
// with their types and sizes, the application-data folder, files replaced in one step.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "contract/store_platform_contract.h"
#include "desktop/split.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "harness/settled_window_system.h"
#include "platform/win32/win32_window_system.h"
#include "desktop/layout_files.h"
#include "shell/session.h"
#include "storage/settings_store.h"
#include "desktop/composition.h"
#include "desktop/win32/splitter_window.h"

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Removes a folder with everything in it.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

// A new empty folder under the temporary folder.
std::wstring NewTempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

Bytes FileBytes(const std::wstring& path) {
  Bytes bytes;
  Win32FileSystem().ReadWholeFile(path, 1 << 20, &bytes);
  return bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class RealStorePlatform final : public StorePlatform {
 public:
  RealStorePlatform() : folder_(NewTempFolder(L"tessel-contract-")) {}
  ~RealStorePlatform() override {
    RemoveTree(folder_);
    RegDeleteKeyW(HKEY_CURRENT_USER, kScratchKey);
  }

  Registry& registry() override { return registry_; }
  FileSystem& files() override { return files_; }
  const wchar_t* ScratchKey() override { return kScratchKey; }
  std::wstring ScratchFolder() override { return folder_; }

 private:
  static constexpr const wchar_t* kScratchKey = L"Software\\Velbrook\\TesselContractScratch";
  Win32Registry registry_;
  Win32FileSystem files_;
  std::wstring folder_;
};

TESSEL_STORE_PLATFORM_CONTRACT(Win32StorePlatformContract, RealStorePlatform)

// A workspace on the real desktop, with the real registry and files, and no settings
// key or last-frames folder before or after each test.
class StoreOnTheSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    ws.splitters = &bars;
    ws.registry = &registry;
    ws.files = &files;
    QueryOsVersion(ws);
    wchar_t appData[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    company = std::wstring(appData) + L"\\Velbrook";
    Clear();
  }

  void TearDown() override {
    RemoveAllFrames(ws);
    Clear();
  }

  void Clear() {
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
    RemoveTree(company);
  }

  // A value of the settings key as the system reports it.
  struct Value {
    LONG result;
    DWORD type;
    Bytes bytes;
  };
  static Value Stored(const wchar_t* name) {
    Value v{ERROR_FILE_NOT_FOUND, 0, Bytes(64)};
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
    DWORD size = 64;
    v.result = RegQueryValueExW(key, name, nullptr, &v.type, v.bytes.data(), &size);
    v.bytes.resize(v.result == ERROR_SUCCESS ? size : 0);
    RegCloseKey(key);
    return v;
  }

  int FrameCount() const {
    int n = 0;
    for (const Frame* f = ws.model.frameList; f; f = f->next) ++n;
    return n;
  }

  e2e::SettledWindowSystem system;
  Win32Registry registry;
  Win32FileSystem files;
  Workspace ws{system};
  Win32SplitterWindows bars{ws};
  std::wstring company;
};

TEST_F(StoreOnTheSystem, ExitLeavesBinaryValuesAndTheLastFramesForTheNextStart) {
  ws.settings.MagicKey = 0x400;
  ws.settings.hotkeyTable[1].hotkey = 0x0356;  // Ctrl+Shift+V
  ws.settings.FileDlgPos = {120, 80, 520, 380};
  ws.settings.LoadSession = 1;
  ASSERT_TRUE(SplitFrame(ws, nullptr, true));
  ASSERT_TRUE(SaveSettings(ws, true));

  for (const SettingField& f : kSettingFields) {
    SCOPED_TRACE(::testing::Message() << f.name);
    const Value v = Stored(f.name);
    ASSERT_EQ(v.result, ERROR_SUCCESS);
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_BINARY));
    const auto* p = static_cast<const std::uint8_t*>(FieldIn(ws.settings, f));
    EXPECT_EQ(v.bytes, Bytes(p, p + f.size));
  }
  const Value clean = Stored(L"CleanExit");
  EXPECT_EQ(clean.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(clean.bytes, (Bytes{1, 0, 0, 0}));
  const std::wstring lastFrames = company + L"\\Tessel\\lastframes.tsf";
  EXPECT_EQ(FileBytes(lastFrames).size(), 204u) << "a single split";

  // The next start.
  RemoveAllFrames(ws);
  ws.settings = Settings();
  ASSERT_TRUE(LoadSettings(ws));
  EXPECT_EQ(ws.settings.MagicKey, 0x400u);
  EXPECT_EQ(ws.settings.hotkeyTable[1].hotkey, 0x0356u);
  EXPECT_EQ(ws.settings.FileDlgPos, (Rect{120, 80, 0, 0}));
  EXPECT_EQ(FrameCount(), 3);
  Rect workArea;
  ASSERT_TRUE(system.GetWorkArea(&workArea));
  const Frame* root = ws.model.frameList->next->next;
  EXPECT_EQ(root->rect, workArea);
  EXPECT_TRUE(IsWindow(ToHwnd(root->splitter->hwnd))) << "a bar window of its own";
  EXPECT_EQ(Stored(L"CleanExit").result, ERROR_FILE_NOT_FOUND) << "deleted while the program runs";
}

TEST_F(StoreOnTheSystem, SavedFileIsReplacedInOneStepOrNotAtAll) {
  const std::wstring folder = NewTempFolder(L"tessel-layouts-");
  const std::wstring path = folder + L"\\layout.tsf";
  const Bytes old{'o', 'l', 'd'};
  ASSERT_TRUE(files.WriteWholeFile(path, old));
  ASSERT_TRUE(SplitFrame(ws, nullptr, false));

  ASSERT_TRUE(SaveFrames(ws, path.c_str()));
  const Bytes saved = FileBytes(path);
  EXPECT_EQ(saved.size(), 204u);
  EXPECT_FALSE(Exists(path + L".tmp"));

  // A file another program holds open keeps what it had.
  ASSERT_TRUE(files.WriteWholeFile(path, old));
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveFrames(ws, path.c_str()));
  CloseHandle(held);
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_FALSE(Exists(path + L".tmp"));

  // What was saved loads back; a cut copy is refused and the layout stays.
  ASSERT_TRUE(files.WriteWholeFile(path, saved));
  ASSERT_TRUE(LoadFrames(ws, path.c_str()));
  const Frame* head = ws.model.frameList;
  ASSERT_TRUE(files.WriteWholeFile(path, Bytes(saved.begin(), saved.end() - 1)));
  EXPECT_FALSE(LoadFrames(ws, path.c_str()));
  EXPECT_EQ(ws.model.frameList, head);
  EXPECT_EQ(FrameCount(), 3);
  RemoveTree(folder);
}

}  // namespace
}  // namespace tessel
