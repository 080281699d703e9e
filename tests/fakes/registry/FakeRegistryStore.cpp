#include "tests/fakes/registry/FakeRegistryStore.h"

#include <algorithm>
#include <stdexcept>

namespace kit::fakes {

namespace {

// Bits that select a registry view on 64-bit Windows; they grant nothing.
constexpr std::uint32_t kWow64Bits = 0x0300;

char16_t FoldChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  return c;
}

// Splits "a\b\c" into its names. A trailing backslash is tolerated, a
// leading one or an empty name inside the path is not.
bool SplitPath(std::u16string_view path, std::vector<std::u16string>* parts) {
  parts->clear();
  if (path.empty()) return true;
  if (path.front() == u'\\') return false;
  std::size_t start = 0;
  while (start < path.size()) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    if (end == start) return false;
    parts->emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

}  // namespace

std::u16string FoldRegistryName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = FoldChar(c);
  return folded;
}

std::u16string WidenBytes(std::string_view narrow) {
  std::u16string wide;
  wide.reserve(narrow.size());
  for (char c : narrow) wide.push_back(static_cast<unsigned char>(c));
  return wide;
}

std::string NarrowBytes(std::u16string_view wide) {
  std::string narrow;
  narrow.reserve(wide.size());
  for (char16_t c : wide) narrow.push_back(c < 0x100 ? static_cast<char>(c) : '?');
  return narrow;
}

struct FakeRegistryStore::Key {
  std::u16string name;
  std::u16string folded;
  std::weak_ptr<Key> parent;
  std::vector<std::shared_ptr<Key>> children;  // sorted by folded name
  std::vector<FakeRegValue> values;            // creation order
  std::uint32_t denied = 0;
  bool deleted = false;

  std::vector<std::shared_ptr<Key>>::iterator LowerBound(const std::u16string& f) {
    return std::lower_bound(children.begin(), children.end(), f,
                            [](const std::shared_ptr<Key>& k, const std::u16string& v) {
                              return k->folded < v;
                            });
  }
  std::shared_ptr<Key> Child(std::u16string_view childName) {
    const std::u16string f = FoldRegistryName(childName);
    auto it = LowerBound(f);
    return it != children.end() && (*it)->folded == f ? *it : nullptr;
  }
  std::shared_ptr<Key> AddChild(const std::shared_ptr<Key>& self, std::u16string_view childName) {
    auto key = std::make_shared<Key>();
    key->name = std::u16string(childName);
    key->folded = FoldRegistryName(childName);
    key->parent = self;
    children.insert(LowerBound(key->folded), key);
    return key;
  }
  FakeRegValue* FindValue(std::u16string_view valueName) {
    const std::u16string f = FoldRegistryName(valueName);
    for (FakeRegValue& v : values) {
      if (FoldRegistryName(v.name) == f) return &v;
    }
    return nullptr;
  }
};

FakeRegistryStore::FakeRegistryStore() {
  const std::pair<Handle, const char16_t*> roots[] = {{kHkeyClassesRoot, u"HKCR"},
                                                       {kHkeyCurrentUser, u"HKCU"},
                                                       {kHkeyLocalMachine, u"HKLM"},
                                                       {kHkeyUsers, u"HKU"}};
  for (const auto& [handle, name] : roots) {
    auto key = std::make_shared<Key>();
    key->name = name;
    key->folded = FoldRegistryName(name);
    roots_[handle] = key;
  }
}

FakeRegistryStore::~FakeRegistryStore() = default;

std::shared_ptr<FakeRegistryStore::Key> FakeRegistryStore::Resolve(Handle key,
                                                                   std::uint32_t needed,
                                                                   std::int32_t* error) const {
  if (auto root = roots_.find(key); root != roots_.end()) {
    *error = kSuccess;
    return root->second;
  }
  auto it = handles_.find(key);
  if (it == handles_.end()) {
    *error = kInvalidHandle;
    return nullptr;
  }
  if (it->second.key->deleted) {
    *error = kKeyDeleted;
    return nullptr;
  }
  if ((it->second.access & needed) != needed) {
    *error = kAccessDenied;
    return nullptr;
  }
  *error = kSuccess;
  return it->second.key;
}

FakeRegistryStore::Handle FakeRegistryStore::NewHandle(std::shared_ptr<Key> key,
                                                       std::uint32_t access) {
  const Handle handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = OpenHandle{std::move(key), access};
  return handle;
}

std::int32_t FakeRegistryStore::OpenKey(Handle parent, std::u16string_view subKey,
                                        std::uint32_t access, Handle* result) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(parent, 0, &error);
  if (!key) return error;
  std::vector<std::u16string> parts;
  if (!SplitPath(subKey, &parts)) return kBadPathname;
  for (const std::u16string& part : parts) {
    key = key->Child(part);
    if (!key) return kNotFound;
  }
  access &= ~kWow64Bits;
  if (key->denied & access) return kAccessDenied;
  *result = NewHandle(key, access);
  return kSuccess;
}

std::int32_t FakeRegistryStore::CreateKey(Handle parent, std::u16string_view subKey,
                                          std::uint32_t access, Handle* result,
                                          std::uint32_t* disposition) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(parent, 0, &error);
  if (!key) return error;
  const bool parentIsRoot = roots_.count(parent) != 0;
  const std::uint32_t parentAccess = parentIsRoot ? 0xFFFFFFFFu : handles_.at(parent).access;
  std::vector<std::u16string> parts;
  if (!SplitPath(subKey, &parts)) return kBadPathname;
  bool created = false;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::shared_ptr<Key> child = key->Child(parts[i]);
    if (!child) {
      // Creating needs the right on the handle given and on the key itself.
      if ((i == 0 && !(parentAccess & kCreateSubKey)) || (key->denied & kCreateSubKey)) {
        return kAccessDenied;
      }
      child = key->AddChild(key, parts[i]);
      created = true;
    }
    key = child;
  }
  access &= ~kWow64Bits;
  if (key->denied & access) return kAccessDenied;
  *result = NewHandle(key, access);
  if (disposition) *disposition = created ? 1u : 2u;
  return kSuccess;
}

std::int32_t FakeRegistryStore::CloseKey(Handle key) {
  if (roots_.count(key)) return kSuccess;
  return handles_.erase(key) ? kSuccess : kInvalidHandle;
}

std::int32_t FakeRegistryStore::QueryInfoKey(Handle handle, FakeKeyInfo* info) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(handle, kQueryValue, &error);
  if (!key) return error;
  FakeKeyInfo out;
  out.subKeys = static_cast<std::uint32_t>(key->children.size());
  for (const auto& child : key->children) {
    out.maxSubKeyLen = std::max<std::uint32_t>(out.maxSubKeyLen,
                                               static_cast<std::uint32_t>(child->name.size()));
  }
  out.values = static_cast<std::uint32_t>(key->values.size());
  for (const FakeRegValue& v : key->values) {
    out.maxValueNameLen =
        std::max<std::uint32_t>(out.maxValueNameLen, static_cast<std::uint32_t>(v.name.size()));
    out.maxValueLen =
        std::max<std::uint32_t>(out.maxValueLen, static_cast<std::uint32_t>(v.data.size()));
  }
  *info = out;
  return kSuccess;
}

std::int32_t FakeRegistryStore::EnumKey(Handle handle, std::uint32_t index, std::u16string* name) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(handle, kEnumerateSubKeys, &error);
  if (!key) return error;
  if (index >= key->children.size()) return kNoMoreItems;
  *name = key->children[index]->name;
  return kSuccess;
}

std::int32_t FakeRegistryStore::EnumValue(Handle handle, std::uint32_t index,
                                          FakeRegValue* value) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(handle, kQueryValue, &error);
  if (!key) return error;
  if (index >= key->values.size()) return kNoMoreItems;
  *value = key->values[index];
  return kSuccess;
}

std::int32_t FakeRegistryStore::QueryValue(Handle handle, std::u16string_view name,
                                           FakeRegValue* value) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(handle, kQueryValue, &error);
  if (!key) return error;
  const FakeRegValue* found = key->FindValue(name);
  if (!found) return kNotFound;
  *value = *found;
  return kSuccess;
}

std::int32_t FakeRegistryStore::SetValue(Handle handle, std::u16string_view name,
                                         std::uint32_t type, std::vector<std::uint8_t> data) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(handle, kSetValue, &error);
  if (!key) return error;
  if (FakeRegValue* existing = key->FindValue(name)) {
    // An overwritten value keeps its place in the enumeration.
    existing->type = type;
    existing->data = std::move(data);
  } else {
    key->values.push_back(FakeRegValue{std::u16string(name), type, std::move(data)});
  }
  return kSuccess;
}

std::int32_t FakeRegistryStore::DeleteValue(Handle handle, std::u16string_view name) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(handle, kSetValue, &error);
  if (!key) return error;
  const std::u16string f = FoldRegistryName(name);
  auto it = std::find_if(key->values.begin(), key->values.end(),
                         [&](const FakeRegValue& v) { return FoldRegistryName(v.name) == f; });
  if (it == key->values.end()) return kNotFound;
  key->values.erase(it);
  return kSuccess;
}

std::int32_t FakeRegistryStore::DeleteKey(Handle parent, std::u16string_view subKey) {
  std::int32_t error = kSuccess;
  std::shared_ptr<Key> key = Resolve(parent, 0, &error);
  if (!key) return error;
  std::vector<std::u16string> parts;
  if (!SplitPath(subKey, &parts)) return kBadPathname;
  for (const std::u16string& part : parts) {
    key = key->Child(part);
    if (!key) return kNotFound;
  }
  std::shared_ptr<Key> owner = key->parent.lock();
  if (!owner) return kAccessDenied;  // a predefined root
  if (!key->children.empty() || (key->denied & kDelete)) return kAccessDenied;
  key->deleted = true;
  owner->children.erase(std::find(owner->children.begin(), owner->children.end(), key));
  return kSuccess;
}

std::u16string FakeRegistryStore::PathOf(Handle handle) const {
  std::shared_ptr<Key> key;
  if (auto root = roots_.find(handle); root != roots_.end()) {
    key = root->second;
  } else if (auto it = handles_.find(handle); it != handles_.end()) {
    key = it->second.key;
  } else {
    return {};
  }
  std::u16string path = key->name;
  for (auto up = key->parent.lock(); up; up = up->parent.lock()) path = up->name + u"\\" + path;
  return path;
}

std::shared_ptr<FakeRegistryStore::Key> FakeRegistryStore::FindPath(
    std::u16string_view path) const {
  std::vector<std::u16string> parts;
  if (!SplitPath(path, &parts) || parts.empty()) return nullptr;
  std::shared_ptr<Key> key;
  for (const auto& [handle, root] : roots_) {
    if (root->folded == FoldRegistryName(parts[0])) key = root;
  }
  for (std::size_t i = 1; key && i < parts.size(); ++i) key = key->Child(parts[i]);
  return key;
}

std::shared_ptr<FakeRegistryStore::Key> FakeRegistryStore::MakePath(std::u16string_view path) {
  std::vector<std::u16string> parts;
  if (!SplitPath(path, &parts) || parts.empty()) throw std::invalid_argument("bad registry path");
  std::shared_ptr<Key> key;
  for (const auto& [handle, root] : roots_) {
    if (root->folded == FoldRegistryName(parts[0])) key = root;
  }
  if (!key) throw std::invalid_argument("registry path must start with HKLM, HKCU, HKCR or HKU");
  for (std::size_t i = 1; i < parts.size(); ++i) {
    std::shared_ptr<Key> child = key->Child(parts[i]);
    key = child ? child : key->AddChild(key, parts[i]);
  }
  return key;
}

void FakeRegistryStore::PutKey(std::u16string_view path) { MakePath(path); }

void FakeRegistryStore::PutValue(std::u16string_view path, std::u16string_view name,
                                 std::uint32_t type, std::vector<std::uint8_t> data) {
  std::shared_ptr<Key> key = MakePath(path);
  if (FakeRegValue* existing = key->FindValue(name)) {
    existing->type = type;
    existing->data = std::move(data);
  } else {
    key->values.push_back(FakeRegValue{std::u16string(name), type, std::move(data)});
  }
}

void FakeRegistryStore::PutString(std::u16string_view path, std::u16string_view name,
                                  std::u16string_view text) {
  std::vector<std::uint8_t> data;
  for (char16_t c : text) {
    data.push_back(static_cast<std::uint8_t>(c & 0xFF));
    data.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  data.push_back(0);
  data.push_back(0);
  PutValue(path, name, 1 /* REG_SZ */, std::move(data));
}

void FakeRegistryStore::PutDword(std::u16string_view path, std::u16string_view name,
                                 std::uint32_t value) {
  PutValue(path, name, 4 /* REG_DWORD */,
           {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

bool FakeRegistryStore::HasKey(std::u16string_view path) const { return FindPath(path) != nullptr; }

std::optional<FakeRegValue> FakeRegistryStore::Value(std::u16string_view path,
                                                     std::u16string_view name) const {
  std::shared_ptr<Key> key = FindPath(path);
  if (!key) return std::nullopt;
  const FakeRegValue* v = key->FindValue(name);
  if (!v) return std::nullopt;
  return *v;
}

std::vector<std::u16string> FakeRegistryStore::SubkeyNames(std::u16string_view path) const {
  std::vector<std::u16string> names;
  if (std::shared_ptr<Key> key = FindPath(path)) {
    for (const auto& child : key->children) names.push_back(child->name);
  }
  return names;
}

std::vector<std::u16string> FakeRegistryStore::ValueNames(std::u16string_view path) const {
  std::vector<std::u16string> names;
  if (std::shared_ptr<Key> key = FindPath(path)) {
    for (const FakeRegValue& v : key->values) names.push_back(v.name);
  }
  return names;
}

void FakeRegistryStore::DenyAccess(std::u16string_view path, std::uint32_t deniedRights) {
  std::shared_ptr<Key> key = FindPath(path);
  if (!key) throw std::invalid_argument("DenyAccess: no such key");
  key->denied = deniedRights;
}

}  // namespace kit::fakes
