// Saved-frames files on the real system, replaced in one step; and the registry and
// file system the store runs on, held to the fakes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "contract/store_platform_contract.h"
#include "frames/split.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "store/frames_file.h"
#include "windows/composition.h"
#include "windows/win32/splitter_window.h"

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

// A workspace on the real desktop with the real files.
class StoreOnTheSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    ws.splitters = &bars;
    ws.files = &files;
    QueryOsVersion(ws);
  }

  void TearDown() override { RemoveAllFrames(ws); }

  int FrameCount() const {
    int n = 0;
    for (const Frame* f = ws.model.frameList; f; f = f->next) ++n;
    return n;
  }

  Win32WindowSystem system;
  Win32FileSystem files;
  Workspace ws{system};
  Win32SplitterWindows bars{ws};
};

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
