// The removal's services taken from the wizard's platform set, with the
// device re-enumeration of the USB port engine.
#pragma once

#include "wizard/engine/platform/Platform.h"
#include "wizard/removal/DeviceReenumeration.h"
#include "wizard/removal/RemovalServices.h"
#include "wizard/ui/navigation/FinishView.h"

namespace quispor::removal {

// ReenumerateDevices of the USB port engine on a device setup service.
class PlugAndPlayReenumeration final : public DeviceReenumeration {
 public:
  explicit PlugAndPlayReenumeration(platform::DeviceSetup& deviceSetup) : deviceSetup_(deviceSetup) {}
  uint32_t ReenumerateDevices() override;

 private:
  platform::DeviceSetup& deviceSetup_;
};

// The services of platform, and devices for the re-enumeration; both must
// outlive the result.
RemovalServices RemovalServicesOf(platform::Platform& platform, DeviceReenumeration& devices);

// The uninstall sequence on the wizard's platform set, re-enumerating the
// devices through its device setup service.
uint32_t RunUninstall(platform::Platform& platform, FinishView& view);

}  // namespace quispor::removal
