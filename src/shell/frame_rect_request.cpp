#include "shell/frame_rect_request.h"

#include <cstring>

namespace tessel {

bool ParseFrameRectRequest(const void* data, std::uint32_t size, FrameRectRequest* request) {
  // As the hook library lays it out: the window as 32 bits, the mark, the block number.
  struct Wire {
    std::uint32_t window;
    std::uint32_t magic;
    std::int32_t number;
  };
  if (!data || size < sizeof(Wire)) return false;
  Wire wire;
  std::memcpy(&wire, data, sizeof wire);
  if (wire.magic != 36) return false;
  request->window = WindowIdFromWire(wire.window);
  request->number = wire.number;
  return true;
}

}  // namespace tessel
