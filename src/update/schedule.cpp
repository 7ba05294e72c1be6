#include "update/schedule.h"

namespace tessel {

double VersionNumber(std::uint32_t fileVersionMS) {
  return (fileVersionMS >> 16) + (fileVersionMS & 0xFFFF) / 10.0;
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
