// The update check's thread: the program's own version, the clock and the temporary
// file come from the system here; the schedule itself lives in update/.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_file_version.h"
#include "platform/win32/win32_http_client.h"
#include "platform/win32/win32_registry.h"
#include "shell/win32/handles.h"
#include "shell/win32/update_thread.h"
#include "update/download.h"
#include "update/schedule.h"
#include "update/update_check.h"

namespace tessel {
namespace {

std::optional<double> OwnVersion() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  VS_FIXEDFILEINFO info{};
  if (length == 0 || length >= MAX_PATH || ReadFileVersion(path, &info) != 0) return std::nullopt;
  return VersionNumber(info.dwFileVersionMS);
}

std::uint64_t UtcNow() {
  SYSTEMTIME time;
  GetSystemTime(&time);
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  return static_cast<std::uint64_t>(file.dwHighDateTime) << 32 | file.dwLowDateTime;
}

bool NewTempFile(std::wstring* name) {
  wchar_t folder[MAX_PATH];
  wchar_t file[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH || GetTempFileNameW(folder, L"ver", 0, file) == 0) return false;
  *name = file;
  return true;
}

// What the thread is started with; it owns this.
struct UpdateJob {
  std::shared_ptr<std::atomic<bool>> available;
  std::int32_t intervalDays;
};

DWORD WINAPI UpdateCheckThread(LPVOID parameter) {
  const std::unique_ptr<UpdateJob> job(static_cast<UpdateJob*>(parameter));
  // Handles of its own: the main thread uses the program's at the same time.
  Win32Registry registry;
  Win32FileSystem files;
  Win32HttpClient http;
  const UpdateCheckHost host{
      registry, files, OwnVersion(), job->intervalDays, UtcNow, NewTempFile, [&](const std::wstring& path) {
        return DownloadToFile(http, files, path);
      }};
  RunUpdateCheck(host, *job->available);
  return 0;
}

}  // namespace

void UpdateThread::Start(std::int32_t intervalDays) {
  auto job = std::make_unique<UpdateJob>(UpdateJob{available_, intervalDays});
  const KernelHandle thread(CreateThread(nullptr, 0, UpdateCheckThread, job.get(), 0, nullptr));
  if (thread) job.release();  // the thread's now
}

}  // namespace tessel
