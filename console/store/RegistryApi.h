// The 8-bit registry calls the console makes, one virtual per Win32 function.
// Arguments and results keep the Win32 meaning (sizes in and out, LONG-style
// error codes, 0 for success) so that the Win32 implementation is a plain
// pass-through and a fake can answer exactly like Windows.
#pragma once

#include <cstdint>

namespace vantrel {

// Opaque key handle (HKEY on Windows).
using RegKey = std::uintptr_t;

inline constexpr RegKey kHkeyLocalMachine = 0x80000002u;

// Access masks.
inline constexpr std::uint32_t kKeyAllAccess = 0xF003Fu;
// STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS: the
// existence test, the only open that does not ask for full access.
inline constexpr std::uint32_t kKeyExistenceTest = 0x20009u;

inline constexpr std::uint32_t kRegOptionNonVolatile = 0;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Error codes the console looks at.
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::int32_t kErrorNoMoreItems = 259;

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // RegCreateKeyExA(parent, subKey, 0, NULL, options, access, NULL, result, disposition)
  virtual std::int32_t CreateKeyEx(RegKey parent, const char* subKey, std::uint32_t options,
                                   std::uint32_t access, RegKey* result,
                                   std::uint32_t* disposition) = 0;
  // RegOpenKeyExA(parent, subKey, options, access, result)
  virtual std::int32_t OpenKeyEx(RegKey parent, const char* subKey, std::uint32_t options,
                                 std::uint32_t access, RegKey* result) = 0;
  // RegCloseKey(key)
  virtual std::int32_t CloseKey(RegKey key) = 0;
  // RegQueryInfoKeyA(key, NULL, NULL, NULL, subKeys, maxSubKeyLen, NULL, values,
  //                  maxValueNameLen, maxValueLen, NULL, NULL); any out pointer may be null.
  virtual std::int32_t QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                                    std::uint32_t* values, std::uint32_t* maxValueNameLen,
                                    std::uint32_t* maxValueLen) = 0;
  // RegEnumKeyExA(key, index, name, nameLen, NULL, NULL, NULL, NULL):
  // *nameLen is the buffer size in characters on input (terminator included)
  // and the name's length on output (terminator excluded).
  virtual std::int32_t EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                                 std::uint32_t* nameLen) = 0;
  // RegEnumValueA(key, index, name, nameLen, NULL, type, data, dataLen)
  virtual std::int32_t EnumValue(RegKey key, std::uint32_t index, char* name,
                                 std::uint32_t* nameLen, std::uint32_t* type,
                                 unsigned char* data, std::uint32_t* dataLen) = 0;
  // RegQueryValueExA(key, name, NULL, type, data, dataLen): a null data
  // pointer asks for the size only.
  virtual std::int32_t QueryValueEx(RegKey key, const char* name, std::uint32_t* type,
                                    unsigned char* data, std::uint32_t* dataLen) = 0;
  // RegSetValueExA(key, name, 0, type, data, size)
  virtual std::int32_t SetValueEx(RegKey key, const char* name, std::uint32_t type,
                                  const unsigned char* data, std::uint32_t size) = 0;
  // RegQueryValueExW(key, name, NULL, type, data, dataLen) and
  // RegSetValueExW(key, name, 0, type, data, size): a value's own bytes,
  // text in UTF-16 whatever the code page, so that an import can put a
  // value back exactly as it found it.
  virtual std::int32_t QueryValueExW(RegKey key, const char16_t* name, std::uint32_t* type,
                                     unsigned char* data, std::uint32_t* dataLen) = 0;
  virtual std::int32_t SetValueExW(RegKey key, const char16_t* name, std::uint32_t type,
                                   const unsigned char* data, std::uint32_t size) = 0;
  // RegDeleteValueA(key, name)
  virtual std::int32_t DeleteValue(RegKey key, const char* name) = 0;
  // RegDeleteKeyA(key, subKey)
  virtual std::int32_t DeleteKey(RegKey key, const char* subKey) = 0;
};

}  // namespace vantrel
