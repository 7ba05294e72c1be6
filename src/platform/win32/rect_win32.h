#pragma once

#include <windows.h>

#include "platform/rect.h"

namespace tessel {

inline Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace tessel
