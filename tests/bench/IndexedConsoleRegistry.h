// A read-mostly in-memory registry for the console's narrow calls in which
// every call costs the same whatever the registry holds, as Windows' hashed
// cells do: names are found through hash tables that fold case (no sorted
// tree, no copy of the name), each key keeps the maxima RegQueryInfoKey
// reports, and handles are slots of a table. Subkeys enumerate sorted,
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

namespace kit::bench {

// Positions of names kept elsewhere, found by their case-folded hash with
// open addressing: one small array per key, next to the names it indexes.
class NameIndex {
 public:
  // nameAt(position) gives the stored name at a position.
  template <typename NameAt>
  std::optional<std::uint32_t> Find(std::string_view name, NameAt nameAt) const;
  template <typename NameAt>
  void Add(std::uint32_t position, NameAt nameAt);
  NameIndex Packed() const;

 private:
  std::vector<std::uint32_t> slots_;  // position + 1; 0 is free
  std::uint32_t count_ = 0;
};

class IndexedConsoleRegistry : public vantrel::RegistryApi {
 public:
  // Paths relative to HKEY_LOCAL_MACHINE.
  void PutKey(const std::string& path);
  void PutString(const std::string& path, const std::string& name, const std::string& text);
  void PutDword(const std::string& path, const std::string& name, std::uint32_t value);
  // Lays each key's tables out anew, key after key, as a hive keeps a key's
  // cells together: a walk over the keys then reads memory in order.
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
    NameIndex childIndex;
    std::vector<const Key*> sorted;  // enumeration order, rebuilt after a child is added
    bool sortedStale = false;
    std::string bytes;
    std::vector<Value> values;
    NameIndex valueIndex;
    std::uint32_t maxChildName = 0;
    std::uint32_t maxValueName = 0;
    std::uint32_t maxValueData = 0;

    std::string_view NameOf(const Value& v) const { return {bytes.data() + v.nameAt, v.nameSize}; }
    std::string_view DataOf(const Value& v) const { return {bytes.data() + v.dataAt, v.dataSize}; }
    const Value* FindValue(std::string_view valueName) const;
  };
  Key* Walk(Key* from, std::string_view path, bool create);
  Key* Resolve(vantrel::RegKey key) const;
  void Put(const std::string& path, const std::string& name, std::uint32_t type, std::string_view data);

  std::deque<Key> keys_;
  Key root_;
  std::vector<Key*> handles_;  // by slot; null when closed
  std::vector<std::size_t> freeSlots_;
};

}  // namespace kit::bench
