#pragma once

#include <cstdint>

namespace tessel {

// Handles cross the platform seam as opaque ids: the core compares and stores them,
// never looks inside. The Windows build converts them to and from HWND and HRGN;
// tests make them up from a counter.
enum class WindowId : std::uintptr_t {};
enum class RegionId : std::uintptr_t {};
enum class ModuleId : std::uintptr_t {};

constexpr WindowId kNoWindow{};
constexpr RegionId kNoRegion{};
constexpr ModuleId kNoModule{};

}  // namespace tessel
