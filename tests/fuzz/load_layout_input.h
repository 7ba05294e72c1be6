#pragma once

#include <cstddef>
#include <cstdint>

namespace tessel {

// Loads the bytes as a saved-frames file on a fresh fake desktop. A layout that is taken
// must save again and load back from what was saved; anything else aborts. Shared by
// the fuzz target and the unit test that replays the inputs it once failed on.
void LoadLayoutInput(const std::uint8_t* data, std::size_t size);

}  // namespace tessel
