// The Wine suites run only in the private prefix scripts/test makes: they delete the
// program's settings and saved layouts, which in anyone else's prefix are a user's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tessel::e2e {
namespace {

class PrivatePrefixOnly : public ::testing::Environment {
 public:
  void SetUp() override {
    char prefix[MAX_PATH] = {};
    std::string stamp;
    if (GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH)) {
      stamp = std::string("Z:") + prefix + "\\.tessel-ready";
      for (char& c : stamp)
        if (c == '/') c = '\\';
    }
    if (!stamp.empty() && GetFileAttributesA(stamp.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    std::fprintf(stderr,
                 "These tests delete Tessel's settings and layouts: they run only in the Wine prefix "
                 "scripts/test makes (one with .tessel-ready), not in \"%s\".\n",
                 prefix);
    std::exit(2);
  }
};

const ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new PrivatePrefixOnly);

}  // namespace
}  // namespace tessel::e2e
