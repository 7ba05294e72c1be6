#pragma once

#include <cstdint>
#include <string>

namespace tessel {

struct UrlParts {
  std::wstring scheme;
  std::wstring host;
  std::uint32_t port = 0;
  std::wstring path;  // from its first '/', empty when there is none
};

// Splits "scheme://host:port/path"; the scheme defaults to http and the port to 443 for
// https and 80 otherwise.
UrlParts SplitUrl(const std::wstring& url);

}  // namespace tessel
