#include "contract/window_system_contract.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "platform/region.h"

namespace tessel {

// Rectangles read as "left,top,right,bottom" and handles in hex in failure messages.
static void PrintTo(const Rect& r, std::ostream* os) {
  *os << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
}
static void PrintTo(WindowId window, std::ostream* os) {
  *os << "window 0x" << std::hex << static_cast<std::uintptr_t>(window) << std::dec;
}

namespace {

// A window slot holds a pointer: 4 bytes in the 32-bit build, 8 in the 64-bit one.
constexpr int kSlot = sizeof(std::intptr_t);

Rect WindowRect(WindowSystem& ws, WindowId window) {
  Rect r{-1, -1, -1, -1};
  ws.GetWindowRect(window, &r);
  return r;
}

Rect Inflate(const Rect& r, std::int32_t dx, std::int32_t dy) {
  return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

bool Within(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Place(WindowSystem& ws, WindowId window, const Rect& r) {
  return ws.SetWindowPos(window, kNoWindow, r.left, r.top, r.Width(), r.Height(), kSwpPlace);
}

std::uint32_t StyleOf(WindowSystem& ws, WindowId window) {
  return static_cast<std::uint32_t>(ws.GetWindowLongW(window, kGwlStyle));
}

std::wstring ClassNameOf(WindowSystem& ws, WindowId window) {
  wchar_t name[256];
  const int n = ws.GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? n : 0);
}

UniqueRegion NewRegion(WindowSystem& ws, const Rect& r) {
  return UniqueRegion(ws, ws.CreateRectRgn(r.left, r.top, r.right, r.bottom));
}

// The window's region, copied out; empty-handed with `type` kRegionError when it has none.
UniqueRegion RegionOf(WindowSystem& ws, WindowId window, int* type) {
  UniqueRegion region = MakeEmptyRegion(ws);
  *type = ws.GetWindowRgn(window, region.get());
  if (*type == kRegionError) region.reset();
  return region;
}

}  // namespace

void CheckExtraSlots(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId popup = desktop.CreatePopup(kSlot);
  ASSERT_NE(popup, kNoWindow);
  EXPECT_EQ(ws.SetWindowLongW(popup, 0, 0x6E577374), 0) << "a new slot holds zero";
  EXPECT_EQ(ws.SetWindowLongW(popup, 0, 0), 0x6E577374) << "the previous value comes back";
  EXPECT_EQ(ws.SetWindowLongW(popup, kSlot, 1), 0) << "a slot past the extra bytes is refused";
  EXPECT_EQ(ws.SetWindowLongW(popup, kSlot, 2), 0) << "and nothing was stored there";
  ws.SendMessageW(popup, kWmClose, 0, 0);
  EXPECT_EQ(ws.SetWindowLongW(popup, 0, 5), 0) << "a destroyed window has no slots";
}

void CheckPaintReachesProcedure(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId popup = desktop.CreatePopup(kSlot);
  ASSERT_NE(popup, kNoWindow);
  const int before = desktop.MessagesSeen(popup, kWmPaint);
  ws.SendMessageW(popup, kWmPaint, 0, 0);
  ws.SendMessageW(popup, kWmPaint, 0, 0);
  EXPECT_EQ(desktop.MessagesSeen(popup, kWmPaint), before + 2);
  EXPECT_TRUE(ws.IsWindow(popup)) << "painting leaves the window alone";
  ws.SendMessageW(popup, kWmClose, 0, 0);
}

void CheckCloseDestroysWindow(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId popup = desktop.CreatePopup(kSlot);
  ASSERT_NE(popup, kNoWindow);
  EXPECT_TRUE(ws.IsWindow(popup));
  EXPECT_EQ(ws.SendMessageW(popup, kWmClose, 0, 0), 0);
  EXPECT_EQ(desktop.MessagesSeen(popup, kWmClose), 1);
  EXPECT_FALSE(ws.IsWindow(popup));
  const int paints = desktop.MessagesSeen(popup, kWmPaint);
  EXPECT_EQ(ws.SendMessageW(popup, kWmPaint, 0, 0), 0);
  EXPECT_EQ(desktop.MessagesSeen(popup, kWmPaint), paints) << "nothing reaches a destroyed window";
  EXPECT_FALSE(ws.IsWindow(kNoWindow));
}

void CheckMovesAndSizes(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId plain = desktop.Open(TestWindowKind::kPlain, {100, 100, 500, 400});
  ASSERT_NE(plain, kNoWindow);

  EXPECT_TRUE(ws.SetWindowPos(plain, kNoWindow, 200, 150, 1, 1, kSwpMove));
  EXPECT_EQ(WindowRect(ws, plain), (Rect{200, 150, 600, 450})) << "moved, the size it was given ignored";
  EXPECT_TRUE(ws.SetWindowPos(plain, kNoWindow, 50, 60, 300, 200, kSwpPlace));
  EXPECT_EQ(WindowRect(ws, plain), (Rect{50, 60, 350, 260})) << "moved and sized";
  EXPECT_TRUE(ws.SetWindowPos(plain, kNoWindow, -30, -20, 300, 200, kSwpMove));
  EXPECT_EQ(WindowRect(ws, plain), (Rect{-30, -20, 270, 180})) << "partly off the screen is allowed";

  // A sizable window keeps within its tracking sizes; the call still succeeds.
  const Rect smallest{0, 0, ws.GetSystemMetrics(kSmCxMinTrack), ws.GetSystemMetrics(kSmCyMinTrack)};
  const Rect largest{0, 0, ws.GetSystemMetrics(kSmCxMaxTrack), ws.GetSystemMetrics(kSmCyMaxTrack)};
  ASSERT_GT(smallest.Width(), 20);
  ASSERT_GT(smallest.Height(), 10);
  EXPECT_TRUE(ws.SetWindowPos(plain, kNoWindow, 40, 50, 20, 10, kSwpPlace));
  EXPECT_EQ(WindowRect(ws, plain), smallest.Offset(40, 50)) << "no smaller than the minimum tracking size";
  EXPECT_TRUE(ws.SetWindowPos(plain, kNoWindow, 40, 50, -5, -5, kSwpPlace));
  EXPECT_EQ(WindowRect(ws, plain), smallest.Offset(40, 50)) << "a negative size is the smallest too";
  EXPECT_TRUE(ws.SetWindowPos(plain, kNoWindow, -8, -8, 5000, 5000, kSwpPlace));
  EXPECT_EQ(WindowRect(ws, plain), largest.Offset(-8, -8)) << "no larger than the maximum tracking size";

  // A popup without a sizing border takes any size it is given.
  const WindowId dialog = desktop.Open(TestWindowKind::kOwnedDialog, {150, 150, 400, 300});
  ASSERT_NE(dialog, kNoWindow);
  EXPECT_TRUE(ws.SetWindowPos(dialog, kNoWindow, 10, 20, 5, 3, kSwpPlace));
  EXPECT_EQ(WindowRect(ws, dialog), (Rect{10, 20, 15, 23}));
}

void CheckClipRegions(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId plain = desktop.Open(TestWindowKind::kPlain, {100, 100, 500, 400});
  ASSERT_NE(plain, kNoWindow);
  int type = -1;
  EXPECT_FALSE(RegionOf(ws, plain, &type));
  EXPECT_EQ(type, kRegionError) << "a window without a region of its own";

  // Copies compare equal; a region one pixel taller does not.
  UniqueRegion clip = NewRegion(ws, {10, 20, 300, 250});
  UniqueRegion copy = MakeEmptyRegion(ws);
  EXPECT_EQ(ws.CombineRgn(copy.get(), clip.get(), kNoRegion, kRgnCopy), kSimpleRegion);
  EXPECT_TRUE(ws.EqualRgn(clip.get(), copy.get()));
  UniqueRegion taller = NewRegion(ws, {10, 20, 300, 251});
  EXPECT_FALSE(ws.EqualRgn(clip.get(), taller.get()));
  UniqueRegion reversed = NewRegion(ws, {300, 250, 10, 20});
  EXPECT_TRUE(ws.EqualRgn(clip.get(), reversed.get())) << "corners given in any order";

  // Set in window coordinates, read back as set.
  ASSERT_NE(ws.SetWindowRgn(plain, clip.get(), true), 0);
  clip.release();  // the system's now
  UniqueRegion back = RegionOf(ws, plain, &type);
  EXPECT_EQ(type, kSimpleRegion);
  ASSERT_TRUE(back);
  Rect box;
  EXPECT_EQ(ws.GetRgnBox(back.get(), &box), kSimpleRegion);
  EXPECT_EQ(box, (Rect{10, 20, 300, 250}));
  EXPECT_TRUE(ws.EqualRgn(back.get(), copy.get()));

  // The region travels with the window.
  ASSERT_TRUE(ws.SetWindowPos(plain, kNoWindow, 300, 320, 0, 0, kSwpMove));
  back = RegionOf(ws, plain, &type);
  ASSERT_TRUE(back);
  EXPECT_TRUE(ws.EqualRgn(back.get(), copy.get())) << "window coordinates do not change with a move";

  // Kept as given even where it reaches past the window.
  UniqueRegion wide = NewRegion(ws, {-10, 5, 5000, 5000});
  ASSERT_NE(ws.SetWindowRgn(plain, wide.release(), false), 0);
  back = RegionOf(ws, plain, &type);
  ASSERT_TRUE(back);
  EXPECT_EQ(ws.GetRgnBox(back.get(), &box), kSimpleRegion);
  EXPECT_EQ(box, (Rect{-10, 5, 5000, 5000}));

  // An empty region hides the whole window; it is still a region.
  UniqueRegion empty = MakeEmptyRegion(ws);
  ASSERT_NE(ws.SetWindowRgn(plain, empty.release(), true), 0);
  back = RegionOf(ws, plain, &type);
  EXPECT_EQ(type, kNullRegion);
  ASSERT_TRUE(back);
  EXPECT_EQ(ws.GetRgnBox(back.get(), &box), kNullRegion);
  EXPECT_EQ(box, Rect{});

  // No region at all again.
  EXPECT_NE(ws.SetWindowRgn(plain, kNoRegion, true), 0);
  EXPECT_FALSE(RegionOf(ws, plain, &type));
  EXPECT_EQ(type, kRegionError);
}

void CheckOwnRegionCutByClip(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const Rect place{100, 100, 500, 400};
  const WindowId shaped = desktop.Open(TestWindowKind::kShaped, place);
  ASSERT_NE(shaped, kNoWindow);
  const Rect window{0, 0, place.Width(), place.Height()};

  int type = -1;
  UniqueRegion own = RegionOf(ws, shaped, &type);
  EXPECT_EQ(type, kComplexRegion) << "a rounded shape is no rectangle";
  ASSERT_TRUE(own);
  Rect ownBox;
  EXPECT_EQ(ws.GetRgnBox(own.get(), &ownBox), kComplexRegion);
  EXPECT_FALSE(ownBox.IsEmpty());
  EXPECT_TRUE(Within(ownBox, window));

  // The shape cut by a frame's edge: still rounded, inside both.
  const Rect clipRect{50, 0, 500, 150};
  UniqueRegion clip = NewRegion(ws, clipRect);
  UniqueRegion cut = MakeEmptyRegion(ws);
  EXPECT_EQ(ws.CombineRgn(cut.get(), own.get(), clip.get(), kRgnAnd), kComplexRegion);
  Rect cutBox;
  EXPECT_EQ(ws.GetRgnBox(cut.get(), &cutBox), kComplexRegion);
  EXPECT_FALSE(cutBox.IsEmpty());
  EXPECT_TRUE(Within(cutBox, clipRect));
  EXPECT_TRUE(Within(cutBox, ownBox));
  EXPECT_FALSE(ws.EqualRgn(cut.get(), own.get()));

  UniqueRegion expected = MakeEmptyRegion(ws);
  ASSERT_EQ(ws.CombineRgn(expected.get(), cut.get(), kNoRegion, kRgnCopy), kComplexRegion);
  ASSERT_NE(ws.SetWindowRgn(shaped, cut.get(), true), 0);
  cut.release();
  UniqueRegion back = RegionOf(ws, shaped, &type);
  EXPECT_EQ(type, kComplexRegion);
  ASSERT_TRUE(back);
  EXPECT_TRUE(ws.EqualRgn(back.get(), expected.get())) << "the window's region is the one set";

  // A corner outside the rounding has nothing in common with the shape.
  UniqueRegion corner = NewRegion(ws, {0, 0, 2, 2});
  UniqueRegion none = MakeEmptyRegion(ws);
  EXPECT_EQ(ws.CombineRgn(none.get(), own.get(), corner.get(), kRgnAnd), kNullRegion);
}

void CheckMaximisedWindowOverFrame(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  Rect work;
  ASSERT_TRUE(ws.GetWorkArea(&work));
  const WindowId maximised = desktop.Open(TestWindowKind::kMaximised, {140, 150, 540, 450});
  ASSERT_NE(maximised, kNoWindow);
  EXPECT_TRUE(ws.IsZoomed(maximised));
  EXPECT_FALSE(ws.IsIconic(maximised));

  // Its borders hang over the edges of the work area.
  WindowInfo info;
  ASSERT_TRUE(ws.GetWindowInfo(maximised, &info));
  const auto bx = static_cast<std::int32_t>(info.cxWindowBorders);
  const auto by = static_cast<std::int32_t>(info.cyWindowBorders);
  EXPECT_GT(bx, 0);
  EXPECT_GT(by, 0);
  EXPECT_EQ(info.rcWindow, Inflate(work, bx, by));
  EXPECT_EQ(WindowRect(ws, maximised), info.rcWindow);
  EXPECT_EQ(info.rcClient.left, work.left);
  EXPECT_EQ(info.rcClient.right, work.right);
  EXPECT_EQ(info.rcClient.bottom, work.bottom);

  // Laid exactly over a frame, it stays maximised.
  const Rect frame{300, 200, 800, 600};
  EXPECT_TRUE(Place(ws, maximised, frame));
  EXPECT_EQ(WindowRect(ws, maximised), frame);
  EXPECT_TRUE(ws.IsZoomed(maximised));
  EXPECT_NE(StyleOf(ws, maximised) & kWsMaximizeStyle, 0u);
  WindowPlacement placement;
  ASSERT_TRUE(ws.GetWindowPlacement(maximised, &placement));
  EXPECT_EQ(placement.showCmd, kSwShowMaximized);

  // A frame narrower than the smallest tracking width leaves it wider than the frame.
  const std::int32_t minWidth = ws.GetSystemMetrics(kSmCxMinTrack);
  const Rect narrow{300, 200, 300 + minWidth / 2, 600};
  EXPECT_TRUE(Place(ws, maximised, narrow));
  EXPECT_EQ(WindowRect(ws, maximised), (Rect{300, 200, 300 + minWidth, 600}));

  // And back over the whole work area.
  EXPECT_TRUE(Place(ws, maximised, Inflate(work, bx, by)));
  EXPECT_EQ(WindowRect(ws, maximised), Inflate(work, bx, by));
  EXPECT_TRUE(ws.IsZoomed(maximised));
}

void CheckPlacement(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  Rect work;
  ASSERT_TRUE(ws.GetWorkArea(&work));
  WindowPlacement placement;

  const WindowId plain = desktop.Open(TestWindowKind::kPlain, {100, 110, 500, 400});
  ASSERT_NE(plain, kNoWindow);
  ASSERT_TRUE(ws.GetWindowPlacement(plain, &placement));
  EXPECT_EQ(placement.showCmd, kSwShowNormal);
  EXPECT_EQ(placement.rcNormalPosition, (Rect{100, 110, 500, 400}));
  ASSERT_TRUE(ws.SetWindowPos(plain, kNoWindow, 20, 30, 0, 0, kSwpMove));
  ASSERT_TRUE(ws.GetWindowPlacement(plain, &placement));
  EXPECT_EQ(placement.rcNormalPosition, WindowRect(ws, plain))
      << "a normal window's normal position is where it is";

  const WindowId minimised = desktop.Open(TestWindowKind::kMinimised, {120, 130, 520, 430});
  ASSERT_NE(minimised, kNoWindow);
  EXPECT_TRUE(ws.IsIconic(minimised));
  EXPECT_FALSE(ws.IsZoomed(minimised));
  ASSERT_TRUE(ws.GetWindowPlacement(minimised, &placement));
  EXPECT_EQ(placement.showCmd, kSwShowMinimized);
  EXPECT_TRUE(WindowRect(ws, minimised).Intersect(work).IsEmpty()) << "parked out of sight";

  const WindowId maximised = desktop.Open(TestWindowKind::kMaximised, {140, 150, 540, 450});
  ASSERT_NE(maximised, kNoWindow);
  ASSERT_TRUE(ws.GetWindowPlacement(maximised, &placement));
  EXPECT_EQ(placement.showCmd, kSwShowMaximized);

  // The normal position of a minimised or maximised window is where it was before.
  // (Wine reports the current rectangle as the normal position of another process's
  // windows; Windows reports the remembered one, as Wine does for the caller's own.)
  const WindowId ownMinimised = desktop.OpenOwn(TestWindowKind::kMinimised, {120, 130, 520, 430});
  ASSERT_NE(ownMinimised, kNoWindow);
  ASSERT_TRUE(ws.GetWindowPlacement(ownMinimised, &placement));
  EXPECT_EQ(placement.showCmd, kSwShowMinimized);
  EXPECT_EQ(placement.rcNormalPosition, (Rect{120, 130, 520, 430}));

  const WindowId ownMaximised = desktop.OpenOwn(TestWindowKind::kMaximised, {140, 150, 540, 450});
  ASSERT_NE(ownMaximised, kNoWindow);
  ASSERT_TRUE(ws.GetWindowPlacement(ownMaximised, &placement));
  EXPECT_EQ(placement.showCmd, kSwShowMaximized);
  EXPECT_EQ(placement.rcNormalPosition, (Rect{140, 150, 540, 450}));
  ASSERT_TRUE(Place(ws, ownMaximised, {300, 200, 800, 600}));
  ASSERT_TRUE(ws.GetWindowPlacement(ownMaximised, &placement));
  EXPECT_EQ(placement.rcNormalPosition, (Rect{140, 150, 540, 450})) << "moving it maximised keeps it";
}

void CheckCaptionAndBorders(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const std::int32_t caption = ws.GetSystemMetrics(kSmCyCaption);
  ASSERT_GT(caption, 0);

  // The caption's height, given a window whose borders are the same all round.
  auto captionOf = [&](WindowId w) {
    WindowInfo info;
    if (!ws.GetWindowInfo(w, &info)) return -1;
    const auto bx = static_cast<std::int32_t>(info.cxWindowBorders);
    const auto by = static_cast<std::int32_t>(info.cyWindowBorders);
    EXPECT_EQ(info.rcWindow, WindowRect(ws, w));
    EXPECT_GT(bx, 0);
    EXPECT_EQ(info.rcClient.left - info.rcWindow.left, bx);
    EXPECT_EQ(info.rcWindow.right - info.rcClient.right, bx);
    EXPECT_EQ(info.rcWindow.bottom - info.rcClient.bottom, by);
    return info.rcClient.top - info.rcWindow.top - by;
  };
  auto bordersOf = [&](WindowId w) {
    WindowInfo info;
    return ws.GetWindowInfo(w, &info) ? info.cxWindowBorders : 0u;
  };

  // A normal caption above the client area, under the top border; a tool window's is
  // shorter. A sizing border is wider than a dialog frame.
  const WindowId plain = desktop.Open(TestWindowKind::kPlain, {100, 100, 500, 400});
  const WindowId dialog = desktop.Open(TestWindowKind::kOwnedDialog, {150, 150, 400, 300});
  const WindowId tool = desktop.Open(TestWindowKind::kToolWindow, {200, 200, 400, 300});
  ASSERT_NE(plain, kNoWindow);
  ASSERT_NE(dialog, kNoWindow);
  ASSERT_NE(tool, kNoWindow);
  EXPECT_EQ(captionOf(plain), caption);
  EXPECT_EQ(captionOf(dialog), caption);
  EXPECT_GT(captionOf(tool), 0);
  EXPECT_LT(captionOf(tool), caption);
  EXPECT_GT(bordersOf(plain), bordersOf(dialog));

  // A bare popup is all client area.
  const WindowId popup = desktop.CreatePopup(0);
  ASSERT_NE(popup, kNoWindow);
  WindowInfo info;
  ASSERT_TRUE(ws.GetWindowInfo(popup, &info));
  EXPECT_EQ(info.rcClient, info.rcWindow);
  EXPECT_EQ(info.cxWindowBorders, 0u);
  EXPECT_EQ(info.cyWindowBorders, 0u);
  ws.SendMessageW(popup, kWmClose, 0, 0);
}

void CheckNamesAndStyles(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const Rect place{100, 100, 500, 400};

  // A class name cut to the buffer, and terminated.
  const WindowId longName = desktop.Open(TestWindowKind::kLongClassName, place);
  ASSERT_NE(longName, kNoWindow);
  const std::wstring full = ClassNameOf(ws, longName);
  ASSERT_GT(full.size(), 30u);
  wchar_t name[40];
  std::fill(std::begin(name), std::end(name), L'#');
  EXPECT_EQ(ws.GetClassNameW(longName, name, 31), 30);
  EXPECT_EQ(name[30], L'\0');
  EXPECT_EQ(std::wstring(name), full.substr(0, 30));
  EXPECT_EQ(name[31], L'#') << "nothing written past the buffer";

  const WindowId dialogClass = desktop.Open(TestWindowKind::kHiddenDialog, place);
  ASSERT_NE(dialogClass, kNoWindow);
  EXPECT_EQ(ClassNameOf(ws, dialogClass), L"#32770");

  // Titles: none reads as an empty string.
  const WindowId untitled = desktop.Open(TestWindowKind::kPlain, place);
  const WindowId titled = desktop.Open(TestWindowKind::kPlain, place, kNoWindow, L"Report.txt - Editor");
  ASSERT_NE(untitled, kNoWindow);
  ASSERT_NE(titled, kNoWindow);
  wchar_t text[64];
  std::fill(std::begin(text), std::end(text), L'#');
  EXPECT_EQ(ws.GetWindowTextW(untitled, text, 64), 0);
  EXPECT_EQ(text[0], L'\0');
  EXPECT_EQ(ws.GetWindowTextW(titled, text, 64), 19);
  EXPECT_EQ(std::wstring(text), L"Report.txt - Editor");
  EXPECT_EQ(ws.GetWindowTextW(titled, text, 7), 6);
  EXPECT_EQ(std::wstring(text), L"Report");

  // Class styles as registered, read from another process.
  const WindowId ime = desktop.Open(TestWindowKind::kImeClass, place);
  ASSERT_NE(ime, kNoWindow);
  EXPECT_EQ(ws.GetClassLongW(untitled, kGclStyle), kTestClassStyle);
  EXPECT_EQ(ws.GetClassLongW(ime, kGclStyle), kCsIme);

  // Window styles carry the state.
  const WindowId minimised = desktop.Open(TestWindowKind::kMinimised, place);
  const WindowId maximised = desktop.Open(TestWindowKind::kMaximised, place);
  const WindowId hidden = desktop.Open(TestWindowKind::kHidden, place);
  const WindowId dialog = desktop.Open(TestWindowKind::kOwnedDialog, place);
  ASSERT_NE(minimised, kNoWindow);
  ASSERT_NE(maximised, kNoWindow);
  ASSERT_NE(hidden, kNoWindow);
  ASSERT_NE(dialog, kNoWindow);
  constexpr std::uint32_t kState = kWsVisibleStyle | kWsMinimizeStyle | kWsMaximizeStyle;
  EXPECT_EQ(StyleOf(ws, untitled) & kState, kWsVisibleStyle);
  EXPECT_EQ(StyleOf(ws, minimised) & kState, kWsVisibleStyle | kWsMinimizeStyle);
  EXPECT_EQ(StyleOf(ws, maximised) & kState, kWsVisibleStyle | kWsMaximizeStyle);
  EXPECT_EQ(StyleOf(ws, hidden) & kState, 0u);
  EXPECT_NE(StyleOf(ws, untitled) & kWsThickFrame, 0u);
  EXPECT_EQ(StyleOf(ws, dialog) & kWsThickFrame, 0u);
  EXPECT_NE(StyleOf(ws, dialog) & kWsDlgFrame, 0u);
  EXPECT_EQ(StyleOf(ws, dialog) & kWsChild, 0u);
}

void CheckVisibilityAndParents(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const Rect place{100, 100, 500, 400};
  const WindowId plain = desktop.Open(TestWindowKind::kPlain, place);
  const WindowId hidden = desktop.Open(TestWindowKind::kHidden, place);
  const WindowId hiddenDialog = desktop.Open(TestWindowKind::kHiddenDialog, place);
  ASSERT_NE(plain, kNoWindow);
  ASSERT_NE(hidden, kNoWindow);
  ASSERT_NE(hiddenDialog, kNoWindow);
  EXPECT_TRUE(ws.IsWindowVisible(plain));
  EXPECT_FALSE(ws.IsWindowVisible(hidden));
  EXPECT_FALSE(ws.IsWindowVisible(hiddenDialog));

  // GetParent names the owner of a popup only; an owned overlapped window has none.
  const WindowId dialog = desktop.Open(TestWindowKind::kOwnedDialog, place, plain);
  const WindowId ownedOverlapped = desktop.Open(TestWindowKind::kOwnedOverlapped, place, plain);
  ASSERT_NE(dialog, kNoWindow);
  ASSERT_NE(ownedOverlapped, kNoWindow);
  EXPECT_EQ(ws.GetParent(dialog), plain);
  EXPECT_EQ(ws.GetParent(plain), kNoWindow);
  EXPECT_EQ(ws.GetParent(ownedOverlapped), kNoWindow);

  // A child names its parent, and is seen only while its parent is.
  const WindowId child = desktop.Open(TestWindowKind::kChild, {10, 10, 60, 40}, plain);
  const WindowId childOfHidden = desktop.Open(TestWindowKind::kChild, {10, 10, 60, 40}, hidden);
  ASSERT_NE(child, kNoWindow);
  ASSERT_NE(childOfHidden, kNoWindow);
  EXPECT_EQ(ws.GetParent(child), plain);
  EXPECT_NE(StyleOf(ws, child) & kWsChild, 0u);
  EXPECT_TRUE(ws.IsWindowVisible(child));
  EXPECT_NE(StyleOf(ws, childOfHidden) & kWsVisibleStyle, 0u) << "shown itself";
  EXPECT_FALSE(ws.IsWindowVisible(childOfHidden)) << "but its parent is not";
}

void CheckEnumerationOrder(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId first = desktop.Open(TestWindowKind::kPlain, {100, 100, 500, 400});
  const WindowId second = desktop.Open(TestWindowKind::kHidden, {120, 120, 520, 420});
  const WindowId third = desktop.Open(TestWindowKind::kPlain, {140, 140, 540, 440});
  ASSERT_NE(first, kNoWindow);
  ASSERT_NE(second, kNoWindow);
  ASSERT_NE(third, kNoWindow);
  const WindowId child = desktop.Open(TestWindowKind::kChild, {10, 10, 60, 40}, third);
  ASSERT_NE(child, kNoWindow);

  const std::vector<WindowId> ours{first, second, third, child};
  auto enumerate = [&] {
    std::vector<WindowId> seen;
    ws.EnumWindows([&](WindowId w) {
      if (std::find(ours.begin(), ours.end(), w) != ours.end()) seen.push_back(w);
      return true;
    });
    return seen;
  };
  // The most recently opened on top, hidden ones included, children left out.
  // (Moves are left out here: Wine sometimes restacks another process's windows a
  // moment after SetWindowPos has moved two of them without changing the z-order,
  // which Windows does not.)
  EXPECT_EQ(enumerate(), (std::vector<WindowId>{third, second, first}));

  // A destroyed window drops out; the walk stops when asked to.
  desktop.Destroy(second);
  EXPECT_EQ(enumerate(), (std::vector<WindowId>{third, first}));
  int visited = 0;
  ws.EnumWindows([&](WindowId) { return ++visited < 2; });
  EXPECT_EQ(visited, 2);
}

void CheckDestroyedWindowRefusesEverything(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId gone = desktop.Open(TestWindowKind::kPlain, {100, 100, 500, 400}, kNoWindow, L"gone");
  ASSERT_NE(gone, kNoWindow);
  desktop.Destroy(gone);

  EXPECT_FALSE(ws.IsWindow(gone));
  EXPECT_FALSE(ws.IsWindowVisible(gone));
  EXPECT_FALSE(ws.IsIconic(gone));
  EXPECT_FALSE(ws.IsZoomed(gone));
  EXPECT_EQ(ws.GetParent(gone), kNoWindow);
  Rect r{1, 2, 3, 4};
  EXPECT_FALSE(ws.GetWindowRect(gone, &r));
  WindowInfo info;
  EXPECT_FALSE(ws.GetWindowInfo(gone, &info));
  WindowPlacement placement;
  EXPECT_FALSE(ws.GetWindowPlacement(gone, &placement));
  EXPECT_FALSE(ws.SetWindowPos(gone, kNoWindow, 10, 10, 0, 0, kSwpMove));
  EXPECT_FALSE(ws.SetWindowPos(gone, kNoWindow, 10, 10, 100, 100, kSwpPlace));
  EXPECT_EQ(ws.GetWindowLongW(gone, kGwlStyle), 0);
  EXPECT_EQ(ws.GetClassLongW(gone, kGclStyle), 0u);
  wchar_t text[16] = L"stale";
  EXPECT_EQ(ws.GetClassNameW(gone, text, 16), 0);
  std::wcsncpy(text, L"stale", 16);
  EXPECT_EQ(ws.GetWindowTextW(gone, text, 16), 0);
  EXPECT_EQ(text[0], L'\0');

  int type = -1;
  EXPECT_FALSE(RegionOf(ws, gone, &type));
  EXPECT_EQ(type, kRegionError);
  // A region the system refused stays the caller's to delete.
  UniqueRegion clip = NewRegion(ws, {0, 0, 50, 50});
  EXPECT_EQ(ws.SetWindowRgn(gone, clip.get(), true), 0);
  EXPECT_TRUE(ws.DeleteObject(clip.release()));

  bool seen = false;
  ws.EnumWindows([&](WindowId w) {
    seen = seen || w == gone;
    return true;
  });
  EXPECT_FALSE(seen);
}

void CheckWindowProperties(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  const WindowId w = desktop.Open(TestWindowKind::kPlain, {100, 100, 500, 400});
  ASSERT_NE(w, kNoWindow);
  EXPECT_EQ(ws.RemovePropW(w, L"ContractMark"), 0) << "never set";
  EXPECT_TRUE(ws.SetPropW(w, L"ContractMark", 7));
  EXPECT_TRUE(ws.SetPropW(w, L"OtherMark", 8));
  EXPECT_EQ(ws.RemovePropW(w, L"ContractMark"), 7);
  EXPECT_EQ(ws.RemovePropW(w, L"ContractMark"), 0) << "removed";
  EXPECT_EQ(ws.RemovePropW(w, L"OtherMark"), 8);

  desktop.Destroy(w);
  EXPECT_FALSE(ws.SetPropW(w, L"ContractMark", 1));
  EXPECT_EQ(ws.RemovePropW(w, L"ContractMark"), 0);
}

void CheckDesktopFacts(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  Rect work;
  ASSERT_TRUE(ws.GetWorkArea(&work));
  EXPECT_EQ(work, desktop.KnownWorkArea());
  EXPECT_FALSE(work.IsEmpty());

  OsVersionInfo version;
  ASSERT_TRUE(ws.GetVersionExW(&version));
  EXPECT_GE(version.major, 5u);
}

void CheckRunTimeLibrary(ContractDesktop& desktop) {
  WindowSystem& ws = desktop.system();
  EXPECT_EQ(ws.LoadLibraryW(L"tessel-no-such-library.dll"), kNoModule);

  const ModuleId dwm = ws.LoadLibraryW(L"dwmapi.dll");
  ASSERT_NE(dwm, kNoModule);
  EXPECT_NE(ws.GetProcAddress(dwm, "DwmEnableComposition"), nullptr);
  EXPECT_EQ(ws.GetProcAddress(dwm, "DwmNoSuchFunction"), nullptr);
  using IsEnabled = std::int32_t(TESSEL_WINAPI*)(std::int32_t*);
  auto isEnabled = reinterpret_cast<IsEnabled>(ws.GetProcAddress(dwm, "DwmIsCompositionEnabled"));
  ASSERT_NE(isEnabled, nullptr);
  std::int32_t enabled = 7;
  EXPECT_GE(isEnabled(&enabled), 0) << "S_OK";
  EXPECT_TRUE(enabled == 0 || enabled == 1);
  EXPECT_TRUE(ws.FreeLibrary(dwm));
  EXPECT_FALSE(ws.FreeLibrary(kNoModule));
}

}  // namespace tessel
