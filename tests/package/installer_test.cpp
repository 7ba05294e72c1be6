// The setup program, run silently as an administrator would (Wine's user is one),
// checked through what Windows itself shows: files, shortcut, registry, scheduled
// task, the running program. Built for each architecture and run on Windows of that
// architecture, where the setup program must install the matching set of files.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>
#include <taskschd.h>

#include <cwchar>
#include <functional>
#include <string>

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessel";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kSettingsKey[] = L"Software\\Velbrook\\Tessel";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2] = L"";
  return GetEnvironmentVariableW(name, value, MAX_PATH * 2) ? value : L"";
}

std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path)) ? path : L"";
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The hook host and its hook library come only with the 64-bit program.
#ifdef _WIN64
constexpr DWORD kProgramType = SCS_64BIT_BINARY;
constexpr bool kWithHookHost = true;
#else
constexpr DWORD kProgramType = SCS_32BIT_BINARY;
constexpr bool kWithHookHost = false;
#endif
constexpr const wchar_t* kHostFiles[] = {L"\\hookhost32.exe", L"\\hmg32.dll"};

DWORD BinaryType(const std::wstring& path) {
  DWORD type = 0xffffffff;
  return GetBinaryTypeW(path.c_str(), &type) ? type : 0xffffffff;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

bool WaitFor(const std::function<bool()>& done, DWORD ms = 30000) {
  for (DWORD waited = 0; !done(); waited += 50) {
    if (waited >= ms) return false;
    Sleep(50);
  }
  return true;
}

// A string value, or "<missing>" when the key or value is not there.
std::wstring ReadString(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t value[1024] = L"";
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return value;
}

bool KeyExists(HKEY root, const wchar_t* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

DWORD ForegroundLockTimeout() {
  DWORD value = 0xffffffff, size = sizeof value;
  RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"ForegroundLockTimeout", RRF_RT_REG_DWORD, nullptr, &value,
               &size);
  return value;
}

// Runs a command line to its end; its exit code, or -1 when it could not start.
long RunToEnd(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

long Install(const std::wstring& switches) {
  return RunToEnd(L"\"" + Environment(L"TESSEL_SETUP") + L"\" /S " + switches);
}

// The uninstaller normally copies itself away and returns at once; `_?=` keeps it in
// place and makes it finish before it returns (and leaves itself and the folder).
long UninstallAndWait(const std::wstring& folder, const std::wstring& switches = L"") {
  return RunToEnd(L"\"" + folder + L"\\uninstall.exe\" /S " + switches + L" _?=" + folder);
}

// The target of a shell link, read as the shell reads it.
std::wstring LinkTarget(const std::wstring& link) {
  std::wstring target = L"<unreadable>";
  IShellLinkW* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shellLink))))
    return target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t path[MAX_PATH] = L"";
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
        SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
      target = path;
    file->Release();
  }
  shellLink->Release();
  return target;
}

// Whether the Task Scheduler holds a task of that name in its root folder.
bool TaskExists(const wchar_t* name) {
  ITaskService* service = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                              reinterpret_cast<void**>(&service))))
    return false;
  bool found = false;
  VARIANT none{};
  ITaskFolder* root = nullptr;
  BSTR rootName = SysAllocString(L"\\");
  BSTR taskName = SysAllocString(name);
  if (SUCCEEDED(service->Connect(none, none, none, none)) && SUCCEEDED(service->GetFolder(rootName, &root))) {
    IRegisteredTask* task = nullptr;
    found = SUCCEEDED(root->GetTask(taskName, &task));
    if (task) task->Release();
    root->Release();
  }
  SysFreeString(taskName);
  SysFreeString(rootName);
  service->Release();
  return found;
}

// Whether Windows deletes the file or folder at the next restart, as MoveFileEx queues it.
bool QueuedForRestart(const std::wstring& path) {
  wchar_t pending[8192] = L"";
  DWORD size = sizeof pending - 2 * sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager",
                   L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, pending,
                   &size) != ERROR_SUCCESS)
    return false;
  // Pairs of source and target; an empty target deletes the source.
  for (const wchar_t* from = pending; *from;) {
    const wchar_t* to = from + wcslen(from) + 1;
    std::wstring queued = from;
    if (!queued.empty() && queued.back() == L'\\') queued.pop_back();  // how a folder is queued
    if (!*to && SamePath(queued, L"\\??\\" + path)) return true;
    from = to + wcslen(to) + 1;
  }
  return false;
}

// The first thing in the folder that is not to go at the next restart, or "" when none.
// The desktop shell is hooked like any program of its architecture and Wine never lets
// a hook library go, so an old library can only go at the restart.
std::wstring LeftForGood(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return L"";
  std::wstring left;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L".." && !QueuedForRestart(folder + L"\\" + name)) left = name;
  } while (left.empty() && FindNextFileW(search, &found));
  FindClose(search);
  if (left.empty() && !QueuedForRestart(folder)) left = L"the folder itself";
  return left;
}

// The settings key and the automatic layout file, as a user of Tessel has them.
void PlantUserData() {
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  const DWORD noUpdateCheck = 0;  // keeps the program off the network in this test
  RegSetValueExW(key, L"UpdateInterval", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&noUpdateCheck),
                 sizeof noUpdateCheck);
  RegCloseKey(key);
  const std::wstring folder = Folder(CSIDL_APPDATA) + L"\\Velbrook\\Tessel";
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  HANDLE file = CreateFileW((folder + L"\\lastframes.tsf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
}

std::wstring LayoutFile() { return Folder(CSIDL_APPDATA) + L"\\Velbrook\\Tessel\\lastframes.tsf"; }

std::wstring ProcessImage(DWORD processId) {
  std::wstring image = L"<unreadable>";
  if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
    wchar_t path[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) image = path;
    CloseHandle(process);
  }
  return image;
}

// Runs the installed program and checks it is the one whose main window appears.
PROCESS_INFORMATION StartInstalled(std::wstring commandLine, const std::wstring& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION tessel{};
  EXPECT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &tessel));
  EXPECT_TRUE(WaitFor([] { return FindWindowW(L"TesselClass", L"Tessel") != nullptr; }));
  DWORD owner = 0;
  GetWindowThreadProcessId(FindWindowW(L"TesselClass", L"Tessel"), &owner);
  EXPECT_EQ(owner, tessel.dwProcessId);
  EXPECT_TRUE(SamePath(ProcessImage(owner), program)) << ProcessImage(owner);
  return tessel;
}

// Whether the program had ended, with the exit code of its Exit command; ends it if not.
bool EndedCleanly(PROCESS_INFORMATION& tessel) {
  DWORD exitCode = 1;
  const bool ended = WaitForSingleObject(tessel.hProcess, 0) == WAIT_OBJECT_0;
  if (ended)
    GetExitCodeProcess(tessel.hProcess, &exitCode);
  else
    TerminateProcess(tessel.hProcess, 9);
  CloseHandle(tessel.hThread);
  CloseHandle(tessel.hProcess);
  return ended && exitCode == 0;
}

class InstallerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitialize(nullptr); }
  void SetUp() override {
    ASSERT_TRUE(Exists(Environment(L"TESSEL_SETUP"))) << "TESSEL_SETUP names no setup program";
  }
};

// A copy an administrator once installed for themselves, in their own folder, set to
// start at log-on: the installed uninstaller and program, as that copy had them.
std::wstring PlantOwnCopy(const std::wstring& installed) {
  const std::wstring own = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tessel";
  SHCreateDirectoryExW(nullptr, own.c_str(), nullptr);
  for (const wchar_t* file : {L"\\uninstall.exe", L"\\tessel.exe"})
    EXPECT_TRUE(CopyFileW((installed + file).c_str(), (own + file).c_str(), FALSE));
  const std::wstring run = L"\"" + own + L"\\tessel.exe\"";
  RegSetKeyValueW(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation", REG_SZ, own.c_str(),
                  static_cast<DWORD>((own.size() + 1) * sizeof(wchar_t)));
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Tessel", REG_SZ, run.c_str(),
                  static_cast<DWORD>((run.size() + 1) * sizeof(wchar_t)));
  return own;
}

#ifdef _WIN64
// An earlier installation of the 32-bit set on 64-bit Windows: in the 32-bit Program
// Files, its entry in the registry's 32-bit view.
std::wstring PlantThirtyTwoBitCopy(const std::wstring& installed) {
  const std::wstring old = Folder(CSIDL_PROGRAM_FILESX86) + L"\\Tessel";
  SHCreateDirectoryExW(nullptr, old.c_str(), nullptr);
  for (const wchar_t* file : {L"\\uninstall.exe", L"\\tessel.exe"})
    EXPECT_TRUE(CopyFileW((installed + file).c_str(), (old + file).c_str(), FALSE));
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"InstallLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(old.c_str()),
                 static_cast<DWORD>((old.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return old;
}
#endif

TEST_F(InstallerTest, AnAdministratorInstallsForAllUsersStartsAtLogOnByTaskAndUninstallsKeepingTheUsersData) {
  const DWORD lockTimeout = 200000;
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(lockTimeout),
                                    SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
  ASSERT_EQ(ForegroundLockTimeout(), lockTimeout);
  PlantUserData();

  // Wine's user is an administrator, so this is an administrator's installation.
  ASSERT_EQ(Install(L"/StartAtLogon"), 0);

  const std::wstring folder = Folder(CSIDL_PROGRAM_FILES) + L"\\Tessel";
  const std::wstring program = folder + L"\\tessel.exe";
  EXPECT_TRUE(Exists(program));
  EXPECT_TRUE(Exists(folder + L"\\hmg.dll"));
  EXPECT_TRUE(Exists(folder + L"\\help\\index.htm"));
  EXPECT_EQ(BinaryType(program), kProgramType) << "the other architecture's program";
  for (const wchar_t* file : kHostFiles) EXPECT_EQ(Exists(folder + file), kWithHookHost) << file;
  const std::wstring shortcut = Folder(CSIDL_COMMON_PROGRAMS) + L"\\Tessel.lnk";
  EXPECT_TRUE(SamePath(LinkTarget(shortcut), program)) << LinkTarget(shortcut);

  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), L"Tessel");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), L"" TESSEL_VERSION);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"Publisher"), L"Velbrook");
  EXPECT_TRUE(SamePath(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"), folder));
  EXPECT_TRUE(SamePath(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayIcon"), program));
  EXPECT_TRUE(SamePath(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"),
                       L"\"" + folder + L"\\uninstall.exe\""));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_EQ(ForegroundLockTimeout(), 0u) << "the set-up run of tessel.exe -s";
  // Windows starts no elevated program from a Run key: a task starts it instead.
  EXPECT_TRUE(TaskExists(L"Tessel"));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, L"Tessel"), L"<missing>");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, L"Tessel"), L"<missing>");

  // Started from where it was installed, as the task starts it: installing over it
  // and uninstalling both stop it through its Exit command first. Installing over it
  // also uninstalls the copy the administrator once made for themselves, and takes
  // back the log-on start no longer asked for.
  const std::wstring own = PlantOwnCopy(folder);
#ifdef _WIN64
  const std::wstring old = PlantThirtyTwoBitCopy(folder);
#endif
  PROCESS_INFORMATION tessel = StartInstalled(L"\"" + program + L"\"", program);
  EXPECT_EQ(Install(L""), 0);
#ifdef _WIN64
  EXPECT_FALSE(Exists(old + L"\\tessel.exe")) << "the earlier 32-bit installation stays";
  HKEY oldKey = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_32KEY, &oldKey), ERROR_SUCCESS);
#endif
  EXPECT_TRUE(EndedCleanly(tessel)) << "installing over the running program";
  EXPECT_TRUE(Exists(folder + L"\\hmg.dll"));
  const std::wstring oldLibrary = folder + L"\\hmg.dll.old";
  EXPECT_TRUE(!Exists(oldLibrary) || QueuedForRestart(oldLibrary)) << "the old hook library stays for good";
  for (const wchar_t* file : kHostFiles) EXPECT_EQ(Exists(folder + file), kWithHookHost) << file;
  EXPECT_FALSE(Exists(own)) << "the administrator's own copy stays";
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, L"Tessel"), L"<missing>");
  EXPECT_FALSE(TaskExists(L"Tessel"));

  tessel = StartInstalled(L"\"" + program + L"\"", program);
  EXPECT_EQ(UninstallAndWait(folder), 0);
  EXPECT_TRUE(EndedCleanly(tessel)) << "uninstalling the running program";

  EXPECT_FALSE(Exists(program));
  EXPECT_FALSE(Exists(folder + L"\\hmg.dll"));
  for (const wchar_t* file : kHostFiles) EXPECT_FALSE(Exists(folder + file)) << file;
  EXPECT_FALSE(Exists(folder + L"\\help"));
  EXPECT_FALSE(Exists(shortcut));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
  EXPECT_TRUE(Exists(LayoutFile()));

  // What `_?=` left behind.
  DeleteFileW((folder + L"\\uninstall.exe").c_str());
  if (!RemoveDirectoryW(folder.c_str())) {
    EXPECT_EQ(LeftForGood(folder), L"") << "was left in " << folder;
  }
}

TEST_F(InstallerTest, AllUsersInstallAndAnUninstallThatRemovesTheUsersData) {
  PlantUserData();
  EXPECT_EQ(Install(L"/CurrentUser"), 2) << "an administrator's Tessel needs Program Files";
  EXPECT_FALSE(Exists(Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tessel"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

  ASSERT_EQ(Install(L"/AllUsers /StartAtLogon"), 0);

  const std::wstring folder = Folder(CSIDL_PROGRAM_FILES) + L"\\Tessel";
  const std::wstring program = folder + L"\\tessel.exe";
  EXPECT_TRUE(Exists(program));
  EXPECT_TRUE(Exists(Folder(CSIDL_COMMON_PROGRAMS) + L"\\Tessel.lnk"));
  EXPECT_TRUE(SamePath(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"), folder));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_TRUE(TaskExists(L"Tessel"));

  // Run as Add/Remove Programs runs it: the uninstaller hands over to a copy of itself.
  ASSERT_EQ(RunToEnd(L"\"" + folder + L"\\uninstall.exe\" /S /RemoveUserData"), 0);
  // The user's data goes last.
  EXPECT_TRUE(WaitFor([] { return !KeyExists(HKEY_CURRENT_USER, kSettingsKey); })) << "the settings stay";
  EXPECT_FALSE(Exists(LayoutFile()));
  if (Exists(folder)) {
    EXPECT_EQ(LeftForGood(folder), L"") << "was left in " << folder;
  }
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(Exists(Folder(CSIDL_COMMON_PROGRAMS) + L"\\Tessel.lnk"));
  EXPECT_FALSE(TaskExists(L"Tessel"));
}

}  // namespace
