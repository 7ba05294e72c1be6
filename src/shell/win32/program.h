#pragma once

#include <windows.h>

#include <string>

#include "desktop/win32/splitter_window.h"
#include "desktop/workspace.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "shell/main_events.h"
#include "shell/win32/handles.h"
#include "shell/win32/update_thread.h"

namespace tessel {

// Everything the running program holds. There is one, made by the start-up; the main
// window carries it, and hands it on to the options sheet and the file dialogs.
struct Program {
  Program() : workspace(system), splitters(workspace) {
    workspace.splitters = &splitters;
    workspace.registry = &registry;
    workspace.files = &files;
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HINSTANCE module = nullptr;
  Win32WindowSystem system;
  Win32Registry registry;
  Win32FileSystem files;
  Workspace workspace;
  Win32SplitterWindows splitters;
  ShellState shell;
  UINT manageMessage = 0;  // "TesselManageMsg"
  HICON trayIcon = nullptr;    // loaded shared: the system frees it with the program
  BitmapHandle menuImages[5];  // split horizontally, vertically, remove, load, save
  BitmapHandle aboutLogo;
  std::wstring lastLayoutFile;  // chosen in the last load or save dialog, for the next one
  UpdateThread updates;
};

constexpr wchar_t kCannotCreateWindow[] = L"Fatal error: failed to create main window.";

// Creates the hidden main window, which carries `p` and serves it until it is
// destroyed; null with the fatal error's text when it cannot be made.
HWND CreateMainWindow(Program& p, const wchar_t** error);

// The folder of the running program, with a trailing separator.
std::wstring ProgramFolder();

// Opens help\index.htm beside the program.
void OpenHelpFile();

}  // namespace tessel
