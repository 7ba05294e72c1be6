// The setup program, run silently as an administrator (as Wine's user is), checked by
// what Windows shows. Built per architecture: Windows of that kind must get that set.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cwchar>
#include <functional>
#include <string>

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessel";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kSettingsKey[] = L"Software\\Velbrook\\Tessel";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr bool kWin64 = sizeof(void*) == 8;

std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path)) ? path : L"";
}
std::wstring Shortcut() { return Folder(CSIDL_COMMON_PROGRAMS) + L"\\Tessel.lnk"; }
std::wstring LayoutFile() { return Folder(CSIDL_APPDATA) + L"\\Velbrook\\Tessel\\lastframes.tsf"; }
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
bool TaskExists() { return Exists(Folder(CSIDL_SYSTEM) + L"\\Tasks\\Tessel"); }  // the Task Scheduler's store
bool SamePath(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 600 && !done(); ++i) Sleep(50);
  return done();
}

// A string value, or "<missing>" when the key or value is not there.
std::wstring ReadString(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t value[1024] = L"";
  DWORD size = sizeof value - sizeof(wchar_t);
  return RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) ? L"<missing>" : value;
}
bool KeyExists(HKEY root, const wchar_t* key, REGSAM view = 0) {
  HKEY opened = nullptr;
  return RegOpenKeyExW(root, key, 0, KEY_READ | view, &opened) == ERROR_SUCCESS && !RegCloseKey(opened);
}
DWORD Bytes(const std::wstring& text) { return static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)); }

PROCESS_INFORMATION Spawn(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  return process;
}
// Its exit code if it ends within `ms`; if not, it is ended and the result is never 0.
long Finish(const PROCESS_INFORMATION& process, DWORD ms) {
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, code);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}
long RunToEnd(const std::wstring& commandLine) { return Finish(Spawn(commandLine), INFINITE); }

// Started as the log-on task starts it; its window is the one the setup program asks to exit.
PROCESS_INFORMATION StartInstalled(const std::wstring& program) {
  PROCESS_INFORMATION tessel = Spawn(L"\"" + program + L"\"");
  DWORD owner = 0;
  EXPECT_TRUE(WaitFor([&] {
    return GetWindowThreadProcessId(FindWindowW(L"TesselClass", L"Tessel"), &owner) &&
           owner == tessel.dwProcessId;
  }));
  return tessel;
}

// Whether Windows deletes it at the next restart: MoveFileEx queues pairs of source and
// target, an empty target to delete, a folder with a trailing backslash.
bool QueuedForRestart(const std::wstring& path) {
  wchar_t list[8192] = L"";
  DWORD size = sizeof list - 2 * sizeof(wchar_t);
  RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager",
               L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, list, &size);
  for (const wchar_t* from = list; *from; from += wcslen(from) + 1) {
    const wchar_t* to = from + wcslen(from) + 1;
    if (!*to && (SamePath(from, L"\\??\\" + path) || SamePath(from, L"\\??\\" + path + L"\\"))) return true;
    from = to;
  }
  return false;
}

// What of the folder outlives the next restart, or "". Wine never lets a hook library
// go from the desktop shell it hooked, so an old library can only go at the restart.
std::wstring LeftForGood(const std::wstring& folder) {
  std::wstring left = !Exists(folder) || QueuedForRestart(folder) ? L"" : L"the folder itself";
  WIN32_FIND_DATAW item{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &item);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &item))
    if (item.cFileName[0] != L'.' && !QueuedForRestart(folder + L"\\" + item.cFileName))
      left = item.cFileName;
  FindClose(search);
  return left;
}

// The matching set of files, the shortcut, the Add/Remove Programs entry for all users,
// and log-on start only through the task: Windows starts no elevated program from Run.
void ExpectInstalled(const std::wstring& folder, bool startAtLogon) {
  const std::wstring program = folder + L"\\tessel.exe";
  // The 32-bit hook host and its library come with the 64-bit program only.
  for (const wchar_t* file : {L"tessel.exe", L"hmg.dll", L"help\\index.htm", L"hookhost32.exe", L"hmg32.dll"})
    EXPECT_EQ(Exists(folder + L"\\" + file), kWin64 || !wcsstr(file, L"32")) << file;
  DWORD type = 0, wanted = kWin64 ? SCS_64BIT_BINARY : SCS_32BIT_BINARY;
  EXPECT_TRUE(GetBinaryTypeW(program.c_str(), &type) && type == wanted) << "the other architecture's program";
  EXPECT_TRUE(Exists(Shortcut()));
  std::wstring entry;
  for (const wchar_t* name : {L"DisplayName", L"DisplayVersion", L"Publisher", L"InstallLocation",
                              L"DisplayIcon", L"UninstallString"})
    entry += ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, name) + L"|";
  EXPECT_EQ(entry, L"Tessel|" TESSEL_VERSION L"|Velbrook|" + folder + L"|" + program + L"|\"" + folder +
                       L"\\uninstall.exe\"|");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_EQ(TaskExists(), startAtLogon);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, L"Tessel"), L"<missing>");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, L"Tessel"), L"<missing>");
}

void ExpectUninstalled(const std::wstring& folder) {
  EXPECT_EQ(LeftForGood(folder), L"") << "was left in " << folder;
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(Exists(Shortcut()) || TaskExists()) << "the shortcut or the log-on task stays";
}

// A copy installed earlier in `folder`, with the installed uninstaller and program.
void PlantCopy(const std::wstring& installed, const std::wstring& folder, HKEY root, REGSAM view) {
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  for (const wchar_t* file : {L"\\uninstall.exe", L"\\tessel.exe"})
    EXPECT_TRUE(CopyFileW((installed + file).c_str(), (folder + file).c_str(), FALSE));
  HKEY key = nullptr;
  RegCreateKeyExW(root, kUninstallKey, 0, nullptr, 0, KEY_WRITE | view, nullptr, &key, nullptr);
  RegSetKeyValueW(key, nullptr, L"InstallLocation", REG_SZ, folder.c_str(), Bytes(folder));
  RegCloseKey(key);
}

TEST(Installer, InstallsForAllUsersOverEarlierCopiesAndUninstallsKeepingOrRemovingTheUsersData) {
  const std::wstring setup = _wgetenv(L"TESSEL_SETUP") ? _wgetenv(L"TESSEL_SETUP") : L"";
  ASSERT_TRUE(Exists(setup)) << "TESSEL_SETUP names no setup program";
  const auto install = [&](const wchar_t* args) { return RunToEnd(L"\"" + setup + L"\" /S " + args); };
  const std::wstring folder = Folder(CSIDL_PROGRAM_FILES) + L"\\Tessel", program = folder + L"\\tessel.exe";
  const std::wstring own = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tessel";
  const DWORD never = 0;  // no update check: keeps the program off the network
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"UpdateInterval", REG_DWORD, &never, sizeof never);
  SHCreateDirectoryExW(nullptr, (Folder(CSIDL_APPDATA) + L"\\Velbrook\\Tessel").c_str(), nullptr);
  CloseHandle(CreateFileW(LayoutFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  // An administrator's Tessel runs elevated, so it must not go where the user can change it.
  EXPECT_EQ(install(L"/CurrentUser"), 2);
  EXPECT_FALSE(Exists(own) || Exists(folder)) << "installed anyway";

  DWORD lock = 200000, size = sizeof lock;  // the set-up run, tessel.exe -s, sets it to 0
  RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"ForegroundLockTimeout", REG_DWORD, &lock, size);
  ASSERT_EQ(install(L"/StartAtLogon"), 0);
  ExpectInstalled(folder, true);
  RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"ForegroundLockTimeout", RRF_RT_DWORD, nullptr, &lock, &size);
  EXPECT_EQ(lock, 0u) << "no set-up run";

  // Installing over the running program stops it and takes back the log-on start not asked for.
  PROCESS_INFORMATION tessel = StartInstalled(program);
  EXPECT_EQ(install(L""), 0);
  EXPECT_EQ(Finish(tessel, 0), 0) << "installing over the running program";
  ExpectInstalled(folder, false);
  const std::wstring oldLibrary = folder + L"\\hmg.dll.old";  // still loaded by the desktop shell
  EXPECT_TRUE(!Exists(oldLibrary) || QueuedForRestart(oldLibrary)) << "the old hook library stays for good";

  // It uninstalls the administrator's own copy (started from Run) and, on 64-bit Windows,
  // an earlier 32-bit one; their uninstallers keep the user's data.
  PlantCopy(folder, own, HKEY_CURRENT_USER, 0);
  const std::wstring ownRun = L"\"" + own + L"\\tessel.exe\"";
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Tessel", REG_SZ, ownRun.c_str(), Bytes(ownRun));
  const std::wstring old = Folder(CSIDL_PROGRAM_FILESX86) + L"\\Tessel";
  if (kWin64) PlantCopy(folder, old, HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY);
  ASSERT_EQ(install(L"/AllUsers /StartAtLogon"), 0);
  ExpectInstalled(folder, true);
  EXPECT_FALSE(Exists(own)) << "the administrator's own copy stays";
  EXPECT_FALSE(kWin64 && (Exists(old) || KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_32KEY)))
      << "the earlier 32-bit installation stays";
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey) && Exists(LayoutFile())) << "the user's data goes";

  // Run as Add/Remove Programs runs it, the uninstaller hands over to a copy of itself
  // and returns at once; the user's data goes last.
  tessel = StartInstalled(program);
  ASSERT_EQ(RunToEnd(L"\"" + folder + L"\\uninstall.exe\" /S /RemoveUserData"), 0);
  EXPECT_TRUE(WaitFor([] { return !KeyExists(HKEY_CURRENT_USER, kSettingsKey); })) << "the settings stay";
  EXPECT_EQ(Finish(tessel, 0), 0) << "uninstalling the running program";
  EXPECT_TRUE(WaitFor([] { return !Exists(LayoutFile()); })) << "the layout goes after the settings";
  ExpectUninstalled(folder);
}

}  // namespace
