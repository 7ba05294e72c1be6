#pragma once

// What the 64-bit program and the 32-bit hook host it starts beside itself agree on.
// The host loads the 32-bit hook library and hooks the threads of 32-bit processes with
// it, so that 32-bit applications report to the same main window.
#include <cstdint>

namespace tessel::hookhost {

// Both lie beside the 64-bit program.
constexpr wchar_t kHostFile[] = L"hookhost32.exe";
constexpr wchar_t kLibraryFile[] = L"hmg32.dll";

// The host's command line is the program's process id in decimal; it ends when that
// process ends, or when its thread is sent WM_QUIT.
constexpr std::uint32_t kExitDone = 0;
// No such program, or no whole hook library: starting it again would change nothing.
constexpr std::uint32_t kExitRefused = 2;

}  // namespace tessel::hookhost
