#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessel {

// One entry of a file's or folder's access list, its account as a SID string
// ("S-1-5-32-544").
struct AccessEntry {
  bool allow = true;         // false: a deny entry
  bool inheritOnly = false;  // applies to what is made inside the folder, not to it
  std::wstring sid;
  std::uint32_t mask = 0;
};

// What the program could read of one file's or folder's security.
struct ObjectSecurity {
  std::wstring path;
  bool read = false;    // false when it could not be read at all
  bool hasList = true;  // false: a null access list, which lets everyone do everything
  std::wstring owner;
  std::vector<AccessEntry> entries;
};

// Whether an account that is not an administrator can change the object: write or
// delete it, add files to it, or change who may. SYSTEM, Administrators and
// TrustedInstaller are trusted, and `alsoTrusted` (a SID, or empty) besides.
bool WritableByNonAdministrators(const ObjectSecurity& object, const std::wstring& alsoTrusted);

// Of the program's folder and the code in it, the path of the first one an elevated
// program must not load code from; empty when there is none or the program is not
// elevated (it could not do more than its user then).
std::wstring UnsafeCodePath(bool elevated, const std::vector<ObjectSecurity>& objects,
                            const std::wstring& alsoTrusted);

// The refusal the program shows before it ends.
std::wstring UnsafeCodeMessage(const std::wstring& path);

}  // namespace tessel
