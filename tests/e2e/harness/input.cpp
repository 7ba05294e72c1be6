#include "harness/input.h"

#include <cstdio>
#include <string>

namespace tessel::e2e {

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

bool Xdo(const char* arguments) {
  std::wstring command = L"Z:\\usr\\bin\\xdotool ";
  for (const char* c = arguments; *c; ++c) command += static_cast<wchar_t>(*c);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // Let Wine take the input from the X server before the caller looks.
  Sleep(30);
  return ended && code == 0;
}

namespace {
std::string Format(const char* format, int a, int b) {
  char text[128];  // the longest chain, the Ctrl click, cut short would leave Ctrl held
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}
}  // namespace

void MouseTo(int x, int y) { Xdo(Format("mousemove %d %d", x, y).c_str()); }
void MouseDown() { Xdo("mousedown 1"); }
void MouseUp() { Xdo("mouseup 1"); }

void ClickAt(int x, int y) { Xdo(Format("mousemove %d %d sleep 0.05 click 1", x, y).c_str()); }

void Drag(POINT from, POINT to) {
  std::string chain = Format("mousemove %d %d sleep 0.05 mousedown 1 sleep 0.05", from.x, from.y);
  for (int i = 1; i <= 10; ++i)
    chain += Format(" mousemove %d %d sleep 0.02", from.x + (to.x - from.x) * i / 10,
                    from.y + (to.y - from.y) * i / 10);
  chain += " sleep 0.05 mouseup 1";
  Xdo(chain.c_str());
}

void CtrlClickAt(int x, int y) {
  // Wine takes the key from the X server through the window with the keyboard focus and
  // the click through the one under the pointer, each in its own time: a window of a busy
  // application in front can hand the key on after the click unless it is held a while.
  Xdo(Format("mousemove %d %d sleep 0.1 keydown ctrl sleep 0.5 click 1 sleep 0.1 keyup ctrl", x, y).c_str());
}

}  // namespace tessel::e2e
