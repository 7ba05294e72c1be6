#pragma once

#include <cstdint>

namespace tessel {

// Commands posted to the main window as the low word of WM_COMMAND's wParam.
enum Command : std::uint16_t {
  IDM_MOVE_LEFT = 32767,
  IDM_MOVE_UP = 32768,
  IDM_MOVE_RIGHT = 32769,
  IDM_MOVE_DOWN = 32770,
  IDM_SPLIT_H = 32771,
  IDM_SPLIT_V = 32772,
  IDM_REMOVE_FRAME = 32773,
  IDM_EXIT = 32774,
  IDM_OPTIONS = 32776,
  IDM_NEW_VERSION = 32777,
  IDM_SAVE_FRAMES = 32778,
  IDM_LOAD_FRAMES = 32779,
  IDM_MAGIC_CLICK = 32781,
  IDM_HELP = 32785,
};

}  // namespace tessel
