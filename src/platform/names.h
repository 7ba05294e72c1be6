#pragma once

#include <cstdint>

// The names other programs and the hook library know this program by. Shared by the
// program and hmg.dll; needs no system header.
namespace tessel {

// The hidden main window: its class and title make the single-instance test.
constexpr wchar_t kMainWindowClass[] = L"TesselClass";
constexpr wchar_t kMainWindowTitle[] = L"Tessel";
// The splitter bars.
constexpr wchar_t kSplitterClass[] = L"TesselSplitterClass";
constexpr wchar_t kSplitterTitle[] = L"TesselSplitter";
// The user data every window of the program carries ("tsWn").
constexpr std::int32_t kWindowTag = 0x6E577374;
// The registered message that carries a window event from the hook library.
constexpr wchar_t kManageMessage[] = L"TesselManageMsg";
// The program's key under HKEY_CURRENT_USER.
constexpr wchar_t kSettingsKey[] = L"Software\\Velbrook\\Tessel";

}  // namespace tessel
