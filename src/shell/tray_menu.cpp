#include "shell/tray_menu.h"

#include "shell/commands.h"
#include "shell/win32/resource_ids.h"

namespace tessel {

std::vector<TrayMenuItem> TrayMenuItems(bool haveFrames, bool newVersionAvailable) {
  const TrayMenuItem separator{0, nullptr, false, MenuImage::kNone};
  std::vector<TrayMenuItem> items{
      {IDM_SPLIT_H, L" Split &horizonally", false, MenuImage::kSplitH},
      {IDM_SPLIT_V, L" Split &vertically", false, MenuImage::kSplitV},
      {IDM_REMOVE_FRAME, L" &Remove active frame", !haveFrames, MenuImage::kRemove},
      separator,
      {IDM_LOAD_FRAMES, L" &Load frames from file", false, MenuImage::kLoad},
      {IDM_SAVE_FRAMES, L" &Save frames to file", !haveFrames, MenuImage::kSave},
      separator,
      {IDM_OPTIONS, L" &Options", false, MenuImage::kNone},
  };
  if (newVersionAvailable) items.push_back({IDM_NEW_VERSION, L" &New version available!", false, MenuImage::kNone});
  items.push_back({IDM_HELP, L" H&elp", false, MenuImage::kNone});
  items.push_back(separator);
  items.push_back({IDM_EXIT, L" E&xit", false, MenuImage::kNone});
  return items;
}

std::vector<int> MenuImageIds(std::uint32_t osMajor) {
  if (osMajor >= 6) return {IDB_SPLIT_H_16, IDB_SPLIT_V_16, IDB_REMOVE_16, IDB_LOAD_16, IDB_SAVE_16};
  return {IDB_SPLIT_H_12, IDB_SPLIT_V_12, IDB_REMOVE_12, IDB_LOAD_12, IDB_SAVE_12};
}

int TrayIconId(std::uint32_t osMajor, std::uint32_t osMinor) {
  return osMajor * 10 + osMinor > 50 ? IDI_TRAY : IDI_TRAY_CLASSIC;
}

int AboutPictureId(int dpi) {
  if (dpi >= 192) return IDB_ABOUT_200;
  return dpi >= 144 ? IDB_ABOUT_150 : IDB_ABOUT;
}

std::uint32_t TrayMenuAlignment(Point p, std::int32_t width, std::int32_t height) {
  constexpr std::uint32_t kRightAlign = 0x0008;
  constexpr std::uint32_t kBottomAlign = 0x0020;
  return (p.x > width - p.x ? kRightAlign : 0) | (p.y > height - p.y ? kBottomAlign : 0);
}

std::wstring FileDialogFolder(const std::wstring& lastLayoutFile, const std::wstring& documents) {
  const std::size_t cut = lastLayoutFile.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return documents;
  return lastLayoutFile.substr(0, cut + 1);
}

bool GiveForegroundBack(std::uint32_t command) {
  return command != 0 && command != IDM_OPTIONS && command != IDM_LOAD_FRAMES && command != IDM_SAVE_FRAMES;
}

}  // namespace tessel
