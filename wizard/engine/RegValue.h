// The registry reads of the TCP/IP and USB port searches: values through
// RegGetValueW when advapi32 has it (looked up at every read),
// RegQueryValueExW otherwise; keys opened (or created) under HKLM.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/Registry.h"

namespace quispor {

// Reads value of the open key into buffer (size bytes in, bytes delivered
// out). types are RRF_RT_ flags, honoured only by RegGetValueW. Returns the
// registry error code (234 for a short buffer).
uint32_t ReadRegValue(platform::Registry& registry, platform::RegHandle key, const char16_t* value, uint32_t types,
                      void* buffer, uint32_t* size);

// RegCreateKeyExW under HKEY_LOCAL_MACHINE with KEY_ALL_ACCESS: opens the
// key, or creates it empty when it is missing.
uint32_t OpenMachineKey(platform::Registry& registry, const char16_t* path, platform::RegKey& key);

}  // namespace quispor
