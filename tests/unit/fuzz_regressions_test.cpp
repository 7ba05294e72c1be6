#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/load_layout_input.h"

namespace tessel {
namespace {

// Inputs the loader once failed on (crashes, layouts spanning the coordinate range), under the sanitizers.
TEST(FuzzRegressions, SavedFramesInputsLoadSafely) {
  for (const auto& entry : std::filesystem::directory_iterator(TESSEL_FUZZ_REGRESSIONS)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    LoadLayoutInput(bytes.data(), bytes.size());
  }
}

}  // namespace
}  // namespace tessel
