#include "wizard/engine/win32/Win32DeviceSetup.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>

#include <cstddef>

namespace quispor::win32 {
namespace {

HDEVINFO ToSet(platform::DevInfoHandle set) { return reinterpret_cast<HDEVINFO>(set); }

uint32_t Result(BOOL ok) { return ok ? 0 : ::GetLastError(); }

}  // namespace

static_assert(sizeof(platform::Guid) == sizeof(GUID));
static_assert(sizeof(platform::SpDeviceInterfaceData) == sizeof(SP_DEVICE_INTERFACE_DATA));
static_assert(offsetof(platform::SpDeviceInterfaceData, Reserved) == offsetof(SP_DEVICE_INTERFACE_DATA, Reserved));
static_assert(sizeof(platform::SpDevinfoData) == sizeof(SP_DEVINFO_DATA));
static_assert(offsetof(platform::SpDevinfoData, DevInst) == offsetof(SP_DEVINFO_DATA, DevInst));
static_assert(platform::kDeviceInterfaceDetailDataWSize == sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W));
static_assert(platform::kDevicePathOffset == offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath));
static_assert(platform::kDigcfPresent == DIGCF_PRESENT && platform::kDigcfDeviceInterface == DIGCF_DEVICEINTERFACE);
static_assert(platform::kCrSuccess == CR_SUCCESS);
static_assert(platform::kCmLocateDevnodeNormal == CM_LOCATE_DEVNODE_NORMAL);
static_assert(platform::kCmReenumerateNormal == CM_REENUMERATE_NORMAL);
static_assert(sizeof(platform::DevInfoHandle) == sizeof(HDEVINFO));
static_assert(sizeof(DEVINST) == sizeof(uint32_t));

platform::DevInfoHandle Win32DeviceSetup::SetupDiGetClassDevsW(const platform::Guid* classGuid,
                                                               const char16_t* enumerator,
                                                               platform::WindowHandle parent, uint32_t flags,
                                                               uint32_t* error) {
  HDEVINFO set = ::SetupDiGetClassDevsW(reinterpret_cast<const GUID*>(classGuid), reinterpret_cast<PCWSTR>(enumerator),
                                        static_cast<HWND>(parent), flags);
  *error = ::GetLastError();
  return reinterpret_cast<platform::DevInfoHandle>(set);
}

uint32_t Win32DeviceSetup::SetupDiEnumDeviceInterfaces(platform::DevInfoHandle set, platform::SpDevinfoData* deviceInfo,
                                                       const platform::Guid* classGuid, uint32_t memberIndex,
                                                       platform::SpDeviceInterfaceData* data) {
  return Result(::SetupDiEnumDeviceInterfaces(ToSet(set), reinterpret_cast<PSP_DEVINFO_DATA>(deviceInfo),
                                              reinterpret_cast<const GUID*>(classGuid), memberIndex,
                                              reinterpret_cast<PSP_DEVICE_INTERFACE_DATA>(data)));
}

uint32_t Win32DeviceSetup::SetupDiGetDeviceInterfaceDetailW(platform::DevInfoHandle set,
                                                            platform::SpDeviceInterfaceData* data, uint8_t* detail,
                                                            uint32_t detailSize, uint32_t* requiredSize,
                                                            platform::SpDevinfoData* deviceInfo) {
  DWORD required = 0;
  const BOOL ok = ::SetupDiGetDeviceInterfaceDetailW(
      ToSet(set), reinterpret_cast<PSP_DEVICE_INTERFACE_DATA>(data),
      reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(detail), detailSize,
      requiredSize != nullptr ? &required : nullptr, reinterpret_cast<PSP_DEVINFO_DATA>(deviceInfo));
  const uint32_t error = Result(ok);
  if (requiredSize != nullptr) {
    *requiredSize = required;
  }
  return error;
}

uint32_t Win32DeviceSetup::SetupDiDestroyDeviceInfoList(platform::DevInfoHandle set) {
  return Result(::SetupDiDestroyDeviceInfoList(ToSet(set)));
}

uint32_t Win32DeviceSetup::CM_Locate_DevNodeW(uint32_t* devInst, const char16_t* deviceId, uint32_t flags) {
  DEVINST node = 0;
  const CONFIGRET result = ::CM_Locate_DevNodeW(&node, reinterpret_cast<DEVINSTID_W>(const_cast<char16_t*>(deviceId)),
                                                flags);
  *devInst = node;
  return result;
}

uint32_t Win32DeviceSetup::CM_Reenumerate_DevNode(uint32_t devInst, uint32_t flags) {
  return ::CM_Reenumerate_DevNode(devInst, flags);
}

void Win32DeviceSetup::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace quispor::win32
