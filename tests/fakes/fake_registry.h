#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace tessel {

// An in-memory registry for unit tests: keys by path, values with their type and bytes.
// It can be told to refuse opening keys, or reading or writing chosen values, and it
// counts keys left open.
class FakeRegistry final : public Registry {
 public:
  struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
  };
  using Values = std::map<std::wstring, Value>;

  std::int32_t RegCreateKeyExW(const wchar_t* subKey, KeyId* key) override;
  std::int32_t RegQueryValueExW(KeyId key, const wchar_t* name, std::uint32_t* type, void* data,
                                std::uint32_t* size) override;
  std::int32_t RegSetValueExW(KeyId key, const wchar_t* name, std::uint32_t type, const void* data,
                              std::uint32_t size) override;
  std::int32_t RegDeleteValueW(KeyId key, const wchar_t* name) override;
  std::int32_t RegCloseKey(KeyId key) override;

  // The values of a key; null when it was never created.
  const Values* Key(const std::wstring& subKey) const;
  // One value; null when it is not there.
  const Value* Find(const std::wstring& subKey, const std::wstring& name) const;
  // Stores a value as another program would, creating the key.
  void Put(const std::wstring& subKey, const std::wstring& name, std::uint32_t type,
           const std::vector<std::uint8_t>& bytes);
  int openKeys() const { return static_cast<int>(open_.size()); }

  bool failOpen = false;
  std::set<std::wstring> failReads;   // value names whose queries fail
  std::set<std::wstring> failWrites;  // value names whose writes fail

 private:
  Values* Open(KeyId key);

  std::map<std::wstring, Values> keys_;
  std::map<KeyId, std::wstring> open_;
  std::uintptr_t nextKey_ = 0x80;
};

}  // namespace tessel
