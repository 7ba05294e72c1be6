#pragma once

#include "platform/registry.h"

namespace tessel {

// The current user's registry: each method is the Win32 call it names, on
// HKEY_CURRENT_USER and the keys opened below it.
class Win32Registry final : public Registry {
 public:
  std::int32_t RegCreateKeyExW(const wchar_t* subKey, KeyId* key) override;
  std::int32_t RegQueryValueExW(KeyId key, const wchar_t* name, std::uint32_t* type, void* data,
                                std::uint32_t* size) override;
  std::int32_t RegSetValueExW(KeyId key, const wchar_t* name, std::uint32_t type, const void* data,
                              std::uint32_t size) override;
  std::int32_t RegDeleteValueW(KeyId key, const wchar_t* name) override;
  std::int32_t RegCloseKey(KeyId key) override;
};

}  // namespace tessel
