#include "platform/win32/win32_registry.h"

#include <windows.h>

namespace tessel {

static_assert(kErrorSuccess == ERROR_SUCCESS && kErrorFileNotFound == ERROR_FILE_NOT_FOUND &&
                  kErrorAccessDenied == ERROR_ACCESS_DENIED && kErrorMoreData == ERROR_MORE_DATA,
              "error codes");
static_assert(kRegBinary == REG_BINARY && kRegDword == REG_DWORD, "value types");

namespace {

HKEY ToHkey(KeyId key) { return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key)); }

}  // namespace

std::int32_t Win32Registry::RegCreateKeyExW(const wchar_t* subKey, KeyId* key) {
  HKEY opened = nullptr;
  const LONG result = ::RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &opened, nullptr);
  *key = result == ERROR_SUCCESS ? KeyId{reinterpret_cast<std::uintptr_t>(opened)} : kNoKey;
  return result;
}

std::int32_t Win32Registry::RegQueryValueExW(KeyId key, const wchar_t* name, std::uint32_t* type, void* data,
                                             std::uint32_t* size) {
  DWORD t = 0;
  DWORD n = *size;
  const LONG result = ::RegQueryValueExW(ToHkey(key), name, nullptr, &t, static_cast<BYTE*>(data), &n);
  if (type) *type = t;
  *size = n;
  return result;
}

std::int32_t Win32Registry::RegSetValueExW(KeyId key, const wchar_t* name, std::uint32_t type,
                                           const void* data, std::uint32_t size) {
  return ::RegSetValueExW(ToHkey(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

std::int32_t Win32Registry::RegDeleteValueW(KeyId key, const wchar_t* name) {
  return ::RegDeleteValueW(ToHkey(key), name);
}

std::int32_t Win32Registry::RegCloseKey(KeyId key) { return ::RegCloseKey(ToHkey(key)); }

}  // namespace tessel
