// A small registry for the wizard's access probe: RegCreateKeyExW opens or
// creates keys (names compared without case) or fails with a chosen code
// (5 access denied), RegCloseKey refuses handles it did not give out (6).
// Every call is recorded with its arguments.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "wizard/engine/platform/Registry.h"

namespace kit::fakes {

class FakeWizardRegistry : public quispor::platform::Registry {
 public:
  static constexpr uint32_t kErrorInvalidHandle = 6;

  uint32_t createResult = 0;           // what RegCreateKeyExW answers
  std::vector<std::string> keys;       // "HKLM\\path" of every key that exists, as first created
  std::vector<std::string> calls;

  bool KeyExists(const std::string& path) const;
  std::size_t OpenHandles() const { return open_.size(); }

  uint32_t RegCreateKeyExW(quispor::platform::RegHandle key, const char16_t* subKey, uint32_t reserved,
                           char16_t* keyClass, uint32_t options, uint32_t samDesired,
                           const void* securityAttributes, quispor::platform::RegHandle* result,
                           uint32_t* disposition) override;
  uint32_t RegCloseKey(quispor::platform::RegHandle key) override;

 private:
  std::set<quispor::platform::RegHandle> open_;
  quispor::platform::RegHandle next_ = 0x1000;
};

}  // namespace kit::fakes
