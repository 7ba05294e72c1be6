#pragma once

#include <cstdint>

namespace tessel {

// Handles cross the platform seam as opaque ids: the core compares and stores them,
// never looks inside. The Windows build converts them to and from HWND and HRGN;
// tests make them up.
enum class WindowId : std::uintptr_t {};
enum class RegionId : std::uintptr_t {};
enum class ModuleId : std::uintptr_t {};

constexpr WindowId kNoWindow{};
constexpr RegionId kNoRegion{};
constexpr ModuleId kNoModule{};

// A window handle that crossed a process boundary in 32 bits (a message's wParam from a
// 32-bit process, a field of a request). Handles are 32-bit values that 64-bit Windows
// sign-extends, so this is the handle the receiving process knows in either build.
constexpr WindowId WindowIdFromWire(std::uint32_t handle) {
  return WindowId{static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(handle)))};
}

}  // namespace tessel
