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

bool Xdo(const char* arguments) { return RunShell(std::string("/usr/bin/xdotool ") + arguments); }

void Screenshot(const char* name) {
  char folder[MAX_PATH];
  if (!GetEnvironmentVariableA("TESSEL_SCREENSHOTS", folder, MAX_PATH)) return;
  Sleep(500);  // what was shown last may still be painting
  RunShell(std::string("import -window root ") + folder + "/" + name + ".png");
}

// The shell leaves a file with the command's exit code behind when it is done, since a
// Linux program started from Wine is not waited for through its process handle.
bool RunShell(const std::string& line) {
  static LONG calls = 0;
  char marker[64];
  std::snprintf(marker, sizeof marker, "/tmp/tessel-xdo-%lu-%ld", GetCurrentProcessId(), InterlockedIncrement(&calls));
  std::string shell = "Z:\\bin\\sh -c \"" + line + "; echo $? >" + marker + "\"";
  std::wstring command(shell.begin(), shell.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::wstring path = L"Z:";
  for (const char* c = marker; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  bool done = false;
  for (int i = 0; i < 1000 && !done; ++i) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char code[8] = {};
      DWORD read = 0;
      ReadFile(file, code, sizeof code - 1, &read, nullptr);
      CloseHandle(file);
      done = read > 0;  // written whole once it has a line
      if (done) {
        DeleteFileW(path.c_str());
        // Let Wine take the input from the X server before the caller looks.
        Sleep(30);
        return code[0] == '0';
      }
    }
    Sleep(10);
  }
  return false;
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
  // Held a moment before it moves and before it lets go, as a hand does: the press reaches
  // the window after the program has had its look at it, and the move loop starts then.
  std::string chain = Format("mousemove %d %d sleep 0.05 mousedown 1 sleep 0.25", from.x, from.y);
  for (int i = 1; i <= 10; ++i)
    chain += Format(" mousemove %d %d sleep 0.03", from.x + (to.x - from.x) * i / 10,
                    from.y + (to.y - from.y) * i / 10);
  chain += " sleep 0.15 mouseup 1";
  Xdo(chain.c_str());
}

void CtrlClickAt(int x, int y) {
  // Wine takes the key from the X server through the window with the keyboard focus and
  // the click through the one under the pointer, each in its own time: a window of a busy
  // application in front can hand the key on after the click unless it is held a while.
  Xdo(Format("mousemove %d %d sleep 0.1 keydown ctrl sleep 0.5 click 1 sleep 0.1 keyup ctrl", x, y).c_str());
}

}  // namespace tessel::e2e
