// Which WM_DEVICECHANGE notifications are USB arrivals and removals.
#pragma once

#include <cstdint>

namespace vantrel {

inline constexpr std::uint32_t kWmDeviceChange = 0x0219;
inline constexpr std::uintptr_t kDbtDeviceArrival = 0x8000;
inline constexpr std::uintptr_t kDbtDeviceRemoveComplete = 0x8004;
inline constexpr std::uint32_t kDbtDevTypDeviceInterface = 5;

// DEV_BROADCAST_HDR
struct DeviceBroadcastHeader {
  std::uint32_t size;
  std::uint32_t deviceType;
  std::uint32_t reserved;
};

enum class UsbDeviceEvent { None, Arrival, Removal };

// Only an arrival or a completed removal of a device interface counts; the
// interface class is not compared, the registration already limits it. A
// notification without a broadcast record counts as nothing.
UsbDeviceEvent ClassifyDeviceChange(std::uintptr_t eventCode, const DeviceBroadcastHeader* broadcast);

}  // namespace vantrel
