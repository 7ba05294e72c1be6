#include "desktop/win32/splitter_window.h"

#include "platform/win32/handles_win32.h"
#include "platform/win32/rect_win32.h"

namespace tessel {
namespace {

constexpr wchar_t kStandInClass[] = L"TesselSplitterOwner";

static_assert(sizeof(RECT) == sizeof(Rect) && offsetof(RECT, bottom) == offsetof(Rect, bottom),
              "a RECT handed over by the system is read as a Rect");

constexpr COLORREF kBarColour = RGB(206, 199, 189);  // the class background

// Asked of a bar that was activated all the same (Wine passes activation to the next
// window in z-order even when it is a WS_EX_NOACTIVATE window).
constexpr UINT kPassActivationOn = WM_APP;

// The window a bar hands activation on to: the next one below it that can take it.
HWND NextActivatable(HWND bar) {
  for (HWND w = GetWindow(bar, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
    if (!(style & WS_VISIBLE) || (style & WS_DISABLED) || (exStyle & WS_EX_NOACTIVATE)) continue;
    if (GetWindowLongPtrW(w, GWLP_USERDATA) == kWindowTag) continue;  // the program's own
    return w;
  }
  return nullptr;
}

constexpr BarPattern kPatterns[Win32SplitterWindows::kPatternCount] = {kPatternVertical,  kPatternHorizontal,
                                                                       kPatternArrowLeft, kPatternArrowRight,
                                                                       kPatternArrowUp,   kPatternArrowDown};

// Fills with the bitmap tiled from the client origin; without the bitmap (a resource
// missing from the program file) in the bar's plain colour, so the bar still shows.
void FillWithPattern(HDC dc, const RECT& area, HBITMAP pattern) {
  HBRUSH brush = pattern ? CreatePatternBrush(pattern) : nullptr;
  if (!brush) brush = CreateSolidBrush(kBarColour);
  if (!brush) return;
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

// A bar never keeps activation: a click does not activate it, and one activated all
// the same hands the foreground on to the window below it.
LRESULT RefuseActivation(HWND bar, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(bar, kPassActivationOn, 0, 0);
      return 0;
    default:  // kPassActivationOn
      if (GetForegroundWindow() == bar) {
        if (HWND next = NextActivatable(bar)) SetForegroundWindow(next);
      }
      return 0;
  }
}

}  // namespace

Win32SplitterWindows* Win32SplitterWindows::instance_ = nullptr;

Win32SplitterWindows::Win32SplitterWindows(Workspace& ws) : ws_(ws) { instance_ = this; }

Win32SplitterWindows::~Win32SplitterWindows() {
  if (standIn_) DestroyWindow(standIn_);
  for (HBITMAP& b : patterns_)
    if (b) DeleteObject(b);
  if (instance_ == this) instance_ = nullptr;
}

void Win32SplitterWindows::LoadPatterns(HMODULE module) {
  for (int i = 0; i < kPatternCount; ++i)
    if (!patterns_[i]) patterns_[i] = LoadBitmapW(module, MAKEINTRESOURCEW(kPatterns[i]));
}

HBITMAP Win32SplitterWindows::Pattern(BarPattern pattern) const {
  for (int i = 0; i < kPatternCount; ++i)
    if (kPatterns[i] == pattern) return patterns_[i];
  return nullptr;
}

HWND Win32SplitterWindows::Owner() {
  if (owner_) return owner_;
  if (!standIn_) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kStandInClass;
    RegisterClassW(&wc);
    standIn_ = CreateWindowExW(WS_EX_TOOLWINDOW, kStandInClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               wc.hInstance, nullptr);
  }
  return standIn_;
}

WindowId Win32SplitterWindows::Create(Frame& split, const Rect& bar) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = SplitterWndProc;
  wc.cbWndExtra = sizeof(LONG_PTR);  // the frame
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, split.vertical ? IDC_SIZEWE : IDC_SIZENS);
  wc.hbrBackground = CreateSolidBrush(RGB(206, 199, 189));
  wc.lpszClassName = kSplitterClass;
  if (!RegisterClassW(&wc)) {
    DeleteObject(wc.hbrBackground);
    if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return kNoWindow;
  }
  // Never activated, by a click or when the system looks for the next window to
  // activate: the keyboard must never land on a bar.
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kSplitterClass, kSplitterTitle, WS_POPUP, bar.left, bar.top,
                              bar.Width(), bar.Height(), Owner(), nullptr, instance, &split);
  if (!hwnd) return kNoWindow;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, kWindowTag);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  return ToWindowId(hwnd);
}

LRESULT CALLBACK Win32SplitterWindows::SplitterWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!instance_) return DefWindowProcW(hwnd, message, wParam, lParam);
  return instance_->Handle(hwnd, message, wParam, lParam);
}

// The bar's frame, if the model still has it; a bar whose frame is gone closes itself.
Frame* Win32SplitterWindows::ValidFrame(HWND hwnd) {
  auto* frame = reinterpret_cast<Frame*>(GetWindowLongPtrW(hwnd, 0));
  if (ws_.model.IsFrame(frame) && frame->isSplit) return frame;
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  return nullptr;
}

LRESULT Win32SplitterWindows::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetWindowLongPtrW(hwnd, 0,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
      return 0;
    case WM_DESTROY:
      return 0;
    case WM_PAINT: {
      Frame* frame = ValidFrame(hwnd);
      if (!frame) return 1;
      Paint(hwnd, *frame);
      return 0;
    }
    case WM_SETCURSOR: {
      Frame* frame = ValidFrame(hwnd);
      if (frame) SetCursor(LoadCursorW(nullptr, frame->vertical ? IDC_SIZEWE : IDC_SIZENS));
      return 1;
    }
    case WM_MOUSEACTIVATE:
    case WM_ACTIVATE:
    case kPassActivationOn:
      return RefuseActivation(hwnd, message, wParam);
    case WM_NCHITTEST:
    case WM_MOVING:
    case WM_EXITSIZEMOVE:
      return HandleDrag(hwnd, message, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
      // A press soon after the last drag's is another drag, not a double click.
      return DefWindowProcW(hwnd, WM_NCLBUTTONDOWN, wParam, lParam);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// A bar is dragged by the system's move loop, kept within what the frames allow, and
// lays the split line out where it was let go.
LRESULT Win32SplitterWindows::HandleDrag(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: {
      // Every point is caption, so a press starts the system's move loop; the window
      // that had the foreground gets it back when the drag ends.
      HWND foreground = GetForegroundWindow();
      if (foreground && foreground != hwnd) foregroundBeforeDrag_ = foreground;
      return HTCAPTION;
    }
    case WM_MOVING: {
      Frame* frame = ValidFrame(hwnd);
      if (frame) ConstrainBarDrag(ws_, frame, reinterpret_cast<Rect*>(lParam));
      return 1;
    }
    default: {  // WM_EXITSIZEMOVE
      Frame* frame = ValidFrame(hwnd);
      if (!frame) return 1;
      RelayoutSplitLine(ws_, frame);
      UpdateActiveBars(ws_);
      if (foregroundBeforeDrag_) SetForegroundWindow(foregroundBeforeDrag_);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }
}

// Painted through GetDC: the active-frame change sends WM_PAINT directly, with nothing
// invalid to begin a paint on.
void Win32SplitterWindows::Paint(HWND hwnd, Frame& split) {
  SplitterBar& s = *split.splitter;
  const BarHighlight highlight = HighlightFor(split, ws_.model.activeFrame);
  HDC dc = GetDC(hwnd);
  if (dc) {
    SetBrushOrgEx(dc, 0, 0, nullptr);
    const RECT whole{0, 0, s.bar.Width(), s.bar.Height()};
    FillWithPattern(dc, whole, Pattern(split.vertical ? kPatternVertical : kPatternHorizontal));
    const Rect& n = highlight.rect;
    if (n.top || n.bottom || n.left) FillWithPattern(dc, ToRECT(n), Pattern(highlight.pattern));
    ReleaseDC(hwnd, dc);
  }
  s.highlight = highlight.rect;
  ValidateRect(hwnd, nullptr);
}

}  // namespace tessel
