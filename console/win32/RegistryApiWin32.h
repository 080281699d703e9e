// The console's registry calls on the real registry: each one is the Win32
// function of the same name ("A", or "W" where it says so), with the
// arguments passed straight through.
#pragma once

#include "console/store/RegistryApi.h"

namespace vantrel::win32 {

class RegistryApiWin32 final : public RegistryApi {
 public:
  std::int32_t CreateKeyEx(RegKey parent, const char* subKey, std::uint32_t options,
                           std::uint32_t access, RegKey* result,
                           std::uint32_t* disposition) override;
  std::int32_t OpenKeyEx(RegKey parent, const char* subKey, std::uint32_t options,
                         std::uint32_t access, RegKey* result) override;
  std::int32_t CloseKey(RegKey key) override;
  std::int32_t QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                            std::uint32_t* values, std::uint32_t* maxValueNameLen,
                            std::uint32_t* maxValueLen) override;
  std::int32_t EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                         std::uint32_t* nameLen) override;
  std::int32_t EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                         std::uint32_t* type, unsigned char* data,
                         std::uint32_t* dataLen) override;
  std::int32_t QueryValueEx(RegKey key, const char* name, std::uint32_t* type,
                            unsigned char* data, std::uint32_t* dataLen) override;
  std::int32_t SetValueEx(RegKey key, const char* name, std::uint32_t type,
                          const unsigned char* data, std::uint32_t size) override;
  std::int32_t QueryValueExW(RegKey key, const char16_t* name, std::uint32_t* type,
                             unsigned char* data, std::uint32_t* dataLen) override;
  std::int32_t SetValueExW(RegKey key, const char16_t* name, std::uint32_t type,
                           const unsigned char* data, std::uint32_t size) override;
  std::int32_t DeleteValue(RegKey key, const char* name) override;
  std::int32_t DeleteKey(RegKey key, const char* subKey) override;
};

}  // namespace vantrel::win32
