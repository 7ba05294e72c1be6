#include "update/split_url.h"

#include <algorithm>
#include <cwchar>

namespace tessel {

UrlParts SplitUrl(const std::wstring& url) {
  UrlParts parts;
  const std::size_t colon = std::min(url.find(L':'), url.size());
  std::size_t hostStart = 0;
  if (colon + 1 < url.size() && url[colon + 1] == L'/') {
    parts.scheme = url.substr(0, colon);
    hostStart = std::min(colon + 3, url.size());
  } else {
    parts.scheme = L"http";
  }
  const std::size_t slash = std::min(url.find(L'/', hostStart), url.size());
  const std::size_t portColon = url.find(L':', hostStart);
  if (portColon < slash) {
    parts.host = url.substr(hostStart, portColon - hostStart);
    parts.port = static_cast<std::uint32_t>(std::wcstoul(url.c_str() + portColon + 1, nullptr, 10));
  } else {
    parts.host = url.substr(hostStart, slash - hostStart);
    parts.port = parts.scheme == L"https" ? 443 : 80;
  }
  parts.path = url.substr(slash);
  return parts;
}

}  // namespace tessel
