// The Plug and Play re-enumeration that follows every driver removal. The USB
// port engine owns the real ReenumerateDevices (CM_Locate_DevNodeW of the
// root, then CM_Reenumerate_DevNode); the removal reaches it through this
// interface so that it can be bound to it without depending on that engine.
#pragma once

#include <cstdint>

namespace quispor::removal {

class DeviceReenumeration {
 public:
  virtual ~DeviceReenumeration() = default;
  // A Configuration Manager code (CONFIGRET), 0 for CR_SUCCESS.
  virtual uint32_t ReenumerateDevices() = 0;
};

// Stands in until the USB engine's ReenumerateDevices is bound: re-enumerates
// nothing and reports CR_SUCCESS. The removal ignores the result either way.
DeviceReenumeration& UnboundDeviceReenumeration();

}  // namespace quispor::removal
