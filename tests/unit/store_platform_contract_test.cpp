#include "contract/store_platform_contract.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"

namespace tessel {
namespace {

class FakeStorePlatform final : public StorePlatform {
 public:
  FakeStorePlatform() { files_.folders.insert(kScratch); }
  ~FakeStorePlatform() override { EXPECT_EQ(registry_.openKeys(), 0) << "every key opened was closed"; }

  Registry& registry() override { return registry_; }
  FileSystem& files() override { return files_; }
  const wchar_t* ScratchKey() override { return L"Software\\Velbrook\\Scratch"; }
  std::wstring ScratchFolder() override { return kScratch; }

 private:
  static constexpr const wchar_t* kScratch = L"C:\\scratch";
  FakeRegistry registry_;
  FakeFileSystem files_;
};

TESSEL_STORE_PLATFORM_CONTRACT(FakeStorePlatformContract, FakeStorePlatform)

}  // namespace
}  // namespace tessel
