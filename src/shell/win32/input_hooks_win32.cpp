#include "platform/win32/handles_win32.h"
#include "shell/commands.h"
#include "shell/input_hooks.h"
#include "shell/win32/program.h"

namespace tessel {

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  Program* p = Program::instance;
  if (p && code == HC_ACTION && lParam && !p->shell.optionsOpen) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const std::uint16_t command =
        OnKey(&p->shell.modifierState, p->workspace.settings.hotkeyTable, key->vkCode, (key->flags & LLKHF_UP) != 0);
    if (command) PostMessageW(ToHwnd(p->shell.mainWindow), WM_COMMAND, command, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  Program* p = Program::instance;
  if (p && code == HC_ACTION && lParam) {
    const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    std::intptr_t parameter = 0;
    if (OnMagicClick(p->shell.modifierState, p->workspace.settings.MagicKey, wParam == WM_LBUTTONDOWN,
                     mouse->pt.x, mouse->pt.y, &parameter))
      PostMessageW(ToHwnd(p->shell.mainWindow), WM_COMMAND, IDM_MAGIC_CLICK, parameter);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tessel
