#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessel {

// Files and folders, by full path. Methods named after Win32 calls mean what those
// calls do; the two whole-file methods gather the open, read or write, and close.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The user's application-data folder (CSIDL_APPDATA, created when missing).
  virtual bool SHGetFolderPathW(std::wstring* folder) = 0;
  // False when the folder could not be made, or exists already.
  virtual bool CreateDirectoryW(const std::wstring& path) = 0;
  // Every byte of the file; false when it cannot be read or holds more than maxBytes.
  virtual bool ReadWholeFile(const std::wstring& path, std::size_t maxBytes,
                             std::vector<std::uint8_t>* bytes) = 0;
  // Creates the file, or empties an existing one, and writes every byte through to the
  // disk. False on any shortfall, which may leave part of the file behind.
  virtual bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) = 0;
  // Moves a file over another in one step (MOVEFILE_REPLACE_EXISTING |
  // MOVEFILE_WRITE_THROUGH), waiting up to half a second while another program holds
  // either; `to` is left as it was on failure.
  virtual bool MoveFileExW(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool DeleteFileW(const std::wstring& path) = 0;
};

}  // namespace tessel
