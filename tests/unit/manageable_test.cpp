#include "desktop/manageable.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(Manageable, ShellProgramSystemAndTransientWindowsAreRefused) {
  const OsVersionInfo xp{5, 1}, vista{6, 0}, seven{6, 1};
  constexpr std::uint32_t kPopup = kWsPopup, kDialog = kWsPopup | kWsCaption;
  const struct Row {
    const wchar_t* cls;
    const wchar_t* title;
    OsVersionInfo version;
    bool manageable;
    std::uint32_t style = 0, exStyle = 0, classStyle = 0;
    bool owned = false, visible = true;
  } rows[] = {
      {L"Notepad", L"Untitled - Notepad", xp, true},
      {L"#32770", L"Save As", xp, true},
      {L"#32770", L"Tessel - Options", xp, false},
      {L"Shell_TrayWnd", L"", xp, false},
      {L"ComboLBox", L"", xp, false},
      {L"Progman", L"Program Manager", xp, false},
      {L"TesselClass", L"Tessel", xp, false},
      {L"TesselSplitterClass", L"TesselSplitter", xp, false},
      {L"ConsoleWindowClass", L"cmd", vista, false},
      {L"ConsoleWindowClass", L"cmd", seven, true},
      {L"Button", L"Start", xp, true},
      {L"Button", L"Start", vista, false},
      {L"TaskListThumbnailWnd", L"", xp, true},
      {L"WidgetTOOLTIP", L"", xp, false},
      {L"ConsoleWindowClassWithALongSuffix", L"", xp, true},  // classes count to 30 characters
      {L"XXXXXXXXXXXXXXXXXXXXXXXtooltip", L"", xp, false},
      {L"XXXXXXXXXXXXXXXXXXXXXXXXtooltip", L"", xp, true},
      {L"Notepad", L"", xp, false, kWsChild},
      {L"Notepad", L"", xp, false, 0, 0, kCsIme},
      {L"Notepad", L"", xp, false, 0, 0, 0, false, false},         // hidden
      {L"#32770", L"Find", xp, true, kDialog, 0, 0, true, false},  // hidden dialog
      {L"#32770", L"Tessel", xp, false, kDialog, 0, 0, false, false},
      {L"Popup", L"", xp, false, kPopup | 0x00800000, 0, 0, true},  // owned, a border only: a menu
      {L"Tip", L"", xp, false, kPopup, kWsExTopmost},
      {L"Splash", L"", xp, true, kPopup},
      {L"Tool", L"", xp, true, 0, 0, 0, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
    const WindowTraits w{row.style, row.exStyle, row.classStyle, row.owned, row.visible, row.cls, row.title};
    EXPECT_EQ(IsManageableWindow(w, row.version), row.manageable);
  }
}

}  // namespace
}  // namespace tessel
