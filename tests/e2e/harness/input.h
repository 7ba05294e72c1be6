#pragma once

#include <windows.h>

namespace tessel::e2e {

// Input as a user gives it, through SendInput.

// Moves the mouse to a screen point; `flags` may add a button going down or up there.
void MouseTo(int x, int y, DWORD flags = 0);

// A key going down or up, with the short pause the system needs between events.
void Key(WORD vk, bool up);

// A key pressed and released.
void Press(WORD vk);

// Ctrl+Alt+`vk` pressed as a user would.
void CtrlAlt(WORD vk);

}  // namespace tessel::e2e
