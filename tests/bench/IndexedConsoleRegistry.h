// A read-mostly in-memory registry for the console's narrow calls in which
// every call costs the same whatever the registry holds, as Windows' hashed
// cells do: names are found through hash tables that fold case (the
// console's RegistryNameIndex: no sorted tree, no copy of the name), each
// key keeps the maxima RegQueryInfoKey reports, and handles are slots of a
// table. Subkeys enumerate sorted,
// values in creation order, short buffers answer 234. The call-recording
// fake of tests/fakes searches values one by one, which would make a
// benchmark of ten thousand values measure the fake instead of the logic.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/store/RegistryApi.h"
#include "console/store/RegistryNameIndex.h"

namespace kit::bench {

class IndexedConsoleRegistry : public vantrel::RegistryApi {
 public:
  // Paths relative to HKEY_LOCAL_MACHINE.
  void PutKey(const std::string& path);
  void PutString(const std::string& path, const std::string& name, const std::string& text);
  void PutDword(const std::string& path, const std::string& name, std::uint32_t value);
  // Lays each key's tables out anew, key after key, as a hive keeps a key's
  // cells together, so that a walk over the keys reads memory in order; and
  // sorts the subkeys, so that no measured call does.
  void Pack();

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
  // A value's name and data lie in its key's bytes.
  struct Value {
    std::uint32_t nameAt, nameSize, dataAt, dataSize, type;
  };
  struct Key {
    std::string name;
    std::vector<Key*> children;      // in creation order
    vantrel::RegistryNameIndex childIndex;
    std::vector<const Key*> sorted;  // enumeration order
    bool sortedStale = false;
    std::string bytes;
    std::vector<Value> values;
    vantrel::RegistryNameIndex valueIndex;
    std::uint32_t maxChildName = 0;
    std::uint32_t maxValueName = 0;
    std::uint32_t maxValueData = 0;

    std::string_view NameOf(const Value& v) const { return {bytes.data() + v.nameAt, v.nameSize}; }
    std::string_view DataOf(const Value& v) const { return {bytes.data() + v.dataAt, v.dataSize}; }
    const Value* FindValue(std::string_view valueName) const;
  };
  Key* Walk(Key* from, std::string_view path, bool create);
  Key* Resolve(vantrel::RegKey key) const;
  // Subkeys enumerate sorted, as Windows keeps its index: sorted once after
  // children were added.
  static void Sort(Key& key);
  void Put(const std::string& path, const std::string& name, std::uint32_t type, std::string_view data);

  std::deque<Key> keys_;
  Key root_;
  std::vector<Key*> handles_;  // by slot; null when closed
  std::vector<std::size_t> freeSlots_;
};

}  // namespace kit::bench
