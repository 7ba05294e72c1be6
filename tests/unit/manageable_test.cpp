#include "desktop/manageable.h"

#include "unit/workspace_test.h"

namespace tessel {
namespace {

class ManageableTest : public WorkspaceTest {
 protected:
  struct Case {
    const wchar_t* className;
    const wchar_t* title;
    OsVersionInfo version;
    bool expected;
  };

  WindowId OpenNamed(const wchar_t* className, const wchar_t* title, bool visible = true) {
    FakeWindowSystem::Spec spec;
    spec.rect = {100, 100, 400, 300};
    spec.className = className;
    spec.title = title;
    spec.visible = visible;
    return desktop.AddWindow(spec);
  }
};

TEST_F(ManageableTest, ShellProgramAndSystemWindowsAreRefused) {
  const OsVersionInfo xp{5, 1}, vista{6, 0}, seven{6, 1};
  const Case cases[] = {
      {L"Notepad", L"Untitled - Notepad", xp, true},
      {L"#32770", L"Save As", xp, true},
      {L"#32770", L"Tessel - Options", xp, false},
      {L"#32770", L"Tesselated", xp, false},
      {L"#32770", L"Tess", xp, true},
      {L"Notepad", L"Tessel", xp, true},
      {L"#32768", L"", xp, false},
      {L"#32769", L"", xp, false},
      {L"#32771", L"", xp, false},
      {L"IME", L"", xp, false},
      {L"BaseBar", L"", xp, false},
      {L"SysShadow", L"", xp, false},
      {L"Shell_TrayWnd", L"", xp, false},
      {L"DV2ControlHost", L"", xp, false},
      {L"Progman", L"Program Manager", xp, false},
      {L"TesselClass", L"Tessel", xp, false},
      {L"TesselSplitterClass", L"TesselSplitter", xp, false},
      {L"ConsoleWindowClass", L"cmd", xp, false},
      {L"ConsoleWindowClass", L"cmd", vista, false},
      {L"ConsoleWindowClass", L"cmd", seven, true},
      {L"Button", L"Start", xp, true},
      {L"Button", L"Start", vista, false},
      {L"Button", L"Stop", vista, true},
      {L"TaskListThumbnailWnd", L"", xp, true},
      {L"TaskListThumbnailWnd", L"", seven, false},
      {L"TaskListOverlayWnd", L"", seven, false},
      {L"TaskSwitcherWnd", L"", seven, false},
      {L"tooltips_class32", L"", xp, false},
      {L"MyToolTipHost", L"", xp, false},
      {L"WidgetTOOLTIP", L"", xp, false},
      // Only the first 30 characters of a class name count.
      {L"ConsoleWindowClassWithALongSuffix", L"", xp, true},
      {L"XXXXXXXXXXXXXXXXXXXXXXXtooltip", L"", xp, false},
      {L"XXXXXXXXXXXXXXXXXXXXXXXXtooltip", L"", xp, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "class of " << std::wstring(c.className).size() << " chars, row "
                                      << (&c - cases));
    ws.osVersion = c.version;
    EXPECT_EQ(IsManageable(ws, OpenNamed(c.className, c.title)), c.expected);
  }
}

TEST_F(ManageableTest, MenusDropDownsAndOtherTransientPopupsAreRefused) {
  const WindowId owner = OpenNamed(L"Notepad", L"Untitled - Notepad");
  struct Popup {
    const char* name;
    const wchar_t* className;
    std::uint32_t style;
    std::uint32_t exStyle;
    bool owned;
    bool expected;
  };
  const std::uint32_t popup = FakeWindowSystem::kPopup;
  const Popup cases[] = {
      {"owned caption-less pop-up (a menu, a list)", L"Popup", popup | 0x00800000 /* border */, 0, true, false},
      {"topmost caption-less pop-up (a tooltip)", L"Tip", popup, kWsExTopmost, false, false},
      {"drop-down list of a combo box", L"ComboLBox", popup, 0, false, false},
      {"unowned caption-less pop-up (a splash screen)", L"Splash", popup, 0, false, true},
      {"owned pop-up with a caption (a dialog)", L"#32770", popup | kWsCaption, 0, true, true},
      {"owned overlapped window without a caption", L"Tool", 0, 0, true, true},
  };
  for (const Popup& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindowSystem::Spec spec;
    spec.rect = {100, 100, 300, 200};
    spec.className = c.className;
    spec.style = c.style;
    spec.exStyle = c.exStyle;
    spec.owner = c.owned ? owner : kNoWindow;
    EXPECT_EQ(IsManageable(ws, desktop.AddWindow(spec)), c.expected);
  }
}

TEST_F(ManageableTest, HiddenWindowsOnlyAsDialogs) {
  EXPECT_FALSE(IsManageable(ws, OpenNamed(L"Notepad", L"x", false)));
  EXPECT_TRUE(IsManageable(ws, OpenNamed(L"#32770", L"Find", false)));
  EXPECT_FALSE(IsManageable(ws, OpenNamed(L"#32770", L"Tessel", false)));
}

TEST_F(ManageableTest, ChildAndImeWindowsAreRefusedBeforeTheirNamesAreRead) {
  FakeWindowSystem::Spec child;
  child.style = kWsChild;
  FakeWindowSystem::Spec ime;
  ime.classStyle = kCsIme;
  for (const FakeWindowSystem::Spec& spec : {child, ime}) {
    const WindowId w = desktop.AddWindow(spec);
    desktop.ClearCalls();
    EXPECT_FALSE(IsManageable(ws, w));
    EXPECT_EQ(desktop.CallCount("GetClassNameW"), 0);
  }
  EXPECT_FALSE(IsManageable(ws, WindowId{0x999})) << "a vanished window has no class name";
}

TEST_F(ManageableTest, ExistingWindowsAreTakenInTopDownThenOwnedBottomUp) {
  desktop.workArea = {0, 0, 1000, 800};
  Frame* root = tree.SplitArea(desktop.workArea, true);
  const WindowId lower = Open({10, 10, 300, 300});
  const WindowId upper = Open({20, 20, 310, 310});
  const WindowId first = OpenDialog({30, 30, 100, 100}, lower);
  const WindowId second = OpenDialog({40, 40, 110, 110}, lower);
  const WindowId third = OpenDialog({50, 50, 120, 120}, lower);  // top of the z-order
  const WindowId hidden = OpenNamed(L"Notepad", L"", false);

  ManageExistingWindows(ws);
  // Each placement goes to the head of the leaf's list: the last one placed comes first.
  EXPECT_EQ(WindowsOf(root->first), (std::vector<WindowId>{third, second, first, lower, upper}));
  EXPECT_EQ(ws.model.FindManagedWindow(hidden), nullptr);

  std::deque<WindowId> pending;
  EXPECT_TRUE(EnumManageProc(ws, hidden, &pending));
  EXPECT_TRUE(EnumManageProc(ws, first, nullptr)) << "owned windows are dropped without a list";
  EXPECT_TRUE(pending.empty());
}

}  // namespace
}  // namespace tessel
