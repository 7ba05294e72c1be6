#include "fakes/fake_file_system.h"

namespace tessel {

bool FakeFileSystem::InFolder(const std::wstring& path) const {
  const auto slash = path.rfind(L'\\');
  return slash != std::wstring::npos && folders.count(path.substr(0, slash));
}

bool FakeFileSystem::SHGetFolderPathW(std::wstring* folder) {
  if (failFolderPath) return false;
  *folder = appData;
  return true;
}

bool FakeFileSystem::CreateDirectoryW(const std::wstring& path) {
  if (!InFolder(path) || folders.count(path) || files.count(path)) return false;
  folders.insert(path);
  return true;
}

bool FakeFileSystem::ReadWholeFile(const std::wstring& path, std::size_t maxBytes,
                                   std::vector<std::uint8_t>* bytes) {
  const auto it = files.find(path);
  if (it == files.end() || it->second.size() > maxBytes) return false;
  *bytes = it->second;
  return true;
}

bool FakeFileSystem::WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  if (!InFolder(path) || folders.count(path)) return false;
  if (failWrites.count(path)) {
    files[path].assign(bytes.begin(), bytes.begin() + bytes.size() / 2);
    return false;
  }
  files[path] = bytes;
  return true;
}

bool FakeFileSystem::MoveFileExW(const std::wstring& from, const std::wstring& to) {
  const auto it = files.find(from);
  if (failMoves || it == files.end() || !InFolder(to) || folders.count(to)) return false;
  std::vector<std::uint8_t> bytes = std::move(it->second);
  files.erase(it);
  files[to] = std::move(bytes);
  return true;
}

bool FakeFileSystem::DeleteFileW(const std::wstring& path) { return files.erase(path) > 0; }

}  // namespace tessel
