#include "tests/bench/IndexedConsoleRegistry.h"

#include <algorithm>
#include <cstring>

namespace kit::bench {
namespace {

std::string Fold(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

}  // namespace

IndexedConsoleRegistry::Key* IndexedConsoleRegistry::Walk(Key* from, const std::string& path, bool create) {
  std::size_t start = 0;
  while (from != nullptr && start < path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string part = path.substr(start, end - start);
    const std::string folded = Fold(part);
    auto it = from->children.find(folded);
    if (it == from->children.end()) {
      if (!create) return nullptr;
      Key& child = keys_.emplace_back();
      child.name = part;
      from->children.emplace(folded, &child);
      from->orderStale = true;
      from = &child;
    } else {
      from = it->second;
    }
    start = end + 1;
  }
  return from;
}

void IndexedConsoleRegistry::Refresh(Key& key) {
  if (!key.orderStale) return;
  key.order.clear();
  key.childNames.clear();
  for (const auto& [folded, child] : key.children) {
    key.order.push_back(child);
    key.childNames.push_back(child->name);
  }
  key.orderStale = false;
}

void IndexedConsoleRegistry::PutKey(const std::string& path) { Walk(&root_, path, true); }

void IndexedConsoleRegistry::Put(const std::string& path, const std::string& name, std::uint32_t type,
                                 std::string data) {
  Key* key = Walk(&root_, path, true);
  const std::string folded = Fold(name);
  auto it = key->valueIndex.find(folded);
  if (it != key->valueIndex.end()) {
    key->values[it->second] = Value{name, type, std::move(data)};
    return;
  }
  key->valueIndex.emplace(folded, key->values.size());
  key->values.push_back(Value{name, type, std::move(data)});
}

void IndexedConsoleRegistry::PutString(const std::string& path, const std::string& name, const std::string& text) {
  Put(path, name, vantrel::kRegSz, text + '\0');
}

void IndexedConsoleRegistry::PutDword(const std::string& path, const std::string& name, std::uint32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &value, 4);
  Put(path, name, vantrel::kRegDword, bytes);
}

IndexedConsoleRegistry::Key* IndexedConsoleRegistry::Resolve(vantrel::RegKey key) {
  if (key == vantrel::kHkeyLocalMachine) return &root_;
  auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : it->second;
}

std::int32_t IndexedConsoleRegistry::OpenKeyEx(vantrel::RegKey parent, const char* subKey, std::uint32_t,
                                               std::uint32_t, vantrel::RegKey* result) {
  Key* from = Resolve(parent);
  if (from == nullptr) return vantrel::kErrorInvalidHandle;
  Key* key = Walk(from, subKey ? subKey : "", false);
  if (key == nullptr) return vantrel::kErrorFileNotFound;
  *result = next_;
  next_ += 4;
  handles_[*result] = key;
  return vantrel::kErrorSuccess;
}

std::int32_t IndexedConsoleRegistry::CloseKey(vantrel::RegKey key) {
  return handles_.erase(key) ? vantrel::kErrorSuccess : vantrel::kErrorInvalidHandle;
}

std::int32_t IndexedConsoleRegistry::QueryInfoKey(vantrel::RegKey handle, std::uint32_t* subKeys,
                                                  std::uint32_t* maxSubKeyLen, std::uint32_t* values,
                                                  std::uint32_t* maxValueNameLen, std::uint32_t* maxValueLen) {
  Key* key = Resolve(handle);
  if (key == nullptr) return vantrel::kErrorInvalidHandle;
  Refresh(*key);
  // Windows keeps these maxima in the key cell; here they are found once per
  // call, which a benchmark pays once per operation.
  std::uint32_t maxSub = 0, maxName = 0, maxData = 0;
  for (const std::string& n : key->childNames) maxSub = std::max<std::uint32_t>(maxSub, n.size());
  for (const Value& v : key->values) {
    maxName = std::max<std::uint32_t>(maxName, v.name.size());
    maxData = std::max<std::uint32_t>(maxData, v.data.size());
  }
  if (subKeys) *subKeys = static_cast<std::uint32_t>(key->children.size());
  if (maxSubKeyLen) *maxSubKeyLen = maxSub;
  if (values) *values = static_cast<std::uint32_t>(key->values.size());
  if (maxValueNameLen) *maxValueNameLen = maxName;
  if (maxValueLen) *maxValueLen = maxData;
  return vantrel::kErrorSuccess;
}

std::int32_t IndexedConsoleRegistry::EnumKeyEx(vantrel::RegKey handle, std::uint32_t index, char* name,
                                               std::uint32_t* nameLen) {
  Key* key = Resolve(handle);
  if (key == nullptr) return vantrel::kErrorInvalidHandle;
  Refresh(*key);
  if (index >= key->childNames.size()) return vantrel::kErrorNoMoreItems;
  const std::string& n = key->childNames[index];
  if (n.size() + 1 > *nameLen) return vantrel::kErrorMoreData;
  std::memcpy(name, n.c_str(), n.size() + 1);
  *nameLen = static_cast<std::uint32_t>(n.size());
  return vantrel::kErrorSuccess;
}

namespace {

std::int32_t Deliver(const std::string& bytes, unsigned char* data, std::uint32_t* dataLen) {
  if (dataLen == nullptr) return data == nullptr ? vantrel::kErrorSuccess : 998;
  if (data != nullptr && *dataLen < bytes.size()) {
    *dataLen = static_cast<std::uint32_t>(bytes.size());
    return vantrel::kErrorMoreData;
  }
  if (data != nullptr) std::memcpy(data, bytes.data(), bytes.size());
  *dataLen = static_cast<std::uint32_t>(bytes.size());
  return vantrel::kErrorSuccess;
}

}  // namespace

std::int32_t IndexedConsoleRegistry::EnumValue(vantrel::RegKey handle, std::uint32_t index, char* name,
                                               std::uint32_t* nameLen, std::uint32_t* type, unsigned char* data,
                                               std::uint32_t* dataLen) {
  Key* key = Resolve(handle);
  if (key == nullptr) return vantrel::kErrorInvalidHandle;
  if (index >= key->values.size()) return vantrel::kErrorNoMoreItems;
  const Value& v = key->values[index];
  if (v.name.size() + 1 > *nameLen) return vantrel::kErrorMoreData;
  std::memcpy(name, v.name.c_str(), v.name.size() + 1);
  *nameLen = static_cast<std::uint32_t>(v.name.size());
  if (type) *type = v.type;
  return (data || dataLen) ? Deliver(v.data, data, dataLen) : vantrel::kErrorSuccess;
}

std::int32_t IndexedConsoleRegistry::QueryValueEx(vantrel::RegKey handle, const char* name, std::uint32_t* type,
                                                  unsigned char* data, std::uint32_t* dataLen) {
  Key* key = Resolve(handle);
  if (key == nullptr) return vantrel::kErrorInvalidHandle;
  auto it = key->valueIndex.find(Fold(name ? name : ""));
  if (it == key->valueIndex.end()) return vantrel::kErrorFileNotFound;
  const Value& v = key->values[it->second];
  if (type) *type = v.type;
  return Deliver(v.data, data, dataLen);
}

}  // namespace kit::bench
