#include "shell/code_folder_trust.h"

#include <algorithm>
#include <cwctype>

namespace tessel {
namespace {

constexpr wchar_t kSystem[] = L"S-1-5-18";
constexpr wchar_t kAdministrators[] = L"S-1-5-32-544";
constexpr wchar_t kTrustedInstaller[] = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr wchar_t kCreatorOwner[] = L"S-1-3-0";  // stands for the owner only in what is made inside
constexpr wchar_t kOwnerRights[] = L"S-1-3-4";   // when present, the owner has only what it grants
constexpr wchar_t kEveryone[] = L"S-1-1-0";

// Writing or appending (adding files or folders to a folder), deleting it or what is
// in it, changing its access list or owner, and the generic rights that include them.
constexpr std::uint32_t kChangeRights =
    0x0002 | 0x0004 | 0x0040 | 0x00010000 | 0x00040000 | 0x00080000 | 0x10000000 | 0x40000000;

bool SameSid(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towupper(x) == std::towupper(y);
         });
}

bool Trusted(const std::wstring& sid, const std::wstring& alsoTrusted) {
  for (const wchar_t* admin : {kSystem, kAdministrators, kTrustedInstaller, kCreatorOwner})
    if (SameSid(sid, admin)) return true;
  return !alsoTrusted.empty() && SameSid(sid, alsoTrusted);
}

// The change rights an allow entry still grants after the deny entries before it, for
// the same account or for everyone (the list is checked in order).
std::uint32_t Granted(const std::vector<AccessEntry>& entries, std::size_t index) {
  std::uint32_t denied = 0;
  for (std::size_t i = 0; i < index; ++i) {
    const AccessEntry& e = entries[i];
    if (!e.allow && !e.inheritOnly && (SameSid(e.sid, entries[index].sid) || SameSid(e.sid, kEveryone)))
      denied |= e.mask;
  }
  return entries[index].mask & kChangeRights & ~denied;
}

}  // namespace

bool WritableByNonAdministrators(const ObjectSecurity& object, const std::wstring& alsoTrusted) {
  if (!object.read || !object.hasList) return true;
  bool ownerRightsLimited = false;
  for (std::size_t i = 0; i < object.entries.size(); ++i) {
    const AccessEntry& e = object.entries[i];
    if (e.inheritOnly) continue;
    const bool forOwner = SameSid(e.sid, kOwnerRights);
    ownerRightsLimited = ownerRightsLimited || forOwner;
    if (e.allow && !Trusted(forOwner ? object.owner : e.sid, alsoTrusted) && Granted(object.entries, i))
      return true;
  }
  // An owner may always rewrite the list, unless an owner-rights entry says otherwise.
  return !ownerRightsLimited && !Trusted(object.owner, alsoTrusted);
}

std::wstring UnsafeCodePath(bool elevated, const std::vector<ObjectSecurity>& objects,
                            const std::wstring& alsoTrusted) {
  if (!elevated) return L"";
  for (const ObjectSecurity& object : objects)
    if (WritableByNonAdministrators(object, alsoTrusted)) return object.path;
  return L"";
}

std::wstring UnsafeCodeMessage(const std::wstring& path) {
  return L"Tessel runs with administrator rights, so every program it keeps in frames would load its hook "
         L"library with those rights. Users without administrator rights can change this:\r\n\r\n" +
         path +
         L"\r\n\r\nTessel will not start from there. Install it for all users (in Program Files) and start "
         L"that copy.";
}

}  // namespace tessel
