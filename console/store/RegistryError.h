// The one error class of the registry store; its text is what the console's
// error display shows, its code the Windows error of the refused call (0
// when no call failed, as for a value of the wrong type).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vantrel {

class RegistryError : public std::runtime_error {
 public:
  explicit RegistryError(const std::string& message, std::int32_t code = 0)
      : std::runtime_error(message), code_(code) {}
  std::int32_t code() const { return code_; }

 private:
  std::int32_t code_;
};

}  // namespace vantrel
