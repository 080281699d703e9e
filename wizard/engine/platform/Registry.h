// The registry calls the wizard's engine makes, shaped like advapi32 so the
// Win32 adapter passes them straight through. Results are Windows error codes
// (LSTATUS), 0 for success.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/OwnedHandle.h"
#include "wizard/engine/platform/SystemInfo.h"

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
inline constexpr uint32_t kRrfRtRegSz = 0x00000002;      // RRF_RT_REG_SZ
inline constexpr uint32_t kRrfRtRegBinary = 0x00000008;  // RRF_RT_REG_BINARY
inline constexpr uint32_t kRrfRtRegDword = 0x00000010;   // RRF_RT_REG_DWORD
inline constexpr uint32_t kErrorMoreData = 234;          // ERROR_MORE_DATA
inline constexpr uint32_t kErrorUnsupportedType = 1630;  // ERROR_UNSUPPORTED_TYPE

class Registry {
 public:
  virtual ~Registry() = default;

  // RegCreateKeyExW(key, subKey, reserved, keyClass, options, samDesired,
  // securityAttributes, result, disposition). disposition may be null.
  virtual uint32_t RegCreateKeyExW(RegHandle key, const char16_t* subKey, uint32_t reserved,
                                   char16_t* keyClass, uint32_t options, uint32_t samDesired,
                                   const void* securityAttributes, RegHandle* result,
                                   uint32_t* disposition) = 0;

  // RegOpenKeyExW(key, subKey, options, samDesired, result): opens an
  // existing key only (2 when it is missing).
  virtual uint32_t RegOpenKeyExW(RegHandle key, const char16_t* subKey, uint32_t options, uint32_t samDesired,
                                 RegHandle* result) = 0;

  // RegCloseKey(key).
  virtual uint32_t RegCloseKey(RegHandle key) = 0;

  // Port and device look-ups (TCP/IP and USB ports).
  // RegEnumKeyExW(key, index, name, nameLength, reserved, keyClass,
  // classLength, lastWriteTime): nameLength holds the characters of name on
  // entry and the length copied (without terminator) on success.
  virtual uint32_t RegEnumKeyExW(RegHandle key, uint32_t index, char16_t* name, uint32_t* nameLength,
                                 uint32_t* reserved, char16_t* keyClass, uint32_t* classLength,
                                 void* lastWriteTime) = 0;
  // GetProcAddress(GetModuleHandleW("advapi32.dll"), "RegGetValueW"): null
  // on a system without it.
  virtual ProcAddress FindRegGetValueW() = 0;
  // Calls the RegGetValueW that FindRegGetValueW returned: (key, subKey,
  // value, flags, type, data, dataSize).
  virtual uint32_t RegGetValueW(ProcAddress regGetValueW, RegHandle key, const char16_t* subKey,
                                const char16_t* value, uint32_t flags, uint32_t* type, void* data,
                                uint32_t* dataSize) = 0;
  // RegQueryValueExW(key, valueName, reserved, type, data, dataSize).
  virtual uint32_t RegQueryValueExW(RegHandle key, const char16_t* valueName, uint32_t* reserved, uint32_t* type,
                                    uint8_t* data, uint32_t* dataSize) = 0;
};

// A key the logic holds; closed with RegCloseKey when it goes.
using RegKey = OwnedHandle<Registry, RegHandle, &Registry::RegCloseKey>;

}  // namespace quispor::platform
