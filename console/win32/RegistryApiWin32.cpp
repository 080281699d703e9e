#include "console/win32/RegistryApiWin32.h"

#include <windows.h>

namespace vantrel::win32 {

namespace {

static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
static_assert(sizeof(HKEY) == sizeof(RegKey));
static_assert(sizeof(wchar_t) == sizeof(char16_t));

// Predefined keys are sign-extended handle values; the others pass as they are.
HKEY ToHkey(RegKey key) {
  return key == kHkeyLocalMachine ? HKEY_LOCAL_MACHINE : reinterpret_cast<HKEY>(key);
}

DWORD* Dw(std::uint32_t* p) { return reinterpret_cast<DWORD*>(p); }

}  // namespace

std::int32_t RegistryApiWin32::CreateKeyEx(RegKey parent, const char* subKey,
                                           std::uint32_t options, std::uint32_t access,
                                           RegKey* result, std::uint32_t* disposition) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExA(ToHkey(parent), subKey, 0, nullptr, options, access, nullptr,
                                  &key, Dw(disposition));
  if (rc == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(key);
  return rc;
}

std::int32_t RegistryApiWin32::OpenKeyEx(RegKey parent, const char* subKey,
                                         std::uint32_t options, std::uint32_t access,
                                         RegKey* result) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExA(ToHkey(parent), subKey, options, access, &key);
  if (rc == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(key);
  return rc;
}

std::int32_t RegistryApiWin32::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

std::int32_t RegistryApiWin32::QueryInfoKey(RegKey key, std::uint32_t* subKeys,
                                            std::uint32_t* maxSubKeyLen, std::uint32_t* values,
                                            std::uint32_t* maxValueNameLen,
                                            std::uint32_t* maxValueLen) {
  return RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, Dw(subKeys), Dw(maxSubKeyLen),
                          nullptr, Dw(values), Dw(maxValueNameLen), Dw(maxValueLen), nullptr,
                          nullptr);
}

std::int32_t RegistryApiWin32::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                                         std::uint32_t* nameLen) {
  return RegEnumKeyExA(ToHkey(key), index, name, Dw(nameLen), nullptr, nullptr, nullptr,
                       nullptr);
}

std::int32_t RegistryApiWin32::EnumValue(RegKey key, std::uint32_t index, char* name,
                                         std::uint32_t* nameLen, std::uint32_t* type,
                                         unsigned char* data, std::uint32_t* dataLen) {
  return RegEnumValueA(ToHkey(key), index, name, Dw(nameLen), nullptr, Dw(type), data,
                       Dw(dataLen));
}

std::int32_t RegistryApiWin32::QueryValueEx(RegKey key, const char* name, std::uint32_t* type,
                                            unsigned char* data, std::uint32_t* dataLen) {
  return RegQueryValueExA(ToHkey(key), name, nullptr, Dw(type), data, Dw(dataLen));
}

std::int32_t RegistryApiWin32::SetValueEx(RegKey key, const char* name, std::uint32_t type,
                                          const unsigned char* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

std::int32_t RegistryApiWin32::QueryValueExW(RegKey key, const char16_t* name, std::uint32_t* type,
                                             unsigned char* data, std::uint32_t* dataLen) {
  return RegQueryValueExW(ToHkey(key), reinterpret_cast<const wchar_t*>(name), nullptr, Dw(type), data,
                          Dw(dataLen));
}

std::int32_t RegistryApiWin32::SetValueExW(RegKey key, const char16_t* name, std::uint32_t type,
                                           const unsigned char* data, std::uint32_t size) {
  return RegSetValueExW(ToHkey(key), reinterpret_cast<const wchar_t*>(name), 0, type, data, size);
}

std::int32_t RegistryApiWin32::DeleteValue(RegKey key, const char* name) {
  return RegDeleteValueA(ToHkey(key), name);
}

std::int32_t RegistryApiWin32::DeleteKey(RegKey key, const char* subKey) {
  return RegDeleteKeyA(ToHkey(key), subKey);
}

}  // namespace vantrel::win32
