#include "wizard/removal/DeviceReenumeration.h"

namespace quispor::removal {
namespace {

class Unbound final : public DeviceReenumeration {
 public:
  uint32_t ReenumerateDevices() override { return 0; }
};

}  // namespace

DeviceReenumeration& UnboundDeviceReenumeration() {
  static Unbound unbound;
  return unbound;
}

}  // namespace quispor::removal
