#include "tests/bench/IndexedConsoleRegistry.h"

#include <algorithm>
#include <cstring>

namespace kit::bench {
namespace {

constexpr vantrel::RegKey kFirstHandle = 0x1000;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool FoldedLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Upper(x) < Upper(y); });
}

std::uint32_t Size(std::size_t n) { return static_cast<std::uint32_t>(n); }

}  // namespace

const IndexedConsoleRegistry::Value* IndexedConsoleRegistry::Key::FindValue(std::string_view valueName) const {
  const auto at = valueIndex.Find(valueName, [this](std::size_t i) { return NameOf(values[i]); });
  return at ? &values[*at] : nullptr;
}

IndexedConsoleRegistry::Key* IndexedConsoleRegistry::Walk(Key* from, std::string_view path, bool create) {
  while (from != nullptr && !path.empty()) {
    const std::size_t end = std::min(path.find('\\'), path.size());
    const std::string_view part = path.substr(0, end);
    path.remove_prefix(std::min(end + 1, path.size()));
    const auto childName = [from](std::size_t i) { return std::string_view(from->children[i]->name); };
    if (const auto at = from->childIndex.Find(part, childName)) {
      from = from->children[*at];
      continue;
    }
    if (!create) return nullptr;
    Key& child = keys_.emplace_back();
    child.name = part;
    from->children.push_back(&child);
    from->childIndex.Add(Size(from->children.size() - 1), childName);
    from->sortedStale = true;
    from->maxChildName = std::max(from->maxChildName, Size(part.size()));
    from = &child;
  }
  return from;
}

void IndexedConsoleRegistry::PutKey(const std::string& path) { Walk(&root_, path, true); }

void IndexedConsoleRegistry::Put(const std::string& path, const std::string& name, std::uint32_t type,
                                 std::string_view data) {
  Key* key = Walk(&root_, path, true);
  key->maxValueName = std::max(key->maxValueName, Size(name.size()));
  key->maxValueData = std::max(key->maxValueData, Size(data.size()));
  // A value written again keeps its place; its old bytes stay unused.
  const Value* old = key->FindValue(name);
  Value value{Size(key->bytes.size()), Size(name.size()), Size(key->bytes.size() + name.size()), Size(data.size()),
              type};
  key->bytes.append(name).append(data);
  if (old != nullptr) {
    key->values[static_cast<std::size_t>(old - key->values.data())] = value;
    return;
  }
  key->values.push_back(value);
  key->valueIndex.Add(Size(key->values.size() - 1),
                      [key](std::size_t i) { return key->NameOf(key->values[i]); });
}

void IndexedConsoleRegistry::PutString(const std::string& path, const std::string& name, const std::string& text) {
  Put(path, name, vantrel::kRegSz, text + '\0');
}

void IndexedConsoleRegistry::PutDword(const std::string& path, const std::string& name, std::uint32_t value) {
  char bytes[4];
  std::memcpy(bytes, &value, 4);
  Put(path, name, vantrel::kRegDword, std::string_view(bytes, 4));
}

void IndexedConsoleRegistry::Sort(Key& key) {
  if (!key.sortedStale) return;
  key.sorted.assign(key.children.begin(), key.children.end());
  std::sort(key.sorted.begin(), key.sorted.end(),
            [](const Key* a, const Key* b) { return FoldedLess(a->name, b->name); });
  key.sortedStale = false;
}

void IndexedConsoleRegistry::Pack() {
  // Every copy is made before any old table is freed, so that the copies
  // come one after the other from fresh memory.
  struct Tables {
    std::string bytes;
    std::vector<Value> values;
    vantrel::RegistryNameIndex valueIndex;
  };
  std::vector<Tables> copies(keys_.size());
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    copies[i].bytes.reserve(keys_[i].bytes.size());
    copies[i].bytes = keys_[i].bytes;
    copies[i].values.reserve(keys_[i].values.size());
    copies[i].values = keys_[i].values;
    copies[i].valueIndex = keys_[i].valueIndex;
  }
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    Sort(keys_[i]);
    keys_[i].bytes.swap(copies[i].bytes);
    keys_[i].values.swap(copies[i].values);
    std::swap(keys_[i].valueIndex, copies[i].valueIndex);
  }
}

IndexedConsoleRegistry::Key* IndexedConsoleRegistry::Resolve(vantrel::RegKey key) const {
  if (key == vantrel::kHkeyLocalMachine) return const_cast<Key*>(&root_);
  const std::size_t slot = (key - kFirstHandle) / 4;
  if (key < kFirstHandle || (key - kFirstHandle) % 4 != 0 || slot >= handles_.size()) return nullptr;
  return handles_[slot];
}

std::int32_t IndexedConsoleRegistry::OpenKeyEx(vantrel::RegKey parent, const char* subKey, std::uint32_t,
                                               std::uint32_t, vantrel::RegKey* result) {
  Key* from = Resolve(parent);
  if (from == nullptr) return vantrel::kErrorInvalidHandle;
  Key* key = Walk(from, subKey ? subKey : "", false);
  if (key == nullptr) return vantrel::kErrorFileNotFound;
  std::size_t slot = handles_.size();
  if (freeSlots_.empty()) {
    handles_.push_back(key);
  } else {
    slot = freeSlots_.back();
    freeSlots_.pop_back();
    handles_[slot] = key;
  }
  *result = kFirstHandle + 4 * slot;
  return vantrel::kErrorSuccess;
}

std::int32_t IndexedConsoleRegistry::CloseKey(vantrel::RegKey key) {
  if (key == vantrel::kHkeyLocalMachine || Resolve(key) == nullptr) return vantrel::kErrorInvalidHandle;
  const std::size_t slot = (key - kFirstHandle) / 4;
  handles_[slot] = nullptr;
  freeSlots_.push_back(slot);
  return vantrel::kErrorSuccess;
}

std::int32_t IndexedConsoleRegistry::QueryInfoKey(vantrel::RegKey handle, std::uint32_t* subKeys,
                                                  std::uint32_t* maxSubKeyLen, std::uint32_t* values,
                                                  std::uint32_t* maxValueNameLen, std::uint32_t* maxValueLen) {
  const Key* key = Resolve(handle);
  if (key == nullptr) return vantrel::kErrorInvalidHandle;
  if (subKeys) *subKeys = Size(key->children.size());
  if (maxSubKeyLen) *maxSubKeyLen = key->maxChildName;
  if (values) *values = Size(key->values.size());
  if (maxValueNameLen) *maxValueNameLen = key->maxValueName;
  if (maxValueLen) *maxValueLen = key->maxValueData;
  return vantrel::kErrorSuccess;
}

std::int32_t IndexedConsoleRegistry::EnumKeyEx(vantrel::RegKey handle, std::uint32_t index, char* name,
                                               std::uint32_t* nameLen) {
  Key* key = Resolve(handle);
  if (key == nullptr) return vantrel::kErrorInvalidHandle;
  Sort(*key);
  if (index >= key->sorted.size()) return vantrel::kErrorNoMoreItems;
  const std::string& n = key->sorted[index]->name;
  if (n.size() + 1 > *nameLen) return vantrel::kErrorMoreData;
  std::memcpy(name, n.c_str(), n.size() + 1);
  *nameLen = Size(n.size());
  return vantrel::kErrorSuccess;
}

namespace {

std::int32_t Deliver(std::string_view bytes, unsigned char* data, std::uint32_t* dataLen) {
  if (dataLen == nullptr) return data == nullptr ? vantrel::kErrorSuccess : 998;
  if (data != nullptr && *dataLen < bytes.size()) {
    *dataLen = Size(bytes.size());
    return vantrel::kErrorMoreData;
  }
  if (data != nullptr) std::memcpy(data, bytes.data(), bytes.size());
  *dataLen = Size(bytes.size());
  return vantrel::kErrorSuccess;
}

}  // namespace

std::int32_t IndexedConsoleRegistry::EnumValue(vantrel::RegKey handle, std::uint32_t index, char* name,
                                               std::uint32_t* nameLen, std::uint32_t* type, unsigned char* data,
                                               std::uint32_t* dataLen) {
  const Key* key = Resolve(handle);
  if (key == nullptr) return vantrel::kErrorInvalidHandle;
  if (index >= key->values.size()) return vantrel::kErrorNoMoreItems;
  const Value& v = key->values[index];
  if (v.nameSize + 1 > *nameLen) return vantrel::kErrorMoreData;
  std::memcpy(name, key->bytes.data() + v.nameAt, v.nameSize);
  name[v.nameSize] = '\0';
  *nameLen = v.nameSize;
  if (type) *type = v.type;
  return (data || dataLen) ? Deliver(key->DataOf(v), data, dataLen) : vantrel::kErrorSuccess;
}

std::int32_t IndexedConsoleRegistry::QueryValueEx(vantrel::RegKey handle, const char* name, std::uint32_t* type,
                                                  unsigned char* data, std::uint32_t* dataLen) {
  const Key* key = Resolve(handle);
  if (key == nullptr) return vantrel::kErrorInvalidHandle;
  const Value* v = key->FindValue(name ? name : "");
  if (v == nullptr) return vantrel::kErrorFileNotFound;
  if (type) *type = v->type;
  return Deliver(key->DataOf(*v), data, dataLen);
}

}  // namespace kit::bench
