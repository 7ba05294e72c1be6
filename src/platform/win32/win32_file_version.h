#pragma once

#include <windows.h>

namespace tessel {

// Copies the fixed part of a file's version resource into `info`: 0, or -1 when the
// file has no readable version resource.
int ReadFileVersion(const wchar_t* path, VS_FIXEDFILEINFO* info);

}  // namespace tessel
