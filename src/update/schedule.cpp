#include "update/schedule.h"

#include <cwchar>
#include <string>

namespace tessel {

double VersionNumber(std::uint32_t fileVersionMS) {
  // Through the same text conversion as the published number, so that equal versions
  // compare equal: the arithmetic and the C library's conversion can differ in the
  // last bit (they do on 32-bit Windows).
  const std::uint32_t major = fileVersionMS >> 16, minor = fileVersionMS & 0xFFFF;
  const std::wstring text = std::to_wstring(major + minor / 10) + L"." + std::to_wstring(minor % 10);
  return std::wcstod(text.c_str(), nullptr);
}

std::uint64_t DaysSince(std::uint64_t now, std::uint64_t last) {
  return (now - last) / 10'000'000 / 3'600 / 24;
}

bool CheckDue(std::uint64_t now, std::uint64_t last, std::int32_t interval) {
  if (interval <= 0) return false;
  // At most 2^64 / 864,000,000,000 days: always a positive 32-bit number.
  return static_cast<std::int32_t>(DaysSince(now, last)) >= interval;
}

bool IsNewer(std::optional<double> own, double other) { return own && *own < other; }

}  // namespace tessel
