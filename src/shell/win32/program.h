#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "shell/main_events.h"
#include "windows/win32/splitter_window.h"
#include "windows/workspace.h"

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
};

// The hidden main window's procedure.
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The low-level input hooks: they follow the modifiers and post commands, nothing more.
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);

// The folder of the running program, with a trailing separator.
std::wstring ProgramFolder();

// Opens help\index.htm beside the program.
void OpenHelpFile();

}  // namespace tessel
