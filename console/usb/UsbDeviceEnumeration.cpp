#include "console/usb/UsbDeviceEnumeration.h"

#include <algorithm>
#include <cstring>

#include "console/usb/CommsError.h"
#include "console/usb/UsbIdentifier.h"

namespace vantrel {
namespace {

// Releases the device set however the enumeration ends.
class DeviceSetGuard {
 public:
  DeviceSetGuard(DeviceInterfaceApi& api, DeviceInfoSet set) : api_(api), set_(set) {}
  DeviceSetGuard(const DeviceSetGuard&) = delete;
  DeviceSetGuard& operator=(const DeviceSetGuard&) = delete;
  ~DeviceSetGuard() { api_.DestroyDeviceInfoList(set_); }

 private:
  DeviceInterfaceApi& api_;
  DeviceInfoSet set_;
};

// The path text in a detail buffer, never read beyond the buffer even when
// it holds no terminating zero.
std::string PathIn(const std::vector<unsigned char>& buffer) {
  if (buffer.size() <= kDevicePathOffset) return {};
  const char* begin = reinterpret_cast<const char*>(buffer.data()) + kDevicePathOffset;
  const char* end = reinterpret_cast<const char*>(buffer.data()) + buffer.size();
  return std::string(begin, std::find(begin, end, '\0'));
}

}  // namespace

bool EnumerateUsbDevices(DeviceInterfaceApi& setupApi, std::vector<std::string>& list) {
  if (!setupApi.Available()) throw ECommsError(kDeviceSetOpenFailedText);
  const DeviceInfoSet set =
      setupApi.GetClassDevs(kUsbDeviceInterfaceClass, nullptr, 0, kDigcfPresent | kDigcfDeviceInterface);
  if (set == kInvalidDeviceInfoSet) throw ECommsError(kDeviceSetOpenFailedText);
  DeviceSetGuard guard(setupApi, set);

  list.clear();
  for (std::uint32_t index = 0;; ++index) {
    DeviceInterfaceData data = {};
    data.cbSize = sizeof data;
    if (!setupApi.EnumDeviceInterfaces(set, kUsbDeviceInterfaceClass, index, data)) break;

    const auto probe = setupApi.GetDeviceInterfaceDetail(set, data, nullptr, 0);
    if (probe.requiredSize == 0 || probe.lastError != kErrorInsufficientBuffer) continue;

    // Zero-filled, so a path is always terminated; at least a whole header
    // so that the size field can be written.
    std::vector<unsigned char> buffer(std::max<std::size_t>(probe.requiredSize, sizeof(DeviceInterfaceDetailHeader)),
                                      0);
    const std::uint32_t headerSize = sizeof(DeviceInterfaceDetailHeader);
    std::memcpy(buffer.data(), &headerSize, sizeof headerSize);
    const auto detail = setupApi.GetDeviceInterfaceDetail(
        set, data, reinterpret_cast<DeviceInterfaceDetailHeader*>(buffer.data()),
        static_cast<std::uint32_t>(buffer.size()));
    if (detail.ok) list.push_back(CutUsbDeviceIdentifier(PathIn(buffer)));
  }
  return true;
}

}  // namespace vantrel
