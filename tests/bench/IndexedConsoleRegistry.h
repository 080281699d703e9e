// A read-mostly in-memory registry for the console's narrow calls, indexed
// so that each look-up costs the same whatever the key holds (as Windows'
// hashed cells do): names fold without case, subkeys enumerate sorted,
// values in creation order, short buffers answer 234. The call-recording
// fake of tests/fakes searches values one by one, which would make a
// benchmark of ten thousand values measure the fake instead of the logic.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "console/store/RegistryApi.h"

namespace kit::bench {

class IndexedConsoleRegistry : public vantrel::RegistryApi {
 public:
  // Paths relative to HKEY_LOCAL_MACHINE.
  void PutKey(const std::string& path);
  void PutString(const std::string& path, const std::string& name, const std::string& text);
  void PutDword(const std::string& path, const std::string& name, std::uint32_t value);

  std::int32_t CreateKeyEx(vantrel::RegKey, const char*, std::uint32_t, std::uint32_t, vantrel::RegKey*,
                           std::uint32_t*) override {
    return vantrel::kErrorAccessDenied;
  }
  std::int32_t OpenKeyEx(vantrel::RegKey parent, const char* subKey, std::uint32_t options, std::uint32_t access,
                         vantrel::RegKey* result) override;
  std::int32_t CloseKey(vantrel::RegKey key) override;
  std::int32_t QueryInfoKey(vantrel::RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                            std::uint32_t* values, std::uint32_t* maxValueNameLen,
                            std::uint32_t* maxValueLen) override;
  std::int32_t EnumKeyEx(vantrel::RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLen) override;
  std::int32_t EnumValue(vantrel::RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                         std::uint32_t* type, unsigned char* data, std::uint32_t* dataLen) override;
  std::int32_t QueryValueEx(vantrel::RegKey key, const char* name, std::uint32_t* type, unsigned char* data,
                            std::uint32_t* dataLen) override;
  std::int32_t SetValueEx(vantrel::RegKey, const char*, std::uint32_t, const unsigned char*, std::uint32_t) override {
    return vantrel::kErrorAccessDenied;
  }
  std::int32_t QueryValueExW(vantrel::RegKey, const char16_t*, std::uint32_t*, unsigned char*,
                             std::uint32_t*) override {
    return vantrel::kErrorFileNotFound;
  }
  std::int32_t SetValueExW(vantrel::RegKey, const char16_t*, std::uint32_t, const unsigned char*,
                           std::uint32_t) override {
    return vantrel::kErrorAccessDenied;
  }
  std::int32_t DeleteValue(vantrel::RegKey, const char*) override { return vantrel::kErrorAccessDenied; }
  std::int32_t DeleteKey(vantrel::RegKey, const char*) override { return vantrel::kErrorAccessDenied; }

 private:
  struct Value {
    std::string name;
    std::uint32_t type;
    std::string data;
  };
  struct Key {
    std::map<std::string, Key*> children;  // by folded name: sorted enumeration
    std::vector<Key*> order;               // rebuilt from children when stale
    std::vector<std::string> childNames;
    bool orderStale = false;
    std::string name;
    std::vector<Value> values;
    std::unordered_map<std::string, std::size_t> valueIndex;
  };
  Key* Walk(Key* from, const std::string& path, bool create);
  Key* Resolve(vantrel::RegKey key);
  void Refresh(Key& key);
  void Put(const std::string& path, const std::string& name, std::uint32_t type, std::string data);

  std::deque<Key> keys_;
  Key root_;
  std::unordered_map<vantrel::RegKey, Key*> handles_;
  vantrel::RegKey next_ = 0x1000;
};

}  // namespace kit::bench
