#include "console/usb/DeviceChange.h"

namespace vantrel {

UsbDeviceEvent ClassifyDeviceChange(std::uintptr_t eventCode, const DeviceBroadcastHeader* broadcast) {
  if (eventCode != kDbtDeviceArrival && eventCode != kDbtDeviceRemoveComplete) return UsbDeviceEvent::None;
  if (!broadcast || broadcast->deviceType != kDbtDevTypDeviceInterface) return UsbDeviceEvent::None;
  return eventCode == kDbtDeviceArrival ? UsbDeviceEvent::Arrival : UsbDeviceEvent::Removal;
}

}  // namespace vantrel
