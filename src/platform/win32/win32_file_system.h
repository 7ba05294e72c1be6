#pragma once

#include "platform/file_system.h"

namespace tessel {

// Files and folders through the Win32 file calls.
class Win32FileSystem final : public FileSystem {
 public:
  bool SHGetFolderPathW(std::wstring* folder) override;
  bool CreateDirectoryW(const std::wstring& path) override;
  bool ReadWholeFile(const std::wstring& path, std::size_t maxBytes,
                     std::vector<std::uint8_t>* bytes) override;
  bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override;
  bool MoveFileExW(const std::wstring& from, const std::wstring& to) override;
  bool DeleteFileW(const std::wstring& path) override;
};

}  // namespace tessel
