#include "fakes/fake_registry.h"

#include <cstring>

namespace tessel {

namespace {
constexpr std::int32_t kErrorInvalidHandle = 6;
}

FakeRegistry::Values* FakeRegistry::Open(KeyId key) {
  const auto it = open_.find(key);
  return it == open_.end() ? nullptr : &keys_[it->second];
}

std::int32_t FakeRegistry::RegCreateKeyExW(const wchar_t* subKey, KeyId* key) {
  *key = kNoKey;
  if (failOpen) return kErrorAccessDenied;
  keys_[subKey];
  *key = KeyId{nextKey_++};
  open_[*key] = subKey;
  return kErrorSuccess;
}

std::int32_t FakeRegistry::RegQueryValueExW(KeyId key, const wchar_t* name, std::uint32_t* type, void* data,
                                            std::uint32_t* size) {
  Values* values = Open(key);
  if (!values) return kErrorInvalidHandle;
  if (failReads.count(name)) return kErrorAccessDenied;
  const auto it = values->find(name);
  if (it == values->end()) return kErrorFileNotFound;
  const Value& v = it->second;
  if (type) *type = v.type;
  const auto length = static_cast<std::uint32_t>(v.bytes.size());
  if (data && length > *size) {
    // What the buffer holds then is undefined; make sure nobody trusts it.
    std::memset(data, 0xCD, *size);
    *size = length;
    return kErrorMoreData;
  }
  if (data && length) std::memcpy(data, v.bytes.data(), length);
  *size = length;
  return kErrorSuccess;
}

std::int32_t FakeRegistry::RegSetValueExW(KeyId key, const wchar_t* name, std::uint32_t type,
                                          const void* data, std::uint32_t size) {
  Values* values = Open(key);
  if (!values) return kErrorInvalidHandle;
  if (failWrites.count(name)) return kErrorAccessDenied;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  (*values)[name] = {type, std::vector<std::uint8_t>(bytes, bytes + size)};
  return kErrorSuccess;
}

std::int32_t FakeRegistry::RegDeleteValueW(KeyId key, const wchar_t* name) {
  Values* values = Open(key);
  if (!values) return kErrorInvalidHandle;
  return values->erase(name) ? kErrorSuccess : kErrorFileNotFound;
}

std::int32_t FakeRegistry::RegCloseKey(KeyId key) {
  return open_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

const FakeRegistry::Values* FakeRegistry::Key(const std::wstring& subKey) const {
  const auto it = keys_.find(subKey);
  return it == keys_.end() ? nullptr : &it->second;
}

const FakeRegistry::Value* FakeRegistry::Find(const std::wstring& subKey, const std::wstring& name) const {
  const Values* values = Key(subKey);
  if (!values) return nullptr;
  const auto it = values->find(name);
  return it == values->end() ? nullptr : &it->second;
}

void FakeRegistry::Put(const std::wstring& subKey, const std::wstring& name, std::uint32_t type,
                       const std::vector<std::uint8_t>& bytes) {
  keys_[subKey][name] = {type, bytes};
}

}  // namespace tessel
