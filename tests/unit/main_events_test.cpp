#include "shell/main_events.h"

#include "shell/commands.h"
#include "shell/input_hooks.h"
#include "unit/workspace_test.h"
#include "desktop/fit.h"

namespace tessel {
namespace {

constexpr std::uint32_t kShown = 0x47 | ((0x40u | 0x04u) << 16);  // SWP_SHOWWINDOW | SWP_NOZORDER
constexpr std::uint32_t kEnterSizeMove = 0x231, kExitSizeMove = 0x232, kMove = 3, kDestroy = 2;

class RecordingActions final : public ShellActions {
 public:
  explicit RecordingActions(const ShellState& shell, const FrameModel& model) : shell_(shell), model_(model) {}
  void ShowOptionsSheet() override { optionsOpenDuringSheet = shell_.optionsOpen; }
  void SaveFramesDialog() override { ++dialogs; }
  void LoadFramesDialog() override { ++dialogs; }
  void OpenHelp() override { ++dialogs; }
  void OpenDownloadPage() override { ++dialogs; }
  void SaveSettingsAtExit() override { framesWhenSaved = model_.frameList != nullptr; }

  bool optionsOpenDuringSheet = false;
  bool framesWhenSaved = false;
  int dialogs = 0;

 private:
  const ShellState& shell_;
  const FrameModel& model_;
};

// L = (0, 0, 638, 1004) | R = (642, 0, 1280, 1004) on the default work area.
class MainEventsTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    shell.mainWindow = desktop.AddWindow();
    ASSERT_TRUE(SplitFrame());
    left = ws.model.frameList;
    right = left->next;
  }
  bool SplitFrame() {
    OnCommand(ws, shell, actions, IDM_SPLIT_V, 0);
    return ws.model.frameList != nullptr;
  }
  std::intptr_t Event(WindowId w, std::uint32_t lParam) { return OnWindowEvent(ws, shell, w, lParam); }

  // A drag of the window by the user: the move loop, the window moved, the cursor at `drop`.
  void Drag(WindowId w, const Rect& to, Point drop) {
    Event(w, kEnterSizeMove);
    desktop.MoveTo(w, to);
    desktop.cursor = drop;
    Event(w, kExitSizeMove);
  }

  ShellState shell;
  RecordingActions actions{shell, ws.model};
  Frame* left = nullptr;
  Frame* right = nullptr;
};

TEST_F(MainEventsTest, ShownWindowIsTakenInFittedAndSettledByTheTimer) {
  const WindowId w = Open({500, 100, 900, 400});
  EXPECT_EQ(Event(w, kShown), 1);
  ManagedWindow* r = ws.model.FindManagedWindow(w);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(desktop.timers[kSettleTimer], 800u);
  EXPECT_EQ(desktop.RectOf(w), (Rect{642, 100, 1042, 400})) << "slid into its frame while it settles";

  // Shown without SWP_NOZORDER: taken in, not fitted.
  const WindowId later = Open({500, 500, 900, 700});
  EXPECT_EQ(Event(later, 0x47 | (0x40u << 16)), 1);
  EXPECT_EQ(desktop.RectOf(later), (Rect{500, 500, 900, 700}));

  desktop.MoveTo(later, {500, 500, 950, 700});  // it grew meanwhile
  OnSettleTimer(ws, shell);
  EXPECT_TRUE(desktop.timers.empty());
  EXPECT_TRUE(shell.pendingWindows.empty());
  EXPECT_EQ(r->managedTick, 0u);
  EXPECT_EQ(desktop.RectOf(later), (Rect{642, 500, 1092, 700})) << "refitted because its size changed";

  // Shown and hidden at once counts as shown; hidden alone keeps it for when it comes back.
  EXPECT_EQ(Event(w, 0x47 | ((0x40u | 0x80u) << 16)), 1);
  EXPECT_NE(ws.model.FindManagedWindow(w), nullptr);
  EXPECT_EQ(Event(w, 0x47 | (0x80u << 16)), 1);
  ASSERT_NE(ws.model.FindManagedWindow(w), nullptr);
  EXPECT_TRUE(ws.model.FindManagedWindow(w)->hidden);
  EXPECT_EQ(Event(w, 0x47), 0) << "nothing of interest changed";
}

TEST_F(MainEventsTest, DroppedWindowLandsInTheFrameUnderTheCursor) {
  const WindowId w = Open({100, 100, 400, 300});
  Event(w, kShown);
  ManagedWindow* r = ws.model.FindManagedWindow(w);
  r->managedTick = 0;

  Drag(w, {1100, 100, 1400, 300}, {1200, 110});
  EXPECT_EQ(r->frame, right);
  EXPECT_EQ(desktop.RectOf(w), (Rect{980, 100, 1280, 300})) << "slid inside the new frame";
  EXPECT_EQ(ws.model.activeFrame, right);
  EXPECT_FALSE(r->inSizeMove);

  // Dropped into its own frame with the magic key: slid inside; without, left alone.
  shell.modifierState = kModCtrl;
  Drag(w, {1100, 600, 1400, 800}, {1200, 610});
  EXPECT_EQ(desktop.RectOf(w), (Rect{980, 600, 1280, 800}));
  shell.modifierState = 0;
  Drag(w, {1100, 500, 1400, 700}, {1200, 510});
  EXPECT_EQ(desktop.RectOf(w), (Rect{1100, 500, 1400, 700}));

  // Into the other frame with the magic key: it keeps the position it was given.
  shell.modifierState = kModCtrl;
  Drag(w, {500, 500, 800, 700}, {600, 510});
  EXPECT_EQ(r->frame, left);
  EXPECT_EQ(desktop.RectOf(w), (Rect{500, 500, 800, 700}));
  shell.modifierState = 0;

  // A size loop is no drop: the window stays where its frame is.
  Drag(w, {500, 500, 900, 700}, {1200, 510});
  EXPECT_EQ(r->frame, left);
}

TEST_F(MainEventsTest, MaximisedWindowsAreNotTrackedAndOwnedOnesFollow) {
  const WindowId main = Open({100, 100, 400, 300});
  const WindowId tool = OpenDialog({400, 100, 500, 200}, main);
  Event(main, kShown);
  Event(tool, kShown);
  Event(main, kEnterSizeMove);
  EXPECT_TRUE(shell.sizeMoveActive);
  desktop.MoveTo(tool, {450, 100, 550, 200});
  EXPECT_EQ(Event(tool, kMove), 1);
  EXPECT_EQ(ws.model.FindManagedWindow(tool)->leader, ws.model.FindManagedWindow(main));
  Event(main, kExitSizeMove);

  const WindowId big = Open({100, 100, 400, 300});
  Event(big, kShown);
  desktop.Maximise(big);
  Event(big, kEnterSizeMove);
  EXPECT_FALSE(shell.sizeMoveActive);
}

TEST_F(MainEventsTest, AWindowGoneInItsOwnMoveLoopEndsTheTracking) {
  const WindowId dragged = Open({100, 100, 400, 300});
  const WindowId other = Open({100, 500, 400, 700});
  Event(dragged, kShown);
  Event(other, kShown);
  ws.model.FindManagedWindow(other)->managedTick = 0;
  Event(dragged, kEnterSizeMove);
  EXPECT_EQ(Event(dragged, kDestroy), 1);
  EXPECT_EQ(ws.model.movingWindow, nullptr);
  EXPECT_FALSE(shell.sizeMoveActive);
  desktop.MoveTo(other, {500, 500, 800, 700});
  EXPECT_EQ(Event(other, kMove), 1);
  EXPECT_TRUE(desktop.HasRegion(other)) << "moves of other windows are fitted again";
}

TEST_F(MainEventsTest, WindowsThatVanishWithoutAnEventAreForgotten) {
  // Their process ended, one of them in its move loop.
  const WindowId dragged = Open({100, 100, 400, 300});
  const WindowId idle = Open({700, 100, 900, 300});
  const WindowId other = Open({100, 500, 400, 700});
  for (WindowId w : {dragged, idle, other}) Event(w, kShown);
  ws.model.FindManagedWindow(other)->managedTick = 0;
  const int regions = desktop.LiveProgramRegions();
  Event(dragged, kEnterSizeMove);
  desktop.DestroyWindow(dragged);
  desktop.DestroyWindow(idle);

  desktop.MoveTo(other, {500, 500, 800, 700});
  EXPECT_EQ(Event(other, kMove), 1);
  EXPECT_FALSE(shell.sizeMoveActive) << "the move loop ended with its window";
  EXPECT_EQ(ws.model.FindManagedWindow(dragged), nullptr);
  EXPECT_TRUE(desktop.HasRegion(other)) << "the moved window is fitted";
  EXPECT_NE(ws.model.FindManagedWindow(idle), nullptr) << "the others are looked for once a second";

  desktop.tick += kVanishedSweepMs;
  Event(other, kMove);
  EXPECT_EQ(ws.model.FindManagedWindow(idle), nullptr);
  EXPECT_EQ(desktop.LiveProgramRegions(), regions - 2 + 1) << "two saved regions freed, a copy of the clip kept";
}

TEST_F(MainEventsTest, CommandsReachTheLayoutAndTheDialogs) {
  OnCommand(ws, shell, actions, IDM_MAGIC_CLICK, static_cast<std::intptr_t>((500u << 16) | 1000u));
  EXPECT_EQ(ws.model.activeFrame, right);
  OnCommand(ws, shell, actions, IDM_MAGIC_CLICK, static_cast<std::intptr_t>((500u << 16) | 640u));
  EXPECT_EQ(ws.model.activeFrame, right) << "on the bar: no frame";
  OnCommand(ws, shell, actions, IDM_SPLIT_H, 0);
  EXPECT_TRUE(right->parent->isSplit && !right->parent->vertical) << "the active frame was split";
  EXPECT_EQ(shell.lastCommand, IDM_SPLIT_H);

  OnCommand(ws, shell, actions, IDM_OPTIONS, 0);
  EXPECT_TRUE(actions.optionsOpenDuringSheet);
  EXPECT_FALSE(shell.optionsOpen);
  OnCommand(ws, shell, actions, IDM_HELP, 0);
  OnCommand(ws, shell, actions, 32775, 0);
  EXPECT_EQ(actions.dialogs, 1);

  OnCommand(ws, shell, actions, IDM_EXIT, 0);
  ASSERT_EQ(desktop.posted.size(), 1u);
  EXPECT_EQ(desktop.posted[0].message, kWmClose);
  EXPECT_EQ(desktop.posted[0].window, shell.mainWindow);
}

TEST_F(MainEventsTest, EndOfSessionSavesBeforeReleasingEverything) {
  const WindowId w = Open({500, 100, 900, 400});
  Event(w, kShown);
  OnQueryEndSession(ws, shell, actions);
  EXPECT_TRUE(actions.framesWhenSaved);
  EXPECT_EQ(ws.model.frameList, nullptr);
  EXPECT_FALSE(desktop.HasRegion(w));
  EXPECT_EQ(desktop.posted.back().message, kWmClose);
  OnQueryEndSession(ws, shell, actions);  // asked again before the program is gone
  EXPECT_TRUE(actions.framesWhenSaved) << "the layout saved is not overwritten by an empty one";
}

TEST_F(MainEventsTest, FrameRectRequestsAreReadOnlyWhenWholeAndWellFormed) {
  const WindowId w = Open({100, 100, 400, 300});
  Event(w, kShown);
  const std::uint32_t request[3] = {static_cast<std::uint32_t>(static_cast<std::uintptr_t>(w)), 36, 7};
  Rect frame;
  std::int32_t number = 0;
  EXPECT_TRUE(ReadFrameRectRequest(ws, request, sizeof request, &frame, &number));
  EXPECT_EQ(frame, left->rect);
  EXPECT_EQ(number, 7);
  EXPECT_FALSE(ReadFrameRectRequest(ws, request, sizeof request - 1, &frame, &number)) << "short";
  EXPECT_FALSE(ReadFrameRectRequest(ws, nullptr, 12, &frame, &number));
  const std::uint32_t wrongMagic[3] = {request[0], 35, 7};
  EXPECT_FALSE(ReadFrameRectRequest(ws, wrongMagic, sizeof wrongMagic, &frame, &number));
  const std::uint32_t unmanaged[3] = {0x4242, 36, 7};
  EXPECT_FALSE(ReadFrameRectRequest(ws, unmanaged, sizeof unmanaged, &frame, &number));
}

}  // namespace
}  // namespace tessel
