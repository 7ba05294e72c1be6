#include "platform/win32/win32_file_version.h"

#include <vector>

namespace tessel {

int ReadFileVersion(const wchar_t* path, VS_FIXEDFILEINFO* info) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return -1;
  std::vector<BYTE> block(size);
  void* fixed = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(path, 0, size, block.data()) ||
      !VerQueryValueW(block.data(), L"\\", &fixed, &length) || length < sizeof *info)
    return -1;
  *info = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
  return 0;
}

}  // namespace tessel
