// libFuzzer target: arbitrary bytes as a saved-frames file.
#include <cstddef>
#include <cstdint>

#include "fuzz/load_layout_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessel::LoadLayoutInput(data, size);
  return 0;
}
