// The program's own INI reader against the system's GetPrivateProfileStringW on the
// same files.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "harness/helper_app.h"
#include "update/profile_reader.h"

namespace tessel {
namespace {

// What the system's profile reader gives, with a buffer grown until the value fits;
// none when it returns the default (an empty value looks the same).
std::optional<std::wstring> SystemValue(const std::wstring& path) {
  for (DWORD size = 512;; size += 512) {
    std::vector<wchar_t> buffer(size);
    const DWORD length =
        GetPrivateProfileStringW(L"main", L"CurrentVersion", L"", buffer.data(), size, path.c_str());
    if (length + 1 < size) {
      if (length == 0) return std::nullopt;
      return std::wstring(buffer.data(), length);
    }
  }
}

TEST(ProfileReader, AgreesWithTheSystemOnTrickyFiles) {
  const std::string kLong(700, '7');
  const std::vector<std::string> files = {
      "[main]\r\nCurrentVersion=1.1\r\n",
      "; comment\n[Main]\n  currentversion  =  1.2  \n",
      "[main]\nCurrentVersion=\"1.3\"\n",
      "[main]\nCurrentVersion='1.4\n",
      "[main]\nCurrentVersion=\"\"\n",
      "[main]\nCurrentVersion=1.5\nCurrentVersion=1.6\n",
      "[main]\nOther=1\n[other]\nCurrentVersion=1.0\n[main]\nCurrentVersion=1.7\n",
      "[other]\nCurrentVersion=1.8\n",
      "CurrentVersion=1.9\n[main]\n",
      "[main]\nCurrentVersion\n",
      "[main]\nCurrentVersion=\n",
      "",
      "<html><body><h1>404 Not Found</h1></body></html>",
      "[ main ]\nCurrentVersion=2.0\n",
      "[main] trailing\nCurrentVersion=2.1\n",
      "[main\nCurrentVersion=2.2\n",
      "[main]\nCurrentVersion=2.3 ; note\n",
      "[main]\n;CurrentVersion=2.4\n",
      "[main]\n\tCurrentVersion\t=\t2.5\t\n",
      "[main]\nCurrent Version=2.6\nCurrentVersion = 2.7 = 3\n",
      "\xEF\xBB\xBF[main]\r\nCurrentVersion=2.8\r\n",
      std::string("\xFF\xFE[\0m\0a\0i\0n\0]\0\n\0C\0u\0r\0r\0e\0n\0t\0V\0e\0r\0s\0i\0o\0n\0=\0" "2\0.\0" "9\0", 48),
      "[main]\nCurrentVersion=" + kLong + "\n",
      "[main]\r\nCurrentVersion=3.0",
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    // A new name each time: the system keeps recently read files.
    const std::wstring path = e2e::BesideExecutable((L"profile" + std::to_wstring(i) + L".ini").c_str());
    std::ofstream(path.c_str(), std::ios::binary) << files[i];
    const std::vector<std::uint8_t> bytes(files[i].begin(), files[i].end());
    std::optional<std::wstring> ours = ReadProfileString(bytes, L"main", L"CurrentVersion");
    if (ours && ours->empty()) ours.reset();
    EXPECT_EQ(ours, SystemValue(path)) << "file " << i << ": " << files[i];
    DeleteFileW(path.c_str());
  }
}

}  // namespace
}  // namespace tessel
