// The registry and the file system the settings store runs on, held to the fakes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "contract/store_platform_contract.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"

namespace tessel {
namespace {

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

}  // namespace
}  // namespace tessel
