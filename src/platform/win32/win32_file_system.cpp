#include "platform/win32/win32_file_system.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <algorithm>
#include <utility>

namespace tessel {
namespace {

// Closes the file handle when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return h_; }
  // Closes now, so a failed close can be told apart.
  bool Close() { return ::CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE; }

 private:
  HANDLE h_;
};

// Each ReadFile and WriteFile call moves at most this much.
constexpr DWORD kChunk = 1 << 20;

}  // namespace

bool Win32FileSystem::SHGetFolderPathW(std::wstring* folder) {
  wchar_t path[MAX_PATH];
  if (FAILED(
          ::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    return false;
  *folder = path;
  return true;
}

bool Win32FileSystem::CreateDirectoryW(const std::wstring& path) {
  return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

bool Win32FileSystem::ReadWholeFile(const std::wstring& path, std::size_t maxBytes,
                                    std::vector<std::uint8_t>* bytes) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (file.get() == INVALID_HANDLE_VALUE || !::GetFileSizeEx(file.get(), &size) ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes)
    return false;
  bytes->assign(static_cast<std::size_t>(size.QuadPart), 0);
  for (std::size_t done = 0; done < bytes->size();) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes->size() - done));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes->data() + done, want, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

bool Win32FileSystem::WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  FileHandle file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
    DWORD put = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, want, &put, nullptr) || put == 0) return false;
    done += put;
  }
  return ::FlushFileBuffers(file.get()) && file.Close();
}

bool Win32FileSystem::MoveFileExW(const std::wstring& from, const std::wstring& to) {
  // A file just written is often opened a moment later by someone else (a virus scanner,
  // the desktop's shell looking for its icon), which refuses the move until they are
  // done: wait a little for them before giving up.
  for (int attempt = 0;; ++attempt) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = ::GetLastError();
    if (attempt == 10 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) return false;
    ::Sleep(50);
  }
}

bool Win32FileSystem::DeleteFileW(const std::wstring& path) { return ::DeleteFileW(path.c_str()) != FALSE; }

}  // namespace tessel
