// setupapi's device interface calls and cfgmgr32's re-enumeration behind the
// DeviceSetup interface, call for call.
#pragma once

#include "wizard/engine/platform/DeviceSetup.h"

namespace quispor::win32 {

class Win32DeviceSetup final : public platform::DeviceSetup {
 public:
  platform::DevInfoHandle SetupDiGetClassDevsW(const platform::Guid* classGuid, const char16_t* enumerator,
                                               platform::WindowHandle parent, uint32_t flags,
                                               uint32_t* error) override;
  uint32_t SetupDiEnumDeviceInterfaces(platform::DevInfoHandle set, platform::SpDevinfoData* deviceInfo,
                                       const platform::Guid* classGuid, uint32_t memberIndex,
                                       platform::SpDeviceInterfaceData* data) override;
  uint32_t SetupDiGetDeviceInterfaceDetailW(platform::DevInfoHandle set, platform::SpDeviceInterfaceData* data,
                                            uint8_t* detail, uint32_t detailSize, uint32_t* requiredSize,
                                            platform::SpDevinfoData* deviceInfo) override;
  uint32_t SetupDiDestroyDeviceInfoList(platform::DevInfoHandle set) override;
  uint32_t CM_Locate_DevNodeW(uint32_t* devInst, const char16_t* deviceId, uint32_t flags) override;
  uint32_t CM_Reenumerate_DevNode(uint32_t devInst, uint32_t flags) override;
  void Sleep(uint32_t milliseconds) override;
};

}  // namespace quispor::win32
