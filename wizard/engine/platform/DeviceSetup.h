// Device setup (setupapi) and Plug and Play (cfgmgr32) calls of the USB port
// search, shaped like the Win32 calls so the adapter passes them straight
// through, plus the search's pause. Results are Windows error codes taken
// with GetLastError right after the call (0 for success); the CM_ calls
// return their CONFIGRET.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wizard/engine/platform/OwnedHandle.h"
#include "wizard/engine/platform/UserMessages.h"

namespace quispor::platform {

// GUID, field for field.
struct Guid {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};

// {28D78FAD-5A12-11D1-AE5B-0000F803A8C2}, the USB printing interface class.
inline constexpr Guid kGuidDevInterfaceUsbPrint = {0x28D78FAD, 0x5A12, 0x11D1,
                                                    {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};

inline constexpr uint32_t kDigcfPresent = 0x00000002;          // DIGCF_PRESENT
inline constexpr uint32_t kDigcfDeviceInterface = 0x00000010;  // DIGCF_DEVICEINTERFACE
inline constexpr uint32_t kCrSuccess = 0;                       // CR_SUCCESS
inline constexpr uint32_t kCmLocateDevnodeNormal = 0;          // CM_LOCATE_DEVNODE_NORMAL
inline constexpr uint32_t kCmReenumerateNormal = 0;            // CM_REENUMERATE_NORMAL
inline constexpr uint32_t kErrorInvalidParameter = 87;
inline constexpr uint32_t kErrorInvalidFlags = 1004;
inline constexpr uint32_t kErrorNoMoreItems = 259;

// An HDEVINFO as an integer; INVALID_HANDLE_VALUE is all ones.
using DevInfoHandle = std::uintptr_t;
inline constexpr DevInfoHandle kInvalidDevInfo = ~DevInfoHandle{0};

// SP_DEVICE_INTERFACE_DATA.
struct SpDeviceInterfaceData {
  uint32_t cbSize;
  Guid InterfaceClassGuid;
  uint32_t Flags;
  std::uintptr_t Reserved;
};

// SP_DEVINFO_DATA.
struct SpDevinfoData {
  uint32_t cbSize;
  Guid ClassGuid;
  uint32_t DevInst;
  std::uintptr_t Reserved;
};

// SP_DEVICE_INTERFACE_DETAIL_DATA_W: a cbSize and the path right behind it.
// Its declared size, which cbSize must carry, is 8 on 64-bit Windows and 6
// on 32-bit Windows (setupapi packs to 1 there).
inline constexpr std::size_t kDevicePathOffset = 4;
inline constexpr uint32_t kDeviceInterfaceDetailDataWSize = sizeof(void*) == 8 ? 8 : 6;

class DeviceSetup {
 public:
  virtual ~DeviceSetup() = default;

  // SetupDiGetClassDevsW(classGuid, enumerator, parent, flags); error gets
  // the thread's last error taken right after the call.
  virtual DevInfoHandle SetupDiGetClassDevsW(const Guid* classGuid, const char16_t* enumerator, WindowHandle parent,
                                             uint32_t flags, uint32_t* error) = 0;
  // SetupDiEnumDeviceInterfaces(set, deviceInfo, classGuid, memberIndex, data).
  virtual uint32_t SetupDiEnumDeviceInterfaces(DevInfoHandle set, SpDevinfoData* deviceInfo, const Guid* classGuid,
                                               uint32_t memberIndex, SpDeviceInterfaceData* data) = 0;
  // SetupDiGetDeviceInterfaceDetailW(set, data, detail, detailSize,
  // requiredSize, deviceInfo); detail is an SP_DEVICE_INTERFACE_DETAIL_DATA_W
  // of detailSize bytes, or null.
  virtual uint32_t SetupDiGetDeviceInterfaceDetailW(DevInfoHandle set, SpDeviceInterfaceData* data, uint8_t* detail,
                                                    uint32_t detailSize, uint32_t* requiredSize,
                                                    SpDevinfoData* deviceInfo) = 0;
  // SetupDiDestroyDeviceInfoList(set).
  virtual uint32_t SetupDiDestroyDeviceInfoList(DevInfoHandle set) = 0;

  // CM_Locate_DevNodeW(devInst, deviceId, flags).
  virtual uint32_t CM_Locate_DevNodeW(uint32_t* devInst, const char16_t* deviceId, uint32_t flags) = 0;
  // CM_Reenumerate_DevNode(devInst, flags).
  virtual uint32_t CM_Reenumerate_DevNode(uint32_t devInst, uint32_t flags) = 0;

  // Sleep(milliseconds): the pause that lets re-enumerated devices appear.
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// A device information set the logic holds; destroyed when it goes.
using DeviceInfoSet = OwnedHandle<DeviceSetup, DevInfoHandle, &DeviceSetup::SetupDiDestroyDeviceInfoList>;

}  // namespace quispor::platform
