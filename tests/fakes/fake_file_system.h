#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tessel {

// In-memory files and folders for unit tests. A file can only be made in a folder that
// exists. It can be told to lose the application-data folder, to stop chosen writes
// half way, and to refuse moves.
class FakeFileSystem final : public FileSystem {
 public:
  FakeFileSystem() { folders.insert(appData); }

  bool SHGetFolderPathW(std::wstring* folder) override;
  bool CreateDirectoryW(const std::wstring& path) override;
  bool ReadWholeFile(const std::wstring& path, std::size_t maxBytes,
                     std::vector<std::uint8_t>* bytes) override;
  bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override;
  bool MoveFileExW(const std::wstring& from, const std::wstring& to) override;
  bool DeleteFileW(const std::wstring& path) override;

  std::wstring appData = L"C:\\Users\\tester\\AppData\\Roaming";
  std::set<std::wstring> folders;
  std::map<std::wstring, std::vector<std::uint8_t>> files;

  bool failFolderPath = false;
  std::set<std::wstring> failWrites;  // paths whose writes stop half way
  bool failMoves = false;

 private:
  bool InFolder(const std::wstring& path) const;
};

}  // namespace tessel
