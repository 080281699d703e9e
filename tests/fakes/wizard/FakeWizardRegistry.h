// The wizard's registry over the shared in-memory store (names compared
// without case, subkeys enumerated sorted, values in creation order, access
// refused with 5 on demand): RegCreateKeyExW opens or creates keys or fails
// with a chosen code, RegOpenKeyExW opens existing keys only (2), RegCloseKey refuses handles it did not give out (6),
// RegEnumKeyExW, RegGetValueW and RegQueryValueExW answer as advapi32 does
// (234 for a short buffer, 1630 for a type the flags do not accept, 2 for a
// missing value, 259 at the end of an enumeration). Every call is recorded
// with its arguments. The look-up bodies are in FakeWizardRegistryValues.cpp.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "tests/fakes/registry/FakeRegistryStore.h"
#include "wizard/engine/platform/Registry.h"

namespace kit::fakes {

class FakeWizardRegistry : public quispor::platform::Registry {
 public:
  static constexpr uint32_t kErrorInvalidHandle = 6;

  uint32_t createResult = 0;           // what RegCreateKeyExW answers
  std::vector<std::string> keys;       // "HKLM\\path" of every key RegCreateKeyExW created
  std::vector<std::string> calls;

  bool KeyExists(const std::string& path) const;
  std::size_t OpenHandles() const { return open_.size(); }

  // The keys and values; tests fill it with paths starting "HKLM\\".
  FakeRegistryStore store;
  // Whether advapi32 exports RegGetValueW (Windows XP 32-bit does not).
  bool hasRegGetValueW = true;

  uint32_t RegCreateKeyExW(quispor::platform::RegHandle key, const char16_t* subKey, uint32_t reserved,
                           char16_t* keyClass, uint32_t options, uint32_t samDesired,
                           const void* securityAttributes, quispor::platform::RegHandle* result,
                           uint32_t* disposition) override;
  uint32_t RegOpenKeyExW(quispor::platform::RegHandle key, const char16_t* subKey, uint32_t options,
                         uint32_t samDesired, quispor::platform::RegHandle* result) override;
  uint32_t RegCloseKey(quispor::platform::RegHandle key) override;
  uint32_t RegEnumKeyExW(quispor::platform::RegHandle key, uint32_t index, char16_t* name, uint32_t* nameLength,
                         uint32_t* reserved, char16_t* keyClass, uint32_t* classLength, void* lastWriteTime) override;
  quispor::platform::ProcAddress FindRegGetValueW() override;
  uint32_t RegGetValueW(quispor::platform::ProcAddress regGetValueW, quispor::platform::RegHandle key,
                        const char16_t* subKey, const char16_t* value, uint32_t flags, uint32_t* type, void* data,
                        uint32_t* dataSize) override;
  uint32_t RegQueryValueExW(quispor::platform::RegHandle key, const char16_t* valueName, uint32_t* reserved,
                            uint32_t* type, uint8_t* data, uint32_t* dataSize) override;

  // The store's handle for a handle of the interface (HKLM is sign-extended
  // there).
  static FakeRegistryStore::Handle StoreHandle(quispor::platform::RegHandle key);

 private:
  std::set<quispor::platform::RegHandle> open_;
  int regGetValueW_ = 0;  // its address stands for the export
};

}  // namespace kit::fakes
