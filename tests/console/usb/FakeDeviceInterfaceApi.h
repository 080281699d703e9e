// An in-memory USB device interface set that answers like SetupAPI: the
// detail query with no buffer fails with 122 and the required size, a detail
// record whose size field is not the header size fails with 1784, a short
// buffer fails with 122, enumeration past the end fails with 259. Calls are
// recorded.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "console/usb/DeviceInterfaceApi.h"

namespace kit::fakes {

inline constexpr std::uint32_t kErrorNoMoreItems = 259;
inline constexpr std::uint32_t kErrorInvalidUserBuffer = 1784;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;

class FakeDeviceInterfaceApi : public vantrel::DeviceInterfaceApi {
 public:
  std::vector<std::string> devicePaths;
  bool bound = true;
  bool failOpen = false;                // GetClassDevs answers the invalid handle
  std::set<std::uint32_t> unreadable;   // indexes whose detail read fails with 13
  std::set<std::uint32_t> zeroSize;     // indexes whose size query reports 0
  std::vector<std::string> calls;
  int openSets = 0;

  bool Available() override { return bound; }
  vantrel::DeviceInfoSet GetClassDevs(const vantrel::Guid& classGuid, const char* enumerator,
                                      std::uintptr_t parentWindow, std::uint32_t flags) override;
  bool EnumDeviceInterfaces(vantrel::DeviceInfoSet set, const vantrel::Guid& classGuid, std::uint32_t index,
                            vantrel::DeviceInterfaceData& data) override;
  DetailResult GetDeviceInterfaceDetail(vantrel::DeviceInfoSet set, vantrel::DeviceInterfaceData& data,
                                        vantrel::DeviceInterfaceDetailHeader* detail,
                                        std::uint32_t detailSize) override;
  bool DestroyDeviceInfoList(vantrel::DeviceInfoSet set) override;

 private:
  static constexpr vantrel::DeviceInfoSet kSet = 0x00A0B000;
};

}  // namespace kit::fakes
