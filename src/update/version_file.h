#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tessel {

// The published version in a version file's bytes (see VersionFile::ReadNumber).
double VersionNumberIn(const std::vector<std::uint8_t>& bytes, double fallback);

// The downloaded version file: INI text whose section "main" holds the published
// version as "CurrentVersion", for example 1.1.
class VersionFile {
 public:
  VersionFile(FileSystem& files, std::wstring path) : files_(files), path_(std::move(path)) {}
  virtual ~VersionFile() = default;

  // The published version: the number at the start of the value (at most its first 64
  // characters), 0.0 when the value does not start with one, and `fallback` when the
  // file, the section or the value is missing or empty, or the number is not finite.
  double ReadNumber(double fallback) const;

 private:
  FileSystem& files_;
  std::wstring path_;
};

}  // namespace tessel
