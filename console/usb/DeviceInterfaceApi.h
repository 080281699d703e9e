// The four SetupAPI calls of the USB device enumeration, with their Windows
// argument semantics. The records have the layout of SP_DEVICE_INTERFACE_DATA
// and SP_DEVICE_INTERFACE_DETAIL_DATA_A so the adapter passes them through.
#pragma once

#include <cstddef>
#include <cstdint>

#include "console/opos/Guid.h"

namespace vantrel {

using DeviceInfoSet = std::uintptr_t;
inline constexpr DeviceInfoSet kInvalidDeviceInfoSet = ~DeviceInfoSet{0};  // INVALID_HANDLE_VALUE

inline constexpr std::uint32_t kDigcfPresent = 0x02;
inline constexpr std::uint32_t kDigcfDeviceInterface = 0x10;
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;

// GUID_DEVINTERFACE_USB_DEVICE {A5DCBF10-6530-11D2-901F-00C04FB951ED}
inline constexpr Guid kUsbDeviceInterfaceClass = {
    0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

struct DeviceInterfaceData {
  std::uint32_t cbSize;
  Guid interfaceClassGuid;
  std::uint32_t flags;
  std::uintptr_t reserved;
};

// SetupAPI packs its records to 1 byte in 32-bit builds, so the detail
// header is 5 bytes there and 8 in 64-bit builds.
#if UINTPTR_MAX == 0xFFFFFFFFu
#pragma pack(push, 1)
#endif
struct DeviceInterfaceDetailHeader {
  std::uint32_t cbSize;
  char devicePath[1];
};
#if UINTPTR_MAX == 0xFFFFFFFFu
#pragma pack(pop)
#endif
inline constexpr std::size_t kDevicePathOffset = offsetof(DeviceInterfaceDetailHeader, devicePath);

class DeviceInterfaceApi {
 public:
  struct DetailResult {
    bool ok;
    std::uint32_t lastError;     // GetLastError right after the call
    std::uint32_t requiredSize;
  };

  virtual ~DeviceInterfaceApi() = default;

  // False when SetupAPI or one of its entry points could not be bound.
  virtual bool Available() = 0;
  // SetupDiGetClassDevsA(classGuid, enumerator, parent window, flags).
  virtual DeviceInfoSet GetClassDevs(const Guid& classGuid, const char* enumerator, std::uintptr_t parentWindow,
                                     std::uint32_t flags) = 0;
  // SetupDiEnumDeviceInterfaces(set, no device filter, classGuid, index, data).
  virtual bool EnumDeviceInterfaces(DeviceInfoSet set, const Guid& classGuid, std::uint32_t index,
                                    DeviceInterfaceData& data) = 0;
  // SetupDiGetDeviceInterfaceDetailA(set, data, detail, detailSize,
  // &requiredSize, no device info).
  virtual DetailResult GetDeviceInterfaceDetail(DeviceInfoSet set, DeviceInterfaceData& data,
                                                DeviceInterfaceDetailHeader* detail, std::uint32_t detailSize) = 0;
  // SetupDiDestroyDeviceInfoList.
  virtual bool DestroyDeviceInfoList(DeviceInfoSet set) = 0;
};

}  // namespace vantrel
