// The USB watcher's error; carries only its message text.
#pragma once

#include <stdexcept>

namespace vantrel {

class ECommsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr char kDeviceSetOpenFailedText[] = "Failed to open handle to HID device set";

}  // namespace vantrel
