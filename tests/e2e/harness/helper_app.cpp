#include "harness/helper_app.h"

#include <cwchar>

namespace tessel::e2e {

std::wstring BesideExecutable(const wchar_t* fileName) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  dir.resize(dir.find_last_of(L"\\/") + 1);
  return dir + fileName;
}

bool X86Apps() {
  wchar_t value[8] = {};
  return GetEnvironmentVariableW(L"TESSEL_APPS", value, 8) && !wcscmp(value, L"x86");
}

HelperApp::HelperApp(const std::wstring& name, const wchar_t* file) {
  const wchar_t* ofThisRun = X86Apps() ? L"window_app32.exe" : L"window_app.exe";
  const std::wstring exe = BesideExecutable(file ? file : ofThisRun);
  std::wstring commandLine = L"\"" + exe + L"\" " + name;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process_)) {
    process_ = {};
    return;
  }
  HWND found = nullptr;
  WaitFor([&] { return (found = FindWindowW(testapp::kControlClass, name.c_str())) != nullptr; }, 10000);
  control_ = found;
}

HelperApp::~HelperApp() {
  if (!process_.hProcess) return;
  if (control_) PostMessageW(control_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool HelperApp::Kill() {
  control_ = nullptr;
  return process_.hProcess && TerminateProcess(process_.hProcess, 9) &&
         WaitForSingleObject(process_.hProcess, 5000) == WAIT_OBJECT_0;
}

namespace {
std::uint32_t Handle(HWND window) { return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)); }
}  // namespace

HWND HelperApp::Open(testapp::WindowKind kind, RECT rect, HWND owner) {
  return reinterpret_cast<HWND>(Send(testapp::kOpenWindow, {kind, rect, Handle(owner), 0}));
}

bool HelperApp::OpenAndDestroy(testapp::WindowKind kind, RECT rect) {
  return Send(testapp::kOpenAndDestroy, {kind, rect, 0, 0}) == 1;
}

bool HelperApp::Destroy(HWND window) { return Send(testapp::kDestroyWindow, {{}, {}, Handle(window), 0}) == 1; }

bool HelperApp::Place(HWND window, const RECT& rect) {
  return Send(testapp::kPlaceWindow, {{}, rect, Handle(window), 0}) == 1;
}

bool HelperApp::Show(HWND window, int command) {
  return Send(testapp::kShowWindow, {{}, {}, Handle(window), command}) == 1;
}

bool HelperApp::BeBusy(DWORD ms) { return Send(testapp::kBusy, {{}, {}, 0, static_cast<std::int32_t>(ms)}) == 1; }

DWORD_PTR HelperApp::Send(ULONG_PTR what, testapp::Request request) {
  if (!control_) return 0;
  COPYDATASTRUCT data{what, sizeof request, &request};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                           &result))
    return 0;
  return result;
}

}  // namespace tessel::e2e
