#pragma once

#include <string>
#include <vector>

#include "platform/rect.h"

namespace tessel {

// One monitor of the desktop, as the system describes it.
struct MonitorArea {
  std::wstring device;  // the system's name for it, as "\\.\DISPLAY1"
  Rect monitor;         // the whole screen
  Rect work;            // without the taskbar and other docked bars
  bool primary = false;
};

inline const MonitorArea* PrimaryMonitor(const std::vector<MonitorArea>& monitors) {
  for (const MonitorArea& m : monitors)
    if (m.primary) return &m;
  return nullptr;
}

inline const MonitorArea* NamedMonitor(const std::vector<MonitorArea>& monitors, const std::wstring& device) {
  for (const MonitorArea& m : monitors)
    if (m.device == device) return &m;
  return nullptr;
}

}  // namespace tessel
