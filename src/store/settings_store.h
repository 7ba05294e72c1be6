#pragma once

#include <string>

#include "platform/file_system.h"
#include "windows/workspace.h"

namespace tessel {

// The settings' key under HKEY_CURRENT_USER, and the value that tells a start whether
// the last exit saved everything.
constexpr wchar_t kSettingsKey[] = L"Software\\Velbrook\\Tessel";
constexpr wchar_t kCleanExitValue[] = L"CleanExit";

// "<application data>\Velbrook\Tessel\lastframes.tsf", making the two folders on the way.
bool LastFramesPath(FileSystem& files, std::wstring* path);

// Reads every setting over the workspace's, in table order; a value that is missing,
// longer than its setting or unreadable leaves the setting as it was. Deletes
// CleanExit, and restores the last frames when it was set and LoadSession is on.
// True when every value, CleanExit included, was read and any restore succeeded.
bool LoadSettings(Workspace& ws);

// Writes every setting. At exit, also saves the last frames (with LoadSession on) and
// then CleanExit: 1 only when everything before it succeeded. True when all did.
bool SaveSettings(Workspace& ws, bool exit);

}  // namespace tessel
