#pragma once

#include <cstdint>
#include <deque>

#include "desktop/workspace.h"

namespace tessel {

// What the main window procedure keeps between messages.
struct ShellState {
  WindowId mainWindow{};
  bool sizeMoveActive = false;  // a managed window is in a user move or size loop
  Rect moveStartRect;           // that window's rectangle when the loop began
  std::deque<WindowId> pendingWindows;  // taken in, waiting for the settle timer
  std::uint32_t lastCommand = 0;
  bool menuLoopActive = false;
  bool optionsOpen = false;
  bool fileDialogOpen = false;
  WindowId previousForeground{};
  std::uint32_t modifierState = 0;  // Shift, Ctrl, Alt as the keyboard hook last saw them
  std::size_t sweepPosition = 0;         // the record the look for windows gone unreported is at
  bool savedAtExit = false;             // saved at the end of the session: not again at exit
};

// What the commands open or write, provided by the running program.
class ShellActions {
 public:
  virtual ~ShellActions() = default;
  virtual void ShowOptionsSheet() = 0;
  virtual void SaveFramesDialog() = 0;
  virtual void LoadFramesDialog() = 0;
  virtual void OpenHelp() = 0;
  virtual void OpenDownloadPage() = 0;
  // The settings, the last frames and the clean-exit mark, as at the end of a run.
  virtual void SaveSettingsAtExit() = 0;
};

constexpr std::uintptr_t kSettleTimer = 1;
constexpr std::uint32_t kSettleMs = 800;
constexpr std::size_t kVanishedChecksPerEvent = 4;

// A window event reported by the hook library: wParam the window, lParam the message
// seen in its low word and the event's flags (position flags, size type) in the high.
// Returns the result the reporter gets: 1 when the event was acted on.
std::intptr_t OnWindowEvent(Workspace& ws, ShellState& shell, WindowId window, std::uint32_t lParam);

// The settle timer: windows taken in whose size changed since are fitted again, and
// every pending window's settling period ends.
void OnSettleTimer(Workspace& ws, ShellState& shell);

// A command posted to the main window (WM_COMMAND).
void OnCommand(Workspace& ws, ShellState& shell, ShellActions& actions, std::uint32_t wParam, std::intptr_t lParam);

// The Windows session ends: everything is saved (once, however often the session asks),
// then every window released.
void OnQueryEndSession(Workspace& ws, ShellState& shell, ShellActions& actions);

// A frame-rectangle request from the hook library, as it arrived in WM_COPYDATA: the
// requested window's frame and the number of the shared block to answer in. False for
// a request too short, malformed, or for a window that is not managed.
bool ReadFrameRectRequest(Workspace& ws, const void* data, std::uint32_t size, Rect* frame,
                          std::int32_t* requestNumber);

}  // namespace tessel
