#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace tessel {

// What one run of the update check works with.
struct UpdateCheckHost {
  Registry& registry;
  FileSystem& files;
  std::optional<double> ownVersion;  // none without a readable version resource
  std::int32_t updateInterval;       // days; 0 or less: no automatic check
  std::function<std::uint64_t()> now;                        // UTC, as a FILETIME count
  std::function<bool(std::wstring*)> newTempFile;            // creates an empty one
  std::function<bool(const std::wstring&)> downloadToFile;  // DownloadToFile
};

// The update check of one program start: announces a newer version found earlier at
// once, and when a check is due fetches the published version, announces it when it is
// newer and records it with the time under the settings key. A check that does not
// complete records nothing, so the next start tries again; the temporary file never
// remains.
void RunUpdateCheck(const UpdateCheckHost& host, std::atomic<bool>& newVersionAvailable);

}  // namespace tessel
