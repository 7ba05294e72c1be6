#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace tessel {

inline HWND ToHwnd(WindowId id) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id)); }
inline WindowId ToWindowId(HWND hwnd) { return WindowId{reinterpret_cast<std::uintptr_t>(hwnd)}; }
inline HRGN ToHrgn(RegionId id) { return reinterpret_cast<HRGN>(static_cast<std::uintptr_t>(id)); }
inline RegionId ToRegionId(HRGN hrgn) { return RegionId{reinterpret_cast<std::uintptr_t>(hrgn)}; }

}  // namespace tessel
