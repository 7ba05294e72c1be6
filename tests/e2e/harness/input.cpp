#include "harness/input.h"

namespace tessel::e2e {

void MouseTo(int x, int y, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  SendInput(1, &input, sizeof input);
}

void Key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  // With its scan code, as a keyboard sends it: the hotkey control reads the key from it.
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
  Sleep(20);
}

void Press(WORD vk) {
  Key(vk, false);
  Key(vk, true);
}

void CtrlAlt(WORD vk) {
  Key(VK_CONTROL, false);
  Key(VK_MENU, false);
  Press(vk);
  Key(VK_MENU, true);
  Key(VK_CONTROL, true);
}

}  // namespace tessel::e2e
