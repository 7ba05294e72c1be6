#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_file_system.h"
#include "update/version_file.h"

namespace tessel {
namespace {

double Read(const std::string& body, double fallback = -1.0) {
  FakeFileSystem files;
  const std::wstring path = files.appData + L"\\ver1.tmp";
  files.files[path].assign(body.begin(), body.end());
  return VersionFile(files, path).ReadNumber(fallback);
}

TEST(VersionFile, ReadsTheNumberAtTheStartOfTheValue) {
  EXPECT_EQ(Read("[main]\r\nCurrentVersion=1.1\r\n"), 1.1);
  EXPECT_EQ(Read("[main]\nCurrentVersion=1.1 beta\n"), 1.1);
  EXPECT_EQ(Read("[Main]\n  currentversion = \"1.2\"  \n"), 1.2);
  EXPECT_EQ(Read("[main]\nCurrentVersion=beta\n"), 0.0);
}

TEST(VersionFile, OnlyTheFirst64CharactersOfALongValueCount) {
  const std::string digits(63, '1');
  EXPECT_EQ(Read("[main]\nCurrentVersion=" + digits + "99\n"), std::stod(digits + "9"));
  EXPECT_EQ(Read("[main]\nCurrentVersion=" + std::string(600, ' ') + "x" + std::string(600, '2') + "\n"), 0.0);
}

TEST(VersionFile, AnythingButANumberGivesTheFallback) {
  EXPECT_EQ(Read(""), -1.0);
  EXPECT_EQ(Read("<html><body>404 Not Found</body></html>"), -1.0);
  EXPECT_EQ(Read("[other]\nCurrentVersion=1.1\n"), -1.0);
  EXPECT_EQ(Read("[main]\nCurrentVersion=\n"), -1.0);
  EXPECT_EQ(Read("[main]\nCurrentVersion=1e999\n"), -1.0);
  EXPECT_EQ(Read("[main]\nCurrentVersion=nan\n"), -1.0);
  FakeFileSystem files;
  EXPECT_EQ(VersionFile(files, L"C:\\missing.tmp").ReadNumber(-1.0), -1.0);
}

}  // namespace
}  // namespace tessel
