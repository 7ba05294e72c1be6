#include "shell/win32/code_folder_check.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "shell/code_folder_trust.h"
#include "shell/win32/handles.h"
#include "shell/win32/program.h"

namespace tessel {
namespace {

std::wstring SidText(PSID sid) {
  LPWSTR text = nullptr;
  if (!sid || !ConvertSidToStringSidW(sid, &text)) return L"";
  const LocalMemory<LPWSTR> owned(text);
  return std::wstring(owned.get());
}

ObjectSecurity ReadSecurity(const std::wstring& path) {
  ObjectSecurity object;
  object.path = path;
  PSID owner = nullptr;
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &list,
                            nullptr, &descriptor) != ERROR_SUCCESS)
    return object;
  const LocalMemory<PSECURITY_DESCRIPTOR> ownedDescriptor(descriptor);  // owner and list point into it
  object.read = true;
  object.owner = SidText(owner);
  object.hasList = list != nullptr;
  for (DWORD i = 0; list && i < list->AceCount; ++i) {
    ACE_HEADER* header = nullptr;
    if (!GetAce(list, i, reinterpret_cast<void**>(&header))) continue;
    const bool allow =
        header->AceType == ACCESS_ALLOWED_ACE_TYPE || header->AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
    const bool deny =
        header->AceType == ACCESS_DENIED_ACE_TYPE || header->AceType == ACCESS_DENIED_CALLBACK_ACE_TYPE;
    if (!allow && !deny) continue;  // object entries do not occur on files
    // Allowed and denied entries share their layout.
    auto* entry = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    object.entries.push_back({allow, (header->AceFlags & INHERIT_ONLY_ACE) != 0, SidText(&entry->SidStart),
                              static_cast<std::uint32_t>(entry->Mask)});
  }
  return object;
}

// Whether this process holds an elevated token; never before Windows Vista, which
// had no other kind for an administrator.
bool Elevated(std::wstring* userSid) {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return false;
  const KernelHandle token(opened);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool elevated =
      GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
      elevation.TokenIsElevated;
  BYTE user[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
  if (GetTokenInformation(token.get(), TokenUser, user, sizeof user, &size))
    *userSid = SidText(reinterpret_cast<TOKEN_USER*>(user)->User.Sid);
  return elevated;
}

// Wine runs every program of the user elevated and makes file access lists up from
// the Unix permissions, whose owner is that user: there is no unelevated account of
// the user to guard against, only other Unix users.
bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::vector<ObjectSecurity> ProgramFolderSecurity() {
  const std::wstring folder = ProgramFolder();
  std::vector<ObjectSecurity> objects{
      ReadSecurity(folder.size() > 3 ? folder.substr(0, folder.size() - 1) : folder)};
  for (const wchar_t* pattern : {L"*.dll", L"*.exe"}) {
    WIN32_FIND_DATAW found;
    const FindHandle search(FindFirstFileW((folder + pattern).c_str(), &found));
    if (!search) continue;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        objects.push_back(ReadSecurity(folder + found.cFileName));
    } while (FindNextFileW(search.get(), &found));
  }
  return objects;
}

}  // namespace

std::wstring UnsafeCodeInProgramFolder() {
  std::wstring user;
  if (!Elevated(&user)) return L"";
  return UnsafeCodePath(true, ProgramFolderSecurity(), UnderWine() ? user : L"");
}

}  // namespace tessel
