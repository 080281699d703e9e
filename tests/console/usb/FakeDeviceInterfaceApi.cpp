#include "tests/console/usb/FakeDeviceInterfaceApi.h"

#include <cstring>

#include "console/opos/Guid.h"

namespace kit::fakes {

using vantrel::DeviceInfoSet;

DeviceInfoSet FakeDeviceInterfaceApi::GetClassDevs(const vantrel::Guid& classGuid, const char* enumerator,
                                                   std::uintptr_t parentWindow, std::uint32_t flags) {
  calls.push_back("GetClassDevs " + vantrel::FormatGuid(classGuid) + (enumerator ? " enum" : " -") +
                  (parentWindow ? " hwnd" : " -") + " flags " + std::to_string(flags));
  if (failOpen) return vantrel::kInvalidDeviceInfoSet;
  ++openSets;
  return kSet;
}

bool FakeDeviceInterfaceApi::EnumDeviceInterfaces(DeviceInfoSet set, const vantrel::Guid& classGuid,
                                                  std::uint32_t index, vantrel::DeviceInterfaceData& data) {
  calls.push_back("Enum " + std::to_string(index));
  if (set != kSet || data.cbSize != sizeof(vantrel::DeviceInterfaceData)) return false;
  if (index >= devicePaths.size()) return false;  // ERROR_NO_MORE_ITEMS
  data.interfaceClassGuid = classGuid;
  data.flags = 1;  // SPINT_ACTIVE
  data.reserved = 0x5000 + index;
  return true;
}

FakeDeviceInterfaceApi::DetailResult FakeDeviceInterfaceApi::GetDeviceInterfaceDetail(
    DeviceInfoSet set, vantrel::DeviceInterfaceData& data, vantrel::DeviceInterfaceDetailHeader* detail,
    std::uint32_t detailSize) {
  const std::uint32_t index = static_cast<std::uint32_t>(data.reserved - 0x5000);
  calls.push_back("Detail " + std::to_string(index) + (detail ? " size " + std::to_string(detailSize) : " probe"));
  if (set != kSet || index >= devicePaths.size()) return {false, kErrorInvalidHandle, 0};
  const std::string& path = devicePaths[index];
  const auto required = static_cast<std::uint32_t>(vantrel::kDevicePathOffset + path.size() + 1);
  if (zeroSize.count(index)) return {false, vantrel::kErrorInsufficientBuffer, 0};
  if (!detail) {
    if (detailSize != 0) return {false, kErrorInvalidUserBuffer, required};
    return {false, vantrel::kErrorInsufficientBuffer, required};
  }
  if (detail->cbSize != sizeof(vantrel::DeviceInterfaceDetailHeader)) return {false, kErrorInvalidUserBuffer, required};
  if (detailSize < required) return {false, vantrel::kErrorInsufficientBuffer, required};
  if (unreadable.count(index)) return {false, 13, required};
  std::memcpy(reinterpret_cast<char*>(detail) + vantrel::kDevicePathOffset, path.c_str(), path.size() + 1);
  return {true, 0, required};
}

bool FakeDeviceInterfaceApi::DestroyDeviceInfoList(DeviceInfoSet set) {
  calls.push_back("Destroy");
  if (set != kSet) return false;
  --openSets;
  return true;
}

}  // namespace kit::fakes
