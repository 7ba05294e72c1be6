#include "shell/win32/input_hooks_win32.h"

#include "platform/win32/handles_win32.h"
#include "shell/commands.h"
#include "shell/input_hooks.h"
#include "shell/win32/program.h"

namespace tessel {
namespace {

// Low-level hook procedures get no context of their own, so the program whose hooks are
// installed is kept here, from Install to Remove; nothing else reads it.
Program* hooked = nullptr;

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  Program* p = hooked;
  if (p && code == HC_ACTION && lParam && !p->shell.optionsOpen) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const std::uint16_t command =
        OnKey(&p->shell.modifierState, p->workspace.settings.hotkeyTable, key->vkCode, (key->flags & LLKHF_UP) != 0);
    if (command) PostMessageW(ToHwnd(p->shell.mainWindow), WM_COMMAND, command, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  Program* p = hooked;
  if (p && code == HC_ACTION && lParam) {
    const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    std::intptr_t parameter = 0;
    if (OnMagicClick(p->shell.modifierState, p->workspace.settings.MagicKey, wParam == WM_LBUTTONDOWN,
                     mouse->pt.x, mouse->pt.y, &parameter))
      PostMessageW(ToHwnd(p->shell.mainWindow), WM_COMMAND, IDM_MAGIC_CLICK, parameter);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool InputHooks::Install(Program& p, HINSTANCE module) {
  Remove();
  hooked = &p;
  mouse_.reset(SetWindowsHookExW(WH_MOUSE_LL, MouseHookProc, module, 0));
  if (mouse_) keyboard_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, module, 0));
  if (keyboard_) return true;
  Remove();
  return false;
}

void InputHooks::Remove() {
  keyboard_.reset();
  mouse_.reset();
  hooked = nullptr;
}

}  // namespace tessel
