// The saved-frames file on the real file system: replaced in one step or not at all.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "layout/frame_model.h"
#include "platform/win32/win32_file_system.h"
#include "storage/frames_file.h"

namespace tessel {
namespace {

TEST(SavedFramesFile, IsReplacedInOneStepOrNotAtAll) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"tessel-replaced.tsf";
  Win32FileSystem files;
  const std::vector<std::uint8_t> old{'o', 'l', 'd'};
  FrameModel empty;
  std::vector<std::uint8_t> bytes;

  ASSERT_TRUE(files.WriteWholeFile(path, old));
  ASSERT_TRUE(WriteFramesFile(files, empty, path.c_str()));
  EXPECT_TRUE(files.ReadWholeFile(path, 4096, &bytes) && bytes.size() == 16u) << "the empty layout";
  EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);

  // A file another program holds open keeps what it had, and nothing is left beside it.
  ASSERT_TRUE(files.WriteWholeFile(path, old));
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteFramesFile(files, empty, path.c_str()));
  CloseHandle(held);
  EXPECT_TRUE(files.ReadWholeFile(path, 4096, &bytes) && bytes == old);
  EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace tessel
