#pragma once

#include <utility>

#include "platform/window_system.h"

namespace tessel {

// Owns one region the program made; deletes it once, when it goes. A region handed to
// SetWindowRgn belongs to the system from then on: release() it, never delete it.
class UniqueRegion {
 public:
  UniqueRegion() = default;
  UniqueRegion(WindowSystem& system, RegionId region) : system_(&system), region_(region) {}
  ~UniqueRegion() { reset(); }
  UniqueRegion(UniqueRegion&& other) noexcept
      : system_(other.system_), region_(std::exchange(other.region_, kNoRegion)) {}
  UniqueRegion& operator=(UniqueRegion&& other) noexcept {
    if (this != &other) {
      reset();
      system_ = other.system_;
      region_ = std::exchange(other.region_, kNoRegion);
    }
    return *this;
  }
  UniqueRegion(const UniqueRegion&) = delete;
  UniqueRegion& operator=(const UniqueRegion&) = delete;

  RegionId get() const { return region_; }
  explicit operator bool() const { return region_ != kNoRegion; }
  RegionId release() { return std::exchange(region_, kNoRegion); }
  void reset() {
    if (region_ != kNoRegion) system_->DeleteObject(std::exchange(region_, kNoRegion));
  }

 private:
  WindowSystem* system_ = nullptr;
  RegionId region_ = kNoRegion;
};

// A new empty region (0, 0, 0, 0), owned; empty-handed when the system refuses.
inline UniqueRegion MakeEmptyRegion(WindowSystem& system) {
  return UniqueRegion(system, system.CreateRectRgn(0, 0, 0, 0));
}

}  // namespace tessel
