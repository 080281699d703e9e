// The SetupAPI functions of the USB enumeration, bound at run time from the
// system directory. The binding is shared by all watchers and counted per
// instance: the first instance loads "SetupApi.dll", the last one unloads it.
#pragma once

#include <cstdint>
#include <functional>

#include "console/usb/DeviceInterfaceApi.h"

namespace vantrel::win32 {

class SetupApiBinding : public DeviceInterfaceApi {
 public:
  SetupApiBinding();   // takes a share of the binding
  ~SetupApiBinding() override;  // releases it
  SetupApiBinding(const SetupApiBinding&) = delete;
  SetupApiBinding& operator=(const SetupApiBinding&) = delete;

  bool Available() override;
  DeviceInfoSet GetClassDevs(const Guid& classGuid, const char* enumerator, std::uintptr_t parentWindow,
                             std::uint32_t flags) override;
  bool EnumDeviceInterfaces(DeviceInfoSet set, const Guid& classGuid, std::uint32_t index,
                            DeviceInterfaceData& data) override;
  DetailResult GetDeviceInterfaceDetail(DeviceInfoSet set, DeviceInterfaceData& data,
                                        DeviceInterfaceDetailHeader* detail, std::uint32_t detailSize) override;
  bool DestroyDeviceInfoList(DeviceInfoSet set) override;

  // How many instances hold a share (for tests).
  static int ShareCount();

  // What the first share loads the library through: LoadLibraryExW(name,
  // nullptr, flags) unless a test puts another in place (an empty function
  // puts it back). A test stands for a system that refuses a flag.
  using LibraryLoader = std::function<void*(const wchar_t* name, std::uint32_t flags)>;
  static void UseLibraryLoader(LibraryLoader load);
};

}  // namespace vantrel::win32
