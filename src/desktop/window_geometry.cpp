#include "desktop/window_geometry.h"

#include <algorithm>

namespace tessel {
namespace {

constexpr Point kNowhere{-30000, -30000};
// Owner chains are short; the cap only guards against a chain that never ends.
constexpr int kMaxOwnerDepth = 256;

std::int32_t NotNegative(std::int32_t v) { return v < 0 ? 0 : v; }

std::int32_t Middle(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>((std::int64_t{a} + b) / 2);
}

}  // namespace

Point ReferencePoint(WindowSystem& sys, WindowId window) {
  if (sys.IsIconic(window)) {
    WindowPlacement placement;
    if (!sys.GetWindowPlacement(window, &placement)) return kNowhere;
    const Rect& n = placement.rcNormalPosition;
    if (n.right < 0 || n.bottom < 0) return kNowhere;
    return {NotNegative(Middle(n.left, n.right)), NotNegative(n.top + 5)};
  }
  WindowInfo info;
  if (sys.GetWindowInfo(window, &info) && info.rcWindow.right > 0 && info.rcWindow.bottom > 0) {
    return {NotNegative(Middle(info.rcWindow.left, info.rcWindow.right)),
            info.rcClient.top > 0 ? info.rcClient.top - 1 : 0};
  }
  Rect r;
  if (sys.GetWindowRect(window, &r)) return {NotNegative(Middle(r.left, r.right)), r.top > 0 ? r.top - 1 : 0};
  return kNowhere;
}

WindowId RootOwner(WindowSystem& sys, WindowId window) {
  WindowId root = window;
  for (int i = 0; i < kMaxOwnerDepth; ++i) {
    const WindowId up = sys.GetParent(root);
    if (up == kNoWindow) break;
    root = up;
  }
  return root;
}

bool IsOwnedBy(WindowSystem& sys, WindowId window, WindowId ancestor) {
  WindowId w = window;
  for (int i = 0; i < kMaxOwnerDepth; ++i) {
    w = sys.GetParent(w);
    if (w == kNoWindow) return false;
    if (w == ancestor) return true;
  }
  return false;
}

bool ReadWindowRectAndCaption(WindowSystem& sys, WindowId window, Rect* rect, std::int32_t* caption) {
  if (sys.IsIconic(window)) {
    WindowPlacement placement;
    if (!sys.GetWindowPlacement(window, &placement)) return false;
    *rect = placement.rcNormalPosition;
    *caption = sys.GetSystemMetrics(kSmCyCaption);
    return true;
  }
  WindowInfo info;
  if (!sys.GetWindowInfo(window, &info)) return false;
  *rect = info.rcWindow;
  *caption = info.rcClient.top - info.rcWindow.top;
  return true;
}

}  // namespace tessel
