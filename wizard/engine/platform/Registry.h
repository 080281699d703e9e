// The registry calls the wizard's engine makes, shaped like advapi32 so the
// Win32 adapter passes them straight through. Results are Windows error codes
// (LSTATUS), 0 for success. Later parts add the calls they need here.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/OwnedHandle.h"

namespace quispor::platform {

// An opaque registry key handle: the HKEY value, as an integer.
using RegHandle = std::uintptr_t;

// HKEY_LOCAL_MACHINE as Windows defines it: (HKEY)(ULONG_PTR)(LONG)0x80000002,
// which is sign-extended on 64-bit Windows.
inline constexpr RegHandle kHkeyLocalMachine =
    static_cast<RegHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

inline constexpr uint32_t kRegOptionNonVolatile = 0;
inline constexpr uint32_t kKeyAllAccess = 0xF003F;
inline constexpr uint32_t kRegCreatedNewKey = 1;
inline constexpr uint32_t kRegOpenedExistingKey = 2;

class Registry {
 public:
  virtual ~Registry() = default;

  // RegCreateKeyExW(key, subKey, reserved, keyClass, options, samDesired,
  // securityAttributes, result, disposition). disposition may be null.
  virtual uint32_t RegCreateKeyExW(RegHandle key, const char16_t* subKey, uint32_t reserved,
                                   char16_t* keyClass, uint32_t options, uint32_t samDesired,
                                   const void* securityAttributes, RegHandle* result,
                                   uint32_t* disposition) = 0;

  // RegCloseKey(key).
  virtual uint32_t RegCloseKey(RegHandle key) = 0;
};

// A key the logic holds; closed with RegCloseKey when it goes.
using RegKey = OwnedHandle<Registry, RegHandle, &Registry::RegCloseKey>;

}  // namespace quispor::platform
