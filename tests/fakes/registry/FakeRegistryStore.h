// In-memory registry that behaves like Windows' for the calls the kit makes:
// key and value names compare without case (ASCII and Latin-1 folding),
// subkeys enumerate in sorted order, values in creation order, values are a
// type and raw bytes, handles carry the access they were opened with, keys
// can refuse access (error 5) like a restrictive security descriptor.
// Names are wide; API fakes (narrow for the console, wide for the wizard) sit
// on top and add the size and buffer rules of their functions.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kit::fakes {

struct FakeRegValue {
  std::u16string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct FakeKeyInfo {
  std::uint32_t subKeys = 0;
  std::uint32_t maxSubKeyLen = 0;     // characters, terminator excluded
  std::uint32_t values = 0;
  std::uint32_t maxValueNameLen = 0;  // characters, terminator excluded
  std::uint32_t maxValueLen = 0;      // bytes
};

// Folds a name for comparison the way the registry does (upper case).
std::u16string FoldRegistryName(std::u16string_view name);

class FakeRegistryStore {
 public:
  using Handle = std::uint64_t;
  static constexpr Handle kHkeyClassesRoot = 0x80000000u;
  static constexpr Handle kHkeyCurrentUser = 0x80000001u;
  static constexpr Handle kHkeyLocalMachine = 0x80000002u;
  static constexpr Handle kHkeyUsers = 0x80000003u;

  // Windows error codes the store answers with.
  static constexpr std::int32_t kSuccess = 0;
  static constexpr std::int32_t kNotFound = 2;
  static constexpr std::int32_t kAccessDenied = 5;
  static constexpr std::int32_t kInvalidHandle = 6;
  static constexpr std::int32_t kInvalidParameter = 87;
  static constexpr std::int32_t kBadPathname = 161;
  static constexpr std::int32_t kNoMoreItems = 259;
  static constexpr std::int32_t kKeyDeleted = 1018;

  // Access rights checked on handles.
  static constexpr std::uint32_t kQueryValue = 0x0001;
  static constexpr std::uint32_t kSetValue = 0x0002;
  static constexpr std::uint32_t kCreateSubKey = 0x0004;
  static constexpr std::uint32_t kEnumerateSubKeys = 0x0008;
  static constexpr std::uint32_t kDelete = 0x10000;

  FakeRegistryStore();
  ~FakeRegistryStore();
  FakeRegistryStore(const FakeRegistryStore&) = delete;
  FakeRegistryStore& operator=(const FakeRegistryStore&) = delete;

  // --- handle operations (Win32 meaning, Windows error codes) --------------
  std::int32_t OpenKey(Handle parent, std::u16string_view subKey, std::uint32_t access,
                       Handle* result);
  // disposition: 1 created, 2 opened existing (may be null).
  std::int32_t CreateKey(Handle parent, std::u16string_view subKey, std::uint32_t access,
                         Handle* result, std::uint32_t* disposition);
  std::int32_t CloseKey(Handle key);
  std::int32_t QueryInfoKey(Handle key, FakeKeyInfo* info);
  std::int32_t EnumKey(Handle key, std::uint32_t index, std::u16string* name);
  std::int32_t EnumValue(Handle key, std::uint32_t index, FakeRegValue* value);
  std::int32_t QueryValue(Handle key, std::u16string_view name, FakeRegValue* value);
  std::int32_t SetValue(Handle key, std::u16string_view name, std::uint32_t type,
                        std::vector<std::uint8_t> data);
  std::int32_t DeleteValue(Handle key, std::u16string_view name);
  // Refuses (5) a key that still has subkeys, as Windows does.
  std::int32_t DeleteKey(Handle parent, std::u16string_view subKey);

  // "HKLM\SOFTWARE\..." spelled as the keys were created; empty for an
  // unknown handle.
  std::u16string PathOf(Handle key) const;
  std::size_t OpenHandleCount() const { return handles_.size(); }

  // --- test set-up and inspection; paths start with HKLM, HKCU, HKCR or HKU
  void PutKey(std::u16string_view path);
  void PutValue(std::u16string_view path, std::u16string_view name, std::uint32_t type,
                std::vector<std::uint8_t> data);
  // REG_SZ in UTF-16 with its terminator, as a wide writer stores it.
  void PutString(std::u16string_view path, std::u16string_view name, std::u16string_view text);
  void PutDword(std::u16string_view path, std::u16string_view name, std::uint32_t value);
  bool HasKey(std::u16string_view path) const;
  std::optional<FakeRegValue> Value(std::u16string_view path, std::u16string_view name) const;
  std::vector<std::u16string> SubkeyNames(std::u16string_view path) const;
  std::vector<std::u16string> ValueNames(std::u16string_view path) const;
  // Opening or creating the key with any of these rights fails with 5 from
  // now on (the key must exist); 0 lifts the refusal.
  void DenyAccess(std::u16string_view path, std::uint32_t deniedRights = 0xFFFFFFFFu);

 private:
  struct Key;
  struct OpenHandle {
    std::shared_ptr<Key> key;
    std::uint32_t access = 0;
  };

  std::shared_ptr<Key> Resolve(Handle key, std::uint32_t needed, std::int32_t* error) const;
  std::shared_ptr<Key> FindPath(std::u16string_view path) const;
  std::shared_ptr<Key> MakePath(std::u16string_view path);
  Handle NewHandle(std::shared_ptr<Key> key, std::uint32_t access);

  std::map<Handle, std::shared_ptr<Key>> roots_;
  std::map<Handle, OpenHandle> handles_;
  Handle nextHandle_ = 0x1000;
};

// Byte-wise mapping between a single-byte code page and UTF-16, as the
// console's narrow calls see the wide store.
std::u16string WidenBytes(std::string_view narrow);
std::string NarrowBytes(std::u16string_view wide);

}  // namespace kit::fakes
