#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/http_client.h"

namespace tessel {

// Where the published version is fetched from, and how long a silent server is waited
// for, fixed when the program is built.
struct UpdateSource {
  const wchar_t* url;
  std::uint32_t timeoutMs;  // for connecting and for each wait for data
};
UpdateSource BuiltInUpdateSource();

// Fetches the version file and writes the response body, whatever the status, to
// `path`. True only for a whole body: a refused or silent server, a read that fails
// part way or a body too large for a version file all count as failures.
bool DownloadToFile(HttpClient& http, FileSystem& files, const std::wstring& path,
                    const UpdateSource& source = BuiltInUpdateSource());

}  // namespace tessel
