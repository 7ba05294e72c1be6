#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "shell/main_events.h"
#include "desktop/win32/splitter_window.h"
#include "desktop/workspace.h"

namespace tessel {

// Everything the running program holds. There is exactly one, reached by the window
// and hook procedures through Program::instance.
struct Program {
  Program() : workspace(system), splitters(workspace) {
    workspace.splitters = &splitters;
    workspace.registry = &registry;
    workspace.files = &files;
  }

  static Program* instance;

  HINSTANCE module = nullptr;
  Win32WindowSystem system;
  Win32Registry registry;
  Win32FileSystem files;
  Workspace workspace;
  Win32SplitterWindows splitters;
  ShellState shell;
  UINT manageMessage = 0;  // "TesselManageMsg"
  HICON trayIcon = nullptr;
  HBITMAP menuImages[5] = {};  // split horizontally, vertically, remove, load, save
  HBITMAP aboutLogo = nullptr;
  std::wstring lastLayoutFile;  // chosen in the last load or save dialog, for the next one
};

// The hidden main window's procedure.
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The low-level input hooks: they follow the modifiers and post commands, nothing more.
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);

// Checks for a newer published version once per start; its parameter is the update
// interval in days.
DWORD WINAPI UpdateCheckThread(LPVOID interval);

// Set by the update thread, read whenever the tray menu is built. Outside Program, which
// ends before the process does, while the thread is never waited for.
extern std::atomic<bool> newVersionAvailable;

// The folder of the running program, with a trailing separator.
std::wstring ProgramFolder();

// Opens help\index.htm beside the program.
void OpenHelpFile();

}  // namespace tessel
