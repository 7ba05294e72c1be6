#include "update/profile_reader.h"

#include <algorithm>
#include <cwctype>

namespace tessel {
namespace {

std::wstring Decode(const std::vector<std::uint8_t>& b) {
  std::wstring text;
  if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    for (std::size_t i = 2; i + 1 < b.size(); i += 2) text += static_cast<wchar_t>(b[i] | b[i + 1] << 8);
    return text;
  }
  std::size_t i = 0;
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    // UTF-8 within the basic plane; a number never needs more.
    for (i = 3; i < b.size();) {
      const std::uint8_t c = b[i];
      const int extra = c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
      wchar_t w = extra == 2 ? c & 0x0F : extra == 1 ? c & 0x1F : c;
      ++i;
      for (int k = 0; k < extra && i < b.size(); ++k, ++i) w = static_cast<wchar_t>(w << 6 | (b[i] & 0x3F));
      text += w;
    }
    return text;
  }
  for (; i < b.size(); ++i) text += static_cast<wchar_t>(b[i]);
  return text;
}

// The profile reader's white space includes the end-of-file mark (Ctrl+Z).
bool IsSpace(wchar_t c) { return std::iswspace(c) || c == 0x1A; }

bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

std::wstring Trim(const std::wstring& text, std::size_t from, std::size_t to) {
  while (from < to && IsSpace(text[from])) ++from;
  while (to > from && IsSpace(text[to - 1])) --to;
  return text.substr(from, to - from);
}

std::wstring Unquote(std::wstring value) {
  if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::optional<std::wstring> ReadProfileString(const std::vector<std::uint8_t>& bytes, const std::wstring& section,
                                              const std::wstring& key) {
  const std::wstring text = Decode(bytes);
  enum { kBefore, kInside, kAfter } where = kBefore;  // relative to the first matching section
  for (std::size_t start = 0; start < text.size() && where != kAfter;) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = Trim(text, start, end);
    start = end + 1;
    if (!line.empty() && line[0] == L'[') {
      const std::size_t close = line.rfind(L']');
      if (close != std::wstring::npos) {
        const bool match = SameName(Trim(line, 1, close), section);
        if (where == kInside) where = kAfter;
        else if (match) where = kInside;
        continue;
      }
    }
    if (where != kInside || line.empty()) continue;
    const std::size_t equals = line.find(L'=');
    if (!SameName(Trim(line, 0, std::min(equals, line.size())), key)) continue;
    if (equals == std::wstring::npos) return std::nullopt;
    return Unquote(Trim(line, equals + 1, line.size()));
  }
  return std::nullopt;
}

}  // namespace tessel
