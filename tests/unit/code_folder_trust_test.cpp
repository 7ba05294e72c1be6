#include "shell/code_folder_trust.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

constexpr wchar_t kUser[] = L"S-1-5-21-1004336348-1177238915-682003330-1001";
constexpr wchar_t kAdmins[] = L"S-1-5-32-544";
constexpr wchar_t kSystem[] = L"S-1-5-18";
constexpr wchar_t kUsers[] = L"S-1-5-32-545";
constexpr wchar_t kAuthenticated[] = L"S-1-5-11";
constexpr wchar_t kEveryone[] = L"S-1-1-0";
constexpr std::uint32_t kFull = 0x1F01FF, kReadRun = 0x1200A9, kModify = 0x1301BF;

AccessEntry Allow(const wchar_t* sid, std::uint32_t mask) { return {true, false, sid, mask}; }
AccessEntry Deny(const wchar_t* sid, std::uint32_t mask) { return {false, false, sid, mask}; }
AccessEntry Inherited(const wchar_t* sid, std::uint32_t mask) { return {true, true, sid, mask}; }

ObjectSecurity Object(const wchar_t* owner, std::vector<AccessEntry> entries) {
  return {L"C:\\Tessel", true, true, owner, std::move(entries)};
}

TEST(CodeFolderTrust, OnlyAdministratorsMayChangeTrustedCode) {
  const std::vector<AccessEntry> programFiles{Allow(kSystem, kFull), Allow(kAdmins, kFull),
                                              Allow(kUsers, kReadRun), Inherited(L"S-1-3-0", 0x10000000)};
  struct Case {
    const char* name;
    ObjectSecurity object;
    const wchar_t* alsoTrusted;
    bool writable;
  } cases[] = {
      {"Program Files, made by an administrator", Object(kAdmins, programFiles), L"", false},
      {"the same where the user is no other account than the elevated one (Wine)",
       Object(kUser, {Allow(kSystem, kFull), Allow(kUser, kFull), Allow(kEveryone, kReadRun)}), kUser, false},
      {"a folder beside C:\\ that authenticated users may modify",
       Object(kAdmins, {Allow(kAdmins, kFull), Allow(kAuthenticated, kModify)}), L"", true},
      {"users who may only add files",
       Object(kAdmins, {Allow(kAdmins, kFull), Allow(kUsers, kReadRun | 0x2)}), L"", true},
      {"users who may change who may",
       Object(kAdmins, {Allow(kAdmins, kFull), Allow(kUsers, kReadRun | 0x40000)}), L"", true},
      {"a right for what is made inside only",
       Object(kAdmins, {Allow(kAdmins, kFull), Inherited(kUsers, kFull)}), L"", false},
      {"writing denied to the same account first",
       Object(kAdmins, {Deny(kUsers, kFull), Allow(kAdmins, kFull), Allow(kUsers, kFull)}), L"", false},
      {"a deny that leaves changing the list allowed",
       Object(kAdmins, {Deny(kUsers, kModify), Allow(kUsers, kFull)}), L"", true},
      {"a deny after the allow comes too late",
       Object(kAdmins, {Allow(kUsers, kModify), Deny(kUsers, kModify)}), L"", true},
      {"a user's file, even with an administrators-only list",
       Object(kUser, {Allow(kSystem, kFull), Allow(kAdmins, kFull)}), L"", true},
      {"a user's file whose owner rights allow reading only",
       Object(kUser, {Allow(kAdmins, kFull), Allow(L"S-1-3-4", kReadRun)}), L"", false},
      {"owner rights that allow writing", Object(kUser, {Allow(kAdmins, kFull), Allow(L"S-1-3-4", kModify)}),
       L"", true},
      {"no access list at all", {L"C:\\Tessel", true, false, kAdmins, {}}, L"", true},
      {"security that could not be read", {L"C:\\Tessel", false, true, L"", {}}, L"", true},
      {"SIDs written in lower case", Object(L"s-1-5-32-544", {Allow(L"s-1-5-18", kFull)}), L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WritableByNonAdministrators(c.object, c.alsoTrusted), c.writable);
  }
}

TEST(CodeFolderTrust, AnElevatedProgramNamesTheFirstObjectOthersCanChange) {
  ObjectSecurity folder = Object(kAdmins, {Allow(kAdmins, kFull), Allow(kUsers, kReadRun)});
  folder.path = L"C:\\Program Files\\Tessel";
  ObjectSecurity library = Object(kAdmins, {Allow(kAdmins, kFull), Allow(kUsers, kModify)});
  library.path = L"C:\\Program Files\\Tessel\\hmg.dll";
  EXPECT_EQ(UnsafeCodePath(true, {folder, library}, L""), library.path);
  EXPECT_EQ(UnsafeCodePath(false, {folder, library}, L""), L"") << "not elevated: nothing more to lose";
  EXPECT_EQ(UnsafeCodePath(true, {folder}, L""), L"");
  EXPECT_NE(UnsafeCodeMessage(library.path).find(library.path), std::wstring::npos);
}

}  // namespace
}  // namespace tessel
