#include "wizard/removal/PlatformRemoval.h"

#include "wizard/engine/usb/UsbPorts.h"
#include "wizard/removal/RunUninstall.h"

namespace quispor::removal {

uint32_t PlugAndPlayReenumeration::ReenumerateDevices() { return quispor::ReenumerateDevices(deviceSetup_); }

RemovalServices RemovalServicesOf(platform::Platform& platform, DeviceReenumeration& devices) {
  return RemovalServices{platform.spooler,  platform.serviceManager, platform.fileSearch, platform.files,
                         platform.codePage, platform.processes,      devices};
}

uint32_t RunUninstall(platform::Platform& platform, FinishView& view) {
  PlugAndPlayReenumeration devices(platform.deviceSetup);
  RemovalServices services = RemovalServicesOf(platform, devices);
  return RunUninstall(services, view);
}

}  // namespace quispor::removal
