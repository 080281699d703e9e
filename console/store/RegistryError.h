// The one error class of the registry store; its text is what the console's
// error display shows.
#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

class RegistryError : public std::runtime_error {
 public:
  explicit RegistryError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vantrel
