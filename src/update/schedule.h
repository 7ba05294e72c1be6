#pragma once

#include <cstdint>
#include <optional>

namespace tessel {

// A version number from the two halves of the most significant word of a file version:
// major + minor / 10, so a minor part of 10 or more carries into the units.
double VersionNumber(std::uint32_t fileVersionMS);

// Whole days from `last` to `now`, both FILETIME counts (100 ns units). A `last` in the
// future wraps around to a very large count, so a clock set back still checks.
std::uint64_t DaysSince(std::uint64_t now, std::uint64_t last);

// Whether the published version is due to be fetched again. An interval of 0 or less
// means the automatic check is switched off.
bool CheckDue(std::uint64_t now, std::uint64_t last, std::int32_t interval);

// Whether `other` is newer than the program's own version. Without an own version (no
// readable version resource) nothing is ever announced; NaN is never newer.
bool IsNewer(std::optional<double> own, double other);

}  // namespace tessel
