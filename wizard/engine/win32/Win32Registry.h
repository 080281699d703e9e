// advapi32's registry behind the Registry interface, call for call.
#pragma once

#include "wizard/engine/platform/Registry.h"

namespace quispor::win32 {

class Win32Registry final : public platform::Registry {
 public:
  uint32_t RegCreateKeyExW(platform::RegHandle key, const char16_t* subKey, uint32_t reserved, char16_t* keyClass,
                           uint32_t options, uint32_t samDesired, const void* securityAttributes,
                           platform::RegHandle* result, uint32_t* disposition) override;
  uint32_t RegOpenKeyExW(platform::RegHandle key, const char16_t* subKey, uint32_t options, uint32_t samDesired,
                         platform::RegHandle* result) override;
  uint32_t RegCloseKey(platform::RegHandle key) override;

  // Port and device look-ups (Win32RegistryPorts.cpp).
  uint32_t RegEnumKeyExW(platform::RegHandle key, uint32_t index, char16_t* name, uint32_t* nameLength,
                         uint32_t* reserved, char16_t* keyClass, uint32_t* classLength, void* lastWriteTime) override;
  platform::ProcAddress FindRegGetValueW() override;
  uint32_t RegGetValueW(platform::ProcAddress regGetValueW, platform::RegHandle key, const char16_t* subKey,
                        const char16_t* value, uint32_t flags, uint32_t* type, void* data,
                        uint32_t* dataSize) override;
  uint32_t RegQueryValueExW(platform::RegHandle key, const char16_t* valueName, uint32_t* reserved, uint32_t* type,
                            uint8_t* data, uint32_t* dataSize) override;
};

}  // namespace quispor::win32
