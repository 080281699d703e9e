// Lists the identifiers of the present devices of the USB device interface
// class.
#pragma once

#include <string>
#include <vector>

#include "console/usb/DeviceInterfaceApi.h"

namespace vantrel {

// Empties list and fills it with one cut identifier per device interface
// whose detail could be read. Raises ECommsError ("Failed to open handle to
// HID device set") when the device set cannot be opened; the list is then
// left as it was. Returns true otherwise.
bool EnumerateUsbDevices(DeviceInterfaceApi& setupApi, std::vector<std::string>& list);

}  // namespace vantrel
