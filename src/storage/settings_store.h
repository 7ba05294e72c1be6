#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/names.h"
#include "platform/registry.h"
#include "storage/settings.h"

namespace tessel {

// The value that tells a start whether the last exit saved everything.
constexpr wchar_t kCleanExitValue[] = L"CleanExit";

// "<application data>\Velbrook\Tessel\lastframes.tsf", making the two folders on the way.
bool LastFramesPath(FileSystem& files, std::wstring* path);

// A registry value of `length` bytes read over a setting of `size` bytes: a shorter one
// overwrites only its own bytes; a longer one is refused, leaving the setting whole.
bool TakeValue(const void* value, std::uint32_t length, void* setting, std::uint32_t size);

// Reads every setting over `settings`, in table order; a value that is missing, longer
// than its setting or unreadable leaves the setting as it was. Reads CleanExit into
// `cleanExit` (0 when missing) and deletes it: absent while the program runs, so a crash
// leaves nothing to trust. True when every value, CleanExit included, was read.
bool ReadSettings(Registry& registry, Settings* settings, std::uint32_t* cleanExit);

// Writes every setting; true when all were written.
bool WriteSettings(Registry& registry, const Settings& settings);

// Writes CleanExit: 1 for an exit that saved everything, else 0.
bool WriteCleanExit(Registry& registry, bool clean);

}  // namespace tessel
