#include "update/version_file.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "update/profile_reader.h"

namespace tessel {
namespace {

// A version file is a few lines; anything much larger is not one.
constexpr std::size_t kMaxVersionFile = 64 * 1024;
constexpr std::size_t kMaxNumberText = 64;

}  // namespace

double VersionNumberIn(const std::vector<std::uint8_t>& bytes, double fallback) {
  std::optional<std::wstring> value = ReadProfileString(bytes, L"main", L"CurrentVersion");
  if (!value || value->empty()) return fallback;
  value->resize(std::min(value->size(), kMaxNumberText));
  const double number = std::wcstod(value->c_str(), nullptr);
  return std::isfinite(number) ? number : fallback;
}

double VersionFile::ReadNumber(double fallback) const {
  std::vector<std::uint8_t> bytes;
  if (!files_.ReadWholeFile(path_, kMaxVersionFile, &bytes)) return fallback;
  return VersionNumberIn(bytes, fallback);
}

}  // namespace tessel
