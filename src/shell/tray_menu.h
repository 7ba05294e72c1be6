#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rect.h"

namespace tessel {

constexpr std::uint32_t WM_TRAYNOTIFY = 0x0465;  // the icon's callback message (WM_USER + 101)

enum class MenuImage { kNone, kSplitH, kSplitV, kRemove, kLoad, kSave };

struct TrayMenuItem {
  std::uint16_t command;  // 0 for a separator
  const wchar_t* text;    // null for a separator
  bool grayed;
  MenuImage image;
};

// The tray menu as it stands now: removing and saving need frames, and the new-version
// entry shows only while a newer version is known.
std::vector<TrayMenuItem> TrayMenuItems(bool haveFrames, bool newVersionAvailable);

// The bitmap resources of the menu images (split horizontally, vertically, remove, load,
// save): 16-pixel images from Windows Vista on, 12-pixel ones before.
std::vector<int> MenuImageIds(std::uint32_t osMajor);

// The tray icon's resource: the classic one on Windows 2000 only.
int TrayIconId(std::uint32_t osMajor, std::uint32_t osMinor);

// The About page's picture for a display of `dpi` dots per inch: the largest of the
// 100 %, 150 % and 200 % ones not larger than the display's scale, as the page is laid
// out in its font's units.
int AboutPictureId(int dpi);

// TrackPopupMenu alignment flags that open the menu toward the middle of the screen.
std::uint32_t TrayMenuAlignment(Point cursor, std::int32_t screenWidth, std::int32_t screenHeight);

// The folder the load and save dialogs open in: that of the layout file last chosen in
// one of them, else the user's documents folder.
std::wstring FileDialogFolder(const std::wstring& lastLayoutFile, const std::wstring& documents);

// Whether the window in front before the menu gets the foreground back after `command`
// was chosen from it (0: none): only after a command that opens no dialog of its own.
bool GiveForegroundBack(std::uint32_t command);

}  // namespace tessel
