#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace tessel {

// The registry and the file system the settings store runs on: fakes natively, the
// real ones under Wine. The scenarios hold the fakes to what the real ones do.
class StorePlatform {
 public:
  virtual ~StorePlatform() = default;
  virtual Registry& registry() = 0;
  virtual FileSystem& files() = 0;
  // A key under HKEY_CURRENT_USER and an empty folder the scenarios may fill; both are
  // gone when the platform goes.
  virtual const wchar_t* ScratchKey() = 0;
  virtual std::wstring ScratchFolder() = 0;
};

void CheckValuesKeepTypeAndBytes(StorePlatform& platform);
void CheckShortBuffersAndMissingValues(StorePlatform& platform);
void CheckWholeFiles(StorePlatform& platform);
void CheckFoldersAndMoves(StorePlatform& platform);

template <typename Platform>
class StorePlatformContract : public ::testing::Test {
 protected:
  Platform platform;
};

}  // namespace tessel

#define TESSEL_STORE_SCENARIO(Suite, Name) \
  TEST_F(Suite, Name) { ::tessel::Check##Name(platform); }

// Instantiates every scenario for one platform type.
#define TESSEL_STORE_PLATFORM_CONTRACT(Suite, PlatformType)    \
  using Suite = ::tessel::StorePlatformContract<PlatformType>; \
  TESSEL_STORE_SCENARIO(Suite, ValuesKeepTypeAndBytes)         \
  TESSEL_STORE_SCENARIO(Suite, ShortBuffersAndMissingValues)   \
  TESSEL_STORE_SCENARIO(Suite, WholeFiles)                     \
  TESSEL_STORE_SCENARIO(Suite, FoldersAndMoves)
