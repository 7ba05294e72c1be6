#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

// The value of `key` in `section` of INI text, as GetPrivateProfileStringW gives it for
// a file with these bytes: names match without regard to case, the first matching
// section and key count, white space around names (section names too) and values is dropped, and one pair
// of matching quotes around a value is removed. Empty when there is no such key or it
// has no '='. The text may start with a UTF-8 or UTF-16LE byte-order mark; without one,
// each byte is one character.
std::optional<std::wstring> ReadProfileString(const std::vector<std::uint8_t>& bytes, const std::wstring& section,
                                              const std::wstring& key);

}  // namespace tessel
