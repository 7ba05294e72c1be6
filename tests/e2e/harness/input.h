#pragma once

#include <windows.h>

#include <string>

namespace tessel::e2e {

// Keys as a user gives them, through SendInput: they reach low-level keyboard hooks.

// A key going down or up, with the short pause the system needs between events.
void Key(WORD vk, bool up);

// A key pressed and released.
void Press(WORD vk);

// Ctrl+Alt+`vk` pressed as a user would.
void CtrlAlt(WORD vk);

// The mouse through the X server (xdotool), as a person's hand moves it. SendInput
// under Wine moves Wine's cursor but not the X pointer, which Wine's move loop reads
// back when it ends; these move both. Each returns once the X server has the input.

// Runs a Linux shell command line from Wine and waits for it; false if it failed.
bool RunShell(const std::string& line);

// Runs xdotool with `arguments` (its commands may be chained); false if it failed.
bool Xdo(const char* arguments);

void MouseTo(int x, int y);
void MouseDown();
void MouseUp();
// A left click at (x, y).
void ClickAt(int x, int y);
// Presses the left button at `from`, moves to `to` in ten steps 20 ms apart and lets go.
void Drag(POINT from, POINT to);
// A click at (x, y) with Ctrl held, the program's default magic key.
void CtrlClickAt(int x, int y);

// The whole screen as `name`.png in the folder TESSEL_SCREENSHOTS names, when it is set:
// pictures of a run for a person to look at.
void Screenshot(const char* name);

}  // namespace tessel::e2e
