#pragma once

#include <cstddef>
#include <cstdint>

namespace tessel {

// Takes the bytes through the loader's path without windows: decoded, checked, fitted
// to a work area and built into frames. A layout that is taken must come back from those
// frames, and from their saved bytes, as it was fitted; anything else aborts. Shared by
// the fuzz target and the unit test that replays the inputs it once failed on.
void LoadLayoutInput(const std::uint8_t* data, std::size_t size);

}  // namespace tessel
