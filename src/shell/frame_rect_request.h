#pragma once

#include <cstdint>

#include "platform/handles.h"

namespace tessel {

// A frame-rectangle request of the hook library (WM_COPYDATA): whose frame, and the
// number of the shared block the answer goes in.
struct FrameRectRequest {
  WindowId window{};
  std::int32_t number = 0;
};

// Reads the request from a block sent by any process, only as far as it is really there:
// false for a null or short block, or one without the request's mark (36).
bool ParseFrameRectRequest(const void* data, std::uint32_t size, FrameRectRequest* request);

}  // namespace tessel
