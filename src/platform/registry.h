#pragma once

#include <cstdint>

namespace tessel {

// An open registry key, as the core sees it: an opaque id.
enum class KeyId : std::uintptr_t {};
constexpr KeyId kNoKey{};

// The system's error codes and value types that the core looks at, checked against
// <windows.h> in the Windows build.
constexpr std::int32_t kErrorSuccess = 0;
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorAccessDenied = 5;
constexpr std::int32_t kErrorMoreData = 234;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

// The current user's part of the registry. Methods carry the names and meaning of the
// Win32 calls they stand for and return the system's error codes (kErrorSuccess).
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens HKEY_CURRENT_USER\subKey with all access, creating it when missing.
  virtual std::int32_t RegCreateKeyExW(const wchar_t* subKey, KeyId* key) = 0;
  // Copies the value into `data` and sets *size to its length when it fits in *size
  // bytes. When it does not: kErrorMoreData, *size set to the length needed, and the
  // content of `data` undefined.
  virtual std::int32_t RegQueryValueExW(KeyId key, const wchar_t* name, std::uint32_t* type, void* data,
                                        std::uint32_t* size) = 0;
  virtual std::int32_t RegSetValueExW(KeyId key, const wchar_t* name, std::uint32_t type, const void* data,
                                      std::uint32_t size) = 0;
  virtual std::int32_t RegDeleteValueW(KeyId key, const wchar_t* name) = 0;
  virtual std::int32_t RegCloseKey(KeyId key) = 0;
};

}  // namespace tessel
