// Registry access object of the device store: one open key at a time under
// HKEY_LOCAL_MACHINE, text and integer values, recursive key deletion.
// Failures that the store reports to the user are thrown as RegistryError,
// with the Windows error of the refused call.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/store/RegistryApi.h"

namespace vantrel {

// A value as the registry keeps it: its type and bytes, text in UTF-16.
struct RawValue {
  std::uint32_t type = 0;
  std::vector<unsigned char> data;
  bool operator==(const RawValue&) const = default;
};

class RegistryAccess {
 public:
  explicit RegistryAccess(RegistryApi& api) : api_(api) {}
  ~RegistryAccess() { CloseKey(); }
  RegistryAccess(const RegistryAccess&) = delete;
  RegistryAccess& operator=(const RegistryAccess&) = delete;

  // Opens path (relative to HKEY_LOCAL_MACHINE) with full access, creating
  // it when canCreate. The previously open key is closed first.
  bool OpenKey(const std::string& path, bool canCreate);
  // The Windows error of the last OpenKey that failed.
  std::int32_t OpenError() const { return openError_; }
  void CloseKey();
  bool HasOpenKey() const { return current_ != 0; }

  // The paths below are relative to the open key, or to HKEY_LOCAL_MACHINE
  // when none is open.
  bool KeyExists(const std::string& path);
  // Throws "Failed to create key %s".
  void CreateKey(const std::string& path);
  // Deletes the key with all its subkeys, deepest and last first.
  bool DeleteKey(const std::string& path);

  // Names of the open key's subkeys and values, in enumeration order.
  std::vector<std::string> GetKeyNames();
  std::vector<std::string> GetValueNames();
  // GetKeyNames one name at a time, each handed on as it is read.
  void ForEachKeyName(const std::function<void(std::string_view)>& onName);

  // Missing or empty value: empty text. Not REG_SZ / REG_EXPAND_SZ: throws
  // "Invalid data type for '%s'".
  std::string ReadString(const std::string& name);
  // Missing or longer than 4 bytes: throws "Failed to get data for '%s'";
  // not REG_DWORD: throws "Invalid data type for '%s'".
  std::int32_t ReadInteger(const std::string& name);
  // The same read, with none for a missing value instead of the error: for
  // callers that take a missing value as 0, without the cost of an
  // exception per value.
  std::optional<std::int32_t> ReadIntegerIfAny(const std::string& name);
  // REG_SZ with its terminating zero; throws "Failed to set data for '%s'".
  void WriteString(const std::string& name, const std::string& value);
  // REG_DWORD; throws "Failed to set data for '%s'".
  void WriteInteger(const std::string& name, std::int32_t value);
  bool DeleteValue(const std::string& name);

  // The value through the wide calls, for putting it back exactly: none when
  // it does not exist; another failure throws "Failed to get data for '%s'"
  // (shownName is the name the message gives).
  std::optional<RawValue> ReadRaw(const std::u16string& name, const std::string& shownName);
  // Throws "Failed to set data for '%s'".
  void WriteRaw(const std::u16string& name, const std::string& shownName, const RawValue& value);

 private:
  RegKey BaseKey() const { return current_ != 0 ? current_ : kHkeyLocalMachine; }
  bool DeleteKeyUnder(RegKey base, const std::string& path);
  // room: reserved for the names when given.
  void EnumNames(bool values, std::vector<std::string>* room, const std::function<void(std::string_view)>& onName);
  void PutData(const std::string& name, std::uint32_t type, const unsigned char* data,
               std::uint32_t size);

  RegistryApi& api_;
  RegKey current_ = 0;
  std::int32_t openError_ = kErrorSuccess;
};

}  // namespace vantrel
