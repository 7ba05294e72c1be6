#pragma once

#include <windows.h>

namespace tessel {

struct Program;

// The modal options sheet: Hotkeys, Misc and About. Returns when it has closed; OK takes
// the controls over into the settings and saves them, Cancel reads nothing.
bool ShowOptionsSheet(Program& p);

// The sheet's procedures, in the order the sheet meets them.
int CALLBACK OptionsSheetCallback(HWND sheet, UINT message, LPARAM value);
LRESULT CALLBACK OptionsSheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the controls of the Hotkeys (index 0) or Misc (1) page from the settings, as the
// page is made: the sheet makes each page no sooner than it needs it.
void FillOptionsPage(HWND page, int index);

// Takes the controls over and saves the settings; false keeps the sheet open.
bool ApplyOptionsPages(HWND sheet);

}  // namespace tessel
