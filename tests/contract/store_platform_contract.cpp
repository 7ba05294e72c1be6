#include "contract/store_platform_contract.h"

#include <cstdint>
#include <vector>

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Read {
  std::int32_t result;
  std::uint32_t type;
  std::uint32_t size;
  Bytes bytes;
};

Read Query(Registry& reg, KeyId key, const wchar_t* name, std::uint32_t bufferSize) {
  Read r{0, 0, bufferSize, Bytes(bufferSize)};
  r.result = reg.RegQueryValueExW(key, name, &r.type, r.bytes.data(), &r.size);
  if (r.result == kErrorSuccess) r.bytes.resize(r.size);
  return r;
}

std::int32_t Put(Registry& reg, KeyId key, const wchar_t* name, std::uint32_t type, const Bytes& bytes) {
  return reg.RegSetValueExW(key, name, type, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace

void CheckValuesKeepTypeAndBytes(StorePlatform& platform) {
  Registry& reg = platform.registry();
  KeyId key = kNoKey;
  ASSERT_EQ(reg.RegCreateKeyExW(platform.ScratchKey(), &key), kErrorSuccess);
  ASSERT_NE(key, kNoKey);
  const Bytes four{1, 2, 3, 4};
  EXPECT_EQ(Put(reg, key, L"Binary", kRegBinary, four), kErrorSuccess);
  EXPECT_EQ(Put(reg, key, L"Dword", kRegDword, {5, 6, 7, 8}), kErrorSuccess);
  EXPECT_EQ(Put(reg, key, L"Empty", kRegBinary, {}), kErrorSuccess);
  EXPECT_EQ(reg.RegCloseKey(key), kErrorSuccess);

  // Values outlive the key handle they were written through.
  ASSERT_EQ(reg.RegCreateKeyExW(platform.ScratchKey(), &key), kErrorSuccess);
  Read r = Query(reg, key, L"Binary", 4);
  EXPECT_EQ(r.result, kErrorSuccess);
  EXPECT_EQ(r.type, kRegBinary);
  EXPECT_EQ(r.bytes, four);
  r = Query(reg, key, L"Binary", 8);
  EXPECT_EQ(r.result, kErrorSuccess);
  EXPECT_EQ(r.size, 4u) << "a larger buffer is filled only as far as the value goes";
  r = Query(reg, key, L"Dword", 4);
  EXPECT_EQ(r.type, kRegDword);
  EXPECT_EQ(r.bytes, (Bytes{5, 6, 7, 8}));
  r = Query(reg, key, L"Empty", 4);
  EXPECT_EQ(r.result, kErrorSuccess);
  EXPECT_EQ(r.size, 0u);
  EXPECT_EQ(reg.RegCloseKey(key), kErrorSuccess);
}

void CheckShortBuffersAndMissingValues(StorePlatform& platform) {
  Registry& reg = platform.registry();
  KeyId key = kNoKey;
  ASSERT_EQ(reg.RegCreateKeyExW(platform.ScratchKey(), &key), kErrorSuccess);
  EXPECT_EQ(Put(reg, key, L"Eight", kRegBinary, {1, 2, 3, 4, 5, 6, 7, 8}), kErrorSuccess);
  Read r = Query(reg, key, L"Eight", 4);
  EXPECT_EQ(r.result, kErrorMoreData);
  EXPECT_EQ(r.size, 8u) << "the length needed";

  EXPECT_EQ(Query(reg, key, L"Missing", 4).result, kErrorFileNotFound);
  EXPECT_EQ(reg.RegDeleteValueW(key, L"Eight"), kErrorSuccess);
  EXPECT_EQ(reg.RegDeleteValueW(key, L"Eight"), kErrorFileNotFound);
  EXPECT_EQ(Query(reg, key, L"Eight", 8).result, kErrorFileNotFound);
  EXPECT_EQ(reg.RegCloseKey(key), kErrorSuccess);
}

void CheckWholeFiles(StorePlatform& platform) {
  FileSystem& fs = platform.files();
  const std::wstring dir = platform.ScratchFolder();
  const std::wstring file = dir + L"\\file.tsf";
  Bytes read;
  EXPECT_FALSE(fs.ReadWholeFile(file, 100, &read)) << "no such file";

  const Bytes bytes{1, 2, 3, 4, 5};
  ASSERT_TRUE(fs.WriteWholeFile(file, bytes));
  ASSERT_TRUE(fs.ReadWholeFile(file, 5, &read));
  EXPECT_EQ(read, bytes);
  EXPECT_FALSE(fs.ReadWholeFile(file, 4, &read)) << "larger than allowed";

  ASSERT_TRUE(fs.WriteWholeFile(file, {9})) << "an existing file is emptied first";
  ASSERT_TRUE(fs.ReadWholeFile(file, 100, &read));
  EXPECT_EQ(read, Bytes{9});
  ASSERT_TRUE(fs.WriteWholeFile(file, {}));
  ASSERT_TRUE(fs.ReadWholeFile(file, 100, &read));
  EXPECT_TRUE(read.empty());

  EXPECT_FALSE(fs.WriteWholeFile(dir + L"\\missing\\file.tsf", bytes)) << "no such folder";
  EXPECT_TRUE(fs.DeleteFileW(file));
  EXPECT_FALSE(fs.DeleteFileW(file));

  std::wstring appData;
  ASSERT_TRUE(fs.SHGetFolderPathW(&appData));
  ASSERT_GT(appData.size(), 3u);
  EXPECT_EQ(appData.substr(1, 2), L":\\") << "a full path";
  EXPECT_NE(appData.back(), L'\\');
}

void CheckFoldersAndMoves(StorePlatform& platform) {
  FileSystem& fs = platform.files();
  const std::wstring sub = platform.ScratchFolder() + L"\\sub";
  EXPECT_TRUE(fs.CreateDirectoryW(sub));
  EXPECT_FALSE(fs.CreateDirectoryW(sub)) << "there already";
  EXPECT_FALSE(fs.CreateDirectoryW(sub + L"\\a\\b")) << "one level at a time";

  const std::wstring target = sub + L"\\target";
  const std::wstring source = sub + L"\\source";
  ASSERT_TRUE(fs.WriteWholeFile(target, {1, 1}));
  ASSERT_TRUE(fs.WriteWholeFile(source, {2, 2, 2}));
  EXPECT_TRUE(fs.MoveFileExW(source, target));
  Bytes read;
  ASSERT_TRUE(fs.ReadWholeFile(target, 100, &read));
  EXPECT_EQ(read, (Bytes{2, 2, 2}));
  EXPECT_FALSE(fs.ReadWholeFile(source, 100, &read)) << "moved, not copied";

  EXPECT_FALSE(fs.MoveFileExW(source, target)) << "nothing to move";
  ASSERT_TRUE(fs.ReadWholeFile(target, 100, &read));
  EXPECT_EQ(read, (Bytes{2, 2, 2}));
  ASSERT_TRUE(fs.WriteWholeFile(source, {3}));
  EXPECT_FALSE(fs.MoveFileExW(source, sub + L"\\missing\\target")) << "no such folder";
  EXPECT_TRUE(fs.ReadWholeFile(source, 100, &read));
  fs.DeleteFileW(source);
  fs.DeleteFileW(target);
}

}  // namespace tessel
