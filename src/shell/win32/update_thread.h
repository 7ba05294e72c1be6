#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace tessel {

// The update check's thread, started once per run. Nobody waits for it, as a check may
// wait long on a silent server: it ends with the process. What it announces is shared
// with it, so the answer outlives whichever of the two ends first.
class UpdateThread {
 public:
  // Starts the check; `intervalDays` as the settings hold it. Not starting it costs
  // only the announcement.
  void Start(std::int32_t intervalDays);

  // Whether a newer version was announced, read whenever the tray menu is built.
  bool NewVersionAvailable() const { return *available_; }

 private:
  std::shared_ptr<std::atomic<bool>> available_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace tessel
