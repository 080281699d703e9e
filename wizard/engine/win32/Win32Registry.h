// advapi32's registry behind the Registry interface, call for call.
#pragma once

#include "wizard/engine/platform/Registry.h"

namespace quispor::win32 {

class Win32Registry final : public platform::Registry {
 public:
  uint32_t RegCreateKeyExW(platform::RegHandle key, const char16_t* subKey, uint32_t reserved, char16_t* keyClass,
                           uint32_t options, uint32_t samDesired, const void* securityAttributes,
                           platform::RegHandle* result, uint32_t* disposition) override;
  uint32_t RegCloseKey(platform::RegHandle key) override;
};

}  // namespace quispor::win32
