#include "wizard/engine/RegValue.h"

namespace quispor {

uint32_t ReadRegValue(platform::Registry& registry, platform::RegHandle key, const char16_t* value, uint32_t types,
                      void* buffer, uint32_t* size) {
  const platform::ProcAddress regGetValueW = registry.FindRegGetValueW();
  if (regGetValueW != nullptr) {
    return registry.RegGetValueW(regGetValueW, key, u"", value, types, nullptr, buffer, size);
  }
  return registry.RegQueryValueExW(key, value, nullptr, nullptr, static_cast<uint8_t*>(buffer), size);
}

uint32_t OpenMachineKey(platform::Registry& registry, const char16_t* path, platform::RegKey& key) {
  platform::RegHandle opened = 0;
  const uint32_t error = registry.RegCreateKeyExW(platform::kHkeyLocalMachine, path, 0, nullptr,
                                                  platform::kRegOptionNonVolatile, platform::kKeyAllAccess, nullptr,
                                                  &opened, nullptr);
  key.reset();
  if (error == 0) {
    key = platform::RegKey(registry, opened);
  }
  return error;
}

}  // namespace quispor
